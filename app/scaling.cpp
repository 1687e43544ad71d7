#include <QStringList>
#include <algorithm>
#include <set>

#include "app/form1.h"

namespace {

// The design size of the main screen, as FormCreate leaves Panel239.
constexpr int kDesignWidth = 638;
constexpr int kDesignHeight = 458;
// The smallest font the course display's fitting may reach.
constexpr int kMinCourseFontSize = 1;

// Scaled integer properties: the value times the factor, truncated toward zero.
struct Scaler {
    float sx, sy;

    int X(int value) const { return TForm1::Scaled(value, sx); }
    int Y(int value) const { return TForm1::Scaled(value, sy); }

    void Font(TControl *c) const { c->Font().SetSize(Y(c->Font().Size())); }
    void Position(TControl *c) const { c->MoveTo(X(c->Left()), Y(c->Top())); }
    // Position and font (labels, whose size follows their text).
    void PositionAndFont(TControl *c) const {
        Position(c);
        Font(c);
    }
    // Position, size and font.
    void All(TControl *c) const {
        c->SetBounds(X(c->Left()), Y(c->Top()), X(c->Width()), Y(c->Height()));
        Font(c);
    }
};

const QStringList &CourseCaptions() {
    static const QStringList captions = {"Numer taksometru:",
                                         "Początek kursu:",
                                         "Koniec kursu:",
                                         "Czas kursu:",
                                         "Przejechany dystans:",
                                         "Opłata początkowa:",
                                         "Jednostka taryfowa:",
                                         "Jednostka dopłaty:",
                                         "Taryfa 1:",
                                         "Taryfa 2:",
                                         "Taryfa 3:",
                                         "Taryfa 4:",
                                         "Taryfa 1:",
                                         "Taryfa 2:",
                                         "Taryfa 3:",
                                         "Taryfa 4:",
                                         "Opłata na T1:",
                                         "Opłata na T2:",
                                         "Opłata na T3:",
                                         "Opłata na T4:",
                                         "Suma opłat:",
                                         "Dopłata:",
                                         "Rabat:",
                                         "Cena umowna:",
                                         "Suma opłat:",
                                         "Dopłata:",
                                         "Opłata całkowita:"};
    return captions;
}

const QStringList &CourseUnits() {
    static const QStringList units = {
        "",        "",        "",        "[s]",    "[km]",   "[zł]",   "[zł]",   "[zł]", "[zł/km]",
        "[zł/km]", "[zł/km]", "[zł/km]", "[zł/h]", "[zł/h]", "[zł/h]", "[zł/h]", "[zł]", "[zł]",
        "[zł]",    "[zł]",    "[zł]",    "[zł]",   "[%]",    "[zł]",   "[zł]",   "[zł]", "[zł]"};
    return units;
}

template <class Table>
void KeepOwnFonts(const Table &table) {
    for (TControl *c : table) c->SetParentFont(false);
}

template <class Table>
void Collect(std::set<TControl *> &into, const Table &table) {
    into.insert(table.begin(), table.end());
}

bool Within(TControl *c, TControl *ancestor) {
    for (TControl *p = c->Parent(); p != nullptr; p = p->Parent())
        if (p == ancestor) return true;
    return false;
}

}  // namespace

void TForm1::SetCenterPosition(TControl *control, TControl *parent) {
    control->SetTop((parent->Height() - control->Height()) / 2);
    SetCenterPositionHorizontal(control, parent);
}

void TForm1::SetCenterPositionHorizontal(TControl *control, TControl *parent) {
    control->SetLeft((parent->Width() - control->Width()) / 2);
}

std::vector<TControl *> TForm1::UnlistedPageControls() const {
    std::set<TControl *> listed;
    Collect(listed, ScaledPanels);
    Collect(listed, ScaledLabels);
    Collect(listed, ScaledEdits);
    Collect(listed, ScaledMemos);
    Collect(listed, ScaledButtons);
    Collect(listed, TariffSelPanels);
    Collect(listed, TariffParamEdits);
    Collect(listed, FareGridColumns);
    Collect(listed, CounterEdits);
    Collect(listed, JobRowPanels);
    Collect(listed, JobListLabels);
    Collect(listed, OwnCaptionLabels);
    const std::vector<TControl *> pages = {Panel241, Panel240, Panel242, Panel243, Panel244, Panel245,
                                           Panel289, Panel394, Panel378, Panel344, Panel343};
    std::vector<TControl *> unlisted;
    for (int i = 0; i < ComponentCount(); ++i) {
        auto *c = dynamic_cast<TControl *>(Components(i));
        if (c == nullptr || listed.count(c) != 0) continue;
        const bool onPage = std::any_of(pages.begin(), pages.end(), [c](TControl *p) { return Within(c, p); });
        if (onPage || c->Parent() == Panel239) unlisted.push_back(c);
    }
    return unlisted;
}

void TForm1::ChangeSizeWindow2() {
    const QRect desktop = Application->DesktopRect();
    const int w = desktop.width(), h = desktop.height();
    float sx = static_cast<float>(w) / static_cast<float>(kDesignWidth);
    float sy = static_cast<float>(h) / static_cast<float>(kDesignHeight);
    if (0.8f * sx < sy) sy = 0.8f * sx;
    if (1.8f * sy < sx) sx = 1.8f * sy;
    scaleX_ = sx;
    scaleY_ = sy;
    const Scaler s{sx, sy};

    // Every scaled control keeps the font it has now, so that a scaled parent's font does not
    // reach it a second time.
    KeepOwnFonts(ScaledPanels);
    KeepOwnFonts(ScaledLabels);
    KeepOwnFonts(ScaledEdits);
    KeepOwnFonts(ScaledMemos);
    KeepOwnFonts(ScaledButtons);
    KeepOwnFonts(TariffSelPanels);
    KeepOwnFonts(TariffParamEdits);
    KeepOwnFonts(FareGridColumns);
    KeepOwnFonts(CounterEdits);
    KeepOwnFonts(JobListLabels);
    KeepOwnFonts(OwnCaptionLabels);
    KeepOwnFonts(KeyPanels);
    Panel171->SetParentFont(false);
    // Controls of the main screen's pages and bars that no table names stretch with it as well.
    const std::vector<TControl *> unlisted = UnlistedPageControls();
    KeepOwnFonts(unlisted);

    Panel239->SetBounds(0, 0, w, h);
    for (TPanel *screen : {Panel236, Panel38, Panel150, Panel228, Panel7, Panel411})
        screen->SetBounds(0, 0, Panel239->Width(), Panel239->Height());
    StringGrid1->SetBounds(s.X(StringGrid1->Left()), s.Y(StringGrid1->Top()), s.X(StringGrid1->Width()),
                           s.Y(StringGrid1->Height()));
    StringGrid1->SetDefaultRowHeight(s.Y(StringGrid1->DefaultRowHeight()));
    StringGrid1->SetParentFont(false);
    s.Font(StringGrid1);
    Panel239->SetVisible(true);
    SetLeft(0);
    SetTop(0);

    const auto scalePanel = [&s](TPanel *panel) {
        s.All(panel);
        panel->SetBevelWidth(s.X(panel->BevelWidth()));
    };
    for (TPanel *panel : ScaledPanels) scalePanel(panel);
    // The keyboard screen and its keys stand in no table but hold scaled controls: scaled the same
    // way, the keyboard is not clipped.
    scalePanel(Panel171);
    for (TPanel *key : KeyPanels) scalePanel(key);

    // Page tabs: seven equal tabs along Panel242, the meter-channel status tab takes the rest.
    const int tabWidth = Panel242->Width() / 8;
    TPanel *previous = Panel156;
    Panel156->SetWidth(tabWidth);
    for (TPanel *tab : {Panel157, Panel158, Panel159, Panel160, Panel161, Panel9}) {
        tab->SetBounds(previous->Left() + previous->Width(), tab->Top(), tabWidth, tab->Height());
        previous = tab;
    }
    Panel393->SetLeft(Panel9->Left() + Panel9->Width());
    Panel393->SetWidth(Panel242->Left() + Panel242->Width() - Panel393->Left());
    Panel393->SetTop(Panel9->Top());
    // The interface's status stands under the meter's, up to the "AUTO-Leg" button beside it.
    Panel164->SetLeft(Panel393->Left());
    Panel164->SetWidth(Panel391->Left() - s.X(4) - Panel164->Left());

    Panel167->SetTop(Panel165->Top());
    Panel167->SetLeft(Panel165->Left() + Panel165->Width() - Panel167->Width());
    SetCenterPosition(Panel279, Panel239);
    SetCenterPosition(Panel325, Panel239);
    ProgressBar1->SetBounds(s.X(ProgressBar1->Left()), s.Y(ProgressBar1->Top()), s.X(ProgressBar1->Width()),
                            s.Y(ProgressBar1->Height()));
    Panel169->SetVisible(false);

    for (TLabel *label : ScaledLabels) s.PositionAndFont(label);
    for (TLabel *label : OwnCaptionLabels) s.PositionAndFont(label);
    for (TControl *c : unlisted) {
        if (dynamic_cast<TLabel *>(c) != nullptr)
            s.PositionAndFont(c);
        else
            s.All(c);
    }

    // The live course display: captions, units and three value columns, one line each.
    const QStringList &captions = CourseCaptions();
    const QStringList &units = CourseUnits();
    const QString none = QStringLiteral("---");
    QStringList values;
    for (int line = 0; line < captions.size(); ++line) values << none;
    Label454->SetCaption(captions.join("\r\n"));
    Label463->SetCaption(units.join("\r\n"));
    for (TLabel *column : {Label468, Label469, Label470}) column->SetCaption(values.join("\r\n"));

    while (Panel394->Height() - Label454->Top() - Label454->Font().Size() < Label454->Height() &&
           Label454->Font().Size() > kMinCourseFontSize)
        Label454->Font().SetSize(Label454->Font().Size() - 1);
    Label463->Font().SetSize(Label454->Font().Size());
    Label468->Font().SetSize(Label454->Font().Size());
    while (Label468->Height() > Label454->Height() && Label468->Font().Size() > kMinCourseFontSize)
        Label468->Font().SetSize(Label468->Font().Size() - 1);
    Label469->Font().SetSize(Label468->Font().Size());
    Label470->Font().SetSize(Label468->Font().Size());

    // Group separators under lines 4, 15 and 21.
    QString text = captions[0];
    for (int line = 1; line < captions.size(); ++line) {
        text += "\r\n" + captions[line];
        Label454->SetCaption(text);
        if (line == 4) Panel395->SetTop(Label454->Top() + Label454->Height());
        if (line == 15) Panel397->SetTop(Label454->Top() + Label454->Height());
        if (line == 21) Panel398->SetTop(Label454->Top() + Label454->Height());
    }

    const int f = Label454->Font().Size();
    Panel399->SetLeft(2 * Label456->Left() + Label456->Width());
    Panel401->SetWidth(Panel399->Left());
    Label454->SetLeft(Panel399->Left() + f / 2);
    Panel402->SetLeft(Label454->Left() + Label454->Width() + f / 2);
    Label468->SetLeft(Panel402->Left() + f);
    Label463->SetLeft(Panel394->Width() - Label463->Width() - Label463->Font().Size());
    Panel400->SetLeft(Label463->Left() - Label463->Font().Size());
    const int d = (Panel400->Left() - Panel402->Left()) / 3;
    Panel403->SetLeft(Panel402->Left() + d);
    Label469->SetLeft(Panel403->Left() + f);
    Panel404->SetLeft(Panel403->Left() + d);
    Label470->SetLeft(Panel404->Left() + f);
    Label465->SetLeft(Panel402->Left() + Label465->Font().Size());
    Label466->SetLeft(Panel403->Left() + Label466->Font().Size());
    Label467->SetLeft(Panel404->Left() + Label467->Font().Size());
    Label471->SetLeft(Panel399->Left() + Label471->Font().Size());

    if (Label218->Width() < Panel13->Width())
        Label218->SetLeft(Panel13->Left() + (Panel13->Width() - Label218->Width()) / 2);
    SetCenterPositionHorizontal(Label423, Panel343);
    for (TLabel *label : {Label426, Label427, Label428}) SetCenterPositionHorizontal(label, Panel384);
    for (TLabel *label : {Label174, Label175}) SetCenterPositionHorizontal(label, Panel289);
    for (TLabel *label : {InspectionNoteCaption1, InspectionNoteCaption2})
        SetCenterPositionHorizontal(label, Panel279);
    for (TLabel *label : {SlotChoiceCaption1, SlotChoiceCaption2})
        SetCenterPositionHorizontal(label, Panel325);
    SetCenterPositionHorizontal(SaveChangesCaption, Panel413);

    for (int row = 0; row < 20; ++row) {
        TLabel *label = JobListLabels[4 * 20 + row];
        s.PositionAndFont(label);
        label->SetCaption(QString());
    }

    // Elements 0 and 1 stand again at 44 and 45: the walk starts at 2 so each is scaled once.
    for (size_t i = 2; i < ScaledEdits.size(); ++i) s.All(ScaledEdits[i]);

    const int half = Label167->Height() / 2;
    Edit483->SetLeft(Label167->Left() + Label216->Width() + half);
    Label168->SetLeft(Edit483->Left() + Edit483->Width() + half);
    Edit484->SetLeft(Label168->Left() + Label168->Width() + half);
    Edit485->SetLeft(Label169->Left() + Label169->Width() + half);
    Edit486->SetTop(Edit111->Top());

    Edit8->SetLeft(Label331->Left() + Label331->Width() + Label331->Height() / 3);
    Edit8->SetWidth(Edit14->Left() + Edit14->Width() - Edit8->Left());

    // Element 0 (Memo4) stands again at 4: the walk starts at 1.
    for (size_t i = 1; i < ScaledMemos.size(); ++i) s.All(ScaledMemos[i]);

    for (TButton *button : ScaledButtons) {
        const int side = s.Y(button->Height());
        button->SetBounds(s.X(button->Left()), s.Y(button->Top()), side, side);
        s.Font(button);
    }

    for (int t = 0; t < 8; ++t) {
        TariffCheckBoxes[t]->SetVisible(false);
        s.All(TariffSelPanels[t]);
        for (int row = 0; row < 10; ++row) s.All(TariffParamEdits[8 * row + t]);
    }
    for (size_t i = 96; i < TariffParamEdits.size(); ++i) s.All(TariffParamEdits[i]);
    for (TEdit *edit : FareGridColumns) s.All(edit);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 7; ++column) s.All(CounterEdits[8 * row + column]);
    for (TPanel *panel : JobRowPanels)
        panel->SetBounds(s.X(panel->Left()), s.Y(panel->Top()), s.X(panel->Width()), s.Y(panel->Height()));
    for (int i = 0; i < 3 * 20; ++i) s.PositionAndFont(JobListLabels[i]);

    Edit473->SetWidth(Label156->Width() + Label156->Width() / 10);
    Edit8->SetLeft(Label331->Left() + Label331->Width() + Edit8->Height() / 2);
    Panel343->SetLeft(Panel118->Left());
    Panel343->SetTop(Panel118->Top());
    Edit437->SetLeft(Label130->Left() + Label130->Width() + Label130->Font().Size());
    Label132->SetLeft(Edit437->Left() + Edit437->Width() + Label130->Font().Size());
    SetBorderStyle(bsNone);
}
