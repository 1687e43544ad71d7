#include <QFile>
#include <QTextStream>
#include <functional>
#include <map>

#include "barcode/component/qrcode.h"
#include "main_window_fixture.h"
#include "storage/component/table.h"

namespace {

// Whether a component is of the named class.
bool IsOfClass(TComponent *c, const QString &className) {
    static const std::map<QString, std::function<bool(TComponent *)>> checks = {
        {"TPanel", [](TComponent *x) { return dynamic_cast<TPanel *>(x) != nullptr; }},
        {"TEdit", [](TComponent *x) { return dynamic_cast<TEdit *>(x) != nullptr; }},
        {"TLabel", [](TComponent *x) { return dynamic_cast<TLabel *>(x) != nullptr; }},
        {"TMemo", [](TComponent *x) { return dynamic_cast<TMemo *>(x) != nullptr; }},
        {"TCheckBox", [](TComponent *x) { return dynamic_cast<TCheckBox *>(x) != nullptr; }},
        {"TRadioButton", [](TComponent *x) { return dynamic_cast<TRadioButton *>(x) != nullptr; }},
        {"TButton", [](TComponent *x) { return dynamic_cast<TButton *>(x) != nullptr; }},
        {"TTimer", [](TComponent *x) { return dynamic_cast<TTimer *>(x) != nullptr; }},
        {"TImage", [](TComponent *x) { return dynamic_cast<TImage *>(x) != nullptr; }},
        {"TStringGrid", [](TComponent *x) { return dynamic_cast<TStringGrid *>(x) != nullptr; }},
        {"TProgressBar", [](TComponent *x) { return dynamic_cast<TProgressBar *>(x) != nullptr; }},
        {"TOpenDialog", [](TComponent *x) { return dynamic_cast<TOpenDialog *>(x) != nullptr; }},
        {"TPrintDialog", [](TComponent *x) { return dynamic_cast<TPrintDialog *>(x) != nullptr; }},
        {"TTable", [](TComponent *x) { return dynamic_cast<TTable *>(x) != nullptr; }},
        {"TBarcode2D_QRCode", [](TComponent *x) { return dynamic_cast<TBarcode2D_QRCode *>(x) != nullptr; }},
    };
    const auto check = checks.find(className);
    return check != checks.end() && check->second(c);
}

TEST_F(MainWindowTest, EveryNamedComponentExistsOnceWithItsClass) {
    TForm1 &window = Create();
    std::map<QString, int> count;
    for (int i = 0; i < window.ComponentCount(); ++i) ++count[window.Components(i)->Name()];

    QFile file(WINDOW_COMPONENTS_FILE);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    int listed = 0;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(' ');
        if (fields.size() != 2 || fields[0].startsWith('#')) continue;
        ++listed;
        EXPECT_EQ(count[fields[0]], 1) << fields[0].toStdString();
        TComponent *c = window.FindComponent(fields[0]);
        if (c != nullptr) {
            EXPECT_TRUE(IsOfClass(c, fields[1])) << fields[0].toStdString();
        }
    }
    EXPECT_EQ(listed, 1515);
    EXPECT_GT(window.ComponentCount(), listed);  // and the captions of our own
}

TEST_F(MainWindowTest, WindowPropertiesTimersAndFixedGeometry) {
    TForm1 &w = Create();
    EXPECT_EQ(w.Caption(), "Kestrium v1.04.02");
    EXPECT_TRUE(w.Panel5->Caption().endsWith("   (Kestrium v1.04.02)"));
    EXPECT_EQ(w.Panel5->Caption(), "SPRAWDZENIE TAKSOMETRU ELEKTRONICZNEGO   (Kestrium v1.04.02)");

    struct TimerState {
        TTimer *timer;
        int interval;
        bool enabled;
    };
    for (const TimerState &t : {TimerState{w.Timer1, 30, false},
                                {w.Timer2, 10, true},
                                {w.Timer3, 500, false},
                                {w.Timer4, 10, true},
                                {w.Timer5, 300, true},
                                {w.Timer6, 200, false},
                                {w.Timer7, 1000, false},
                                {w.Timer8, 10, false},
                                {w.Timer9, 50, false},
                                {w.Timer10, 50, false},
                                {w.Timer11, 200, false},
                                {w.Timer12, 1000, false},
                                {w.Timer13, 1000, false},
                                {w.Timer14, 35, false},
                                {w.Timer15, 50, false},
                                {w.Timer16, 10, false},
                                {w.Timer17, 500, true},
                                {w.Timer18, 10, true}}) {
        EXPECT_EQ(t.timer->Interval(), t.interval) << t.timer->Name().toStdString();
        EXPECT_EQ(t.timer->Enabled(), t.enabled) << t.timer->Name().toStdString();
    }

    // The design-size desktop keeps the widths of the screens, dialogs and enable panels.
    for (TPanel *screen : {w.Panel239, w.Panel38, w.Panel150, w.Panel7, w.Panel228, w.Panel236, w.Panel411})
        EXPECT_EQ((std::array{screen->Width(), screen->Height(), screen->Color()}),
                  (std::array{638, 458, clBlack}))
            << screen->Name().toStdString();
    // The keyboard screen is scaled with its keys: 638 x 385 at design size, the height times 0.8 here.
    EXPECT_EQ((std::array{w.Panel171->Width(), w.Panel171->Height()}),
              (std::array{638, TForm1::Scaled(385, 0.8f)}));
    for (const auto &[dialog, width] : {std::pair{w.Panel155, 225},
                                        {w.Panel279, 225},
                                        {w.Panel325, 233},
                                        {w.Panel384, 385},
                                        {w.Panel413, 385}})
        EXPECT_EQ(dialog->Width(), width) << dialog->Name().toStdString();
    EXPECT_EQ(w.Panel167->Parent(), &w) << "STOP lies outside the main screen";
    EXPECT_FALSE(w.Panel169->Visible());
    EXPECT_FALSE(w.Panel172->Visible());
    for (TPanel *key : w.KeyPanels) EXPECT_FALSE(key->Visible()) << key->Name().toStdString();
    EXPECT_EQ(w.Memo21->Lines().Count(), 5);
}

TEST_F(MainWindowTest, TheQrCodeComponentIsOwnedWithItsDefaults) {
    TForm1 &w = Create();
    ASSERT_NE(w.Barcode2D_QRCode1, nullptr);
    EXPECT_EQ(w.Barcode2D_QRCode1->Owner(), &w);
    EXPECT_EQ(w.Barcode2D_QRCode1->Barcode(), "");
    EXPECT_EQ(w.Barcode2D_QRCode1->Module(), 1);
    EXPECT_EQ(w.Barcode2D_QRCode1->BarColor(), clBlack);
    EXPECT_EQ(w.Barcode2D_QRCode1->SpaceColor(), clWhite);
    EXPECT_FALSE(w.Barcode2D_QRCode1->ShowQuietZone());
    EXPECT_EQ(w.Barcode2D_QRCode1->LeadingQuietZone(), 4);
}

// A search edit that starts with a text in the active look would filter the first list for it.
TEST_F(MainWindowTest, SearchEditsStartInactiveShowingTheirHints) {
    TForm1 &w = Create();
    const char *hints[] = {"numer tax...", "data wyk...",     "nr wniosku...",
                           "z dnia...",    "wnioskodawca...", "osoba wyk. sprawdzenie...",
                           "vin...",       "nr rej..."};
    for (int i = 0; i < 8; ++i) {
        TEdit *edit = w.SzukajEdits[i];
        EXPECT_EQ((std::array{edit->Text(), edit->Hint()}),
                  (std::array{QString(hints[i]), QString(hints[i])}))
            << i;
        EXPECT_EQ((std::array{edit->Font().Color(), edit->Color()}), (std::array{clGray, TColor(0x8000001C)}))
            << i;
        EXPECT_EQ(edit->Font().Style(), TFontStyles(fsItalic)) << i;
    }
}

TEST_F(MainWindowTest, ControlTablesHoldTheirMembersInIndexOrder) {
    TForm1 &w = Create();
    EXPECT_EQ(w.ButtonPanels[0], w.Panel11);
    EXPECT_EQ(w.ButtonPanels[5], w.Panel147);
    EXPECT_EQ(w.ButtonPanels[10], w.Panel148);
    EXPECT_EQ(w.ButtonPanels[11], w.Panel147);
    EXPECT_EQ(w.ButtonPanels[23], w.Panel6);
    EXPECT_EQ(w.ButtonPanels[64], w.Panel414);
    EXPECT_EQ(w.InspectionItemPanels[19], w.Panel311);
    EXPECT_EQ(w.InspectionItemPanels[23], w.Panel281);
    EXPECT_EQ(w.InspectionItemPanels[33], w.Panel381);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(w.ScaledPanels[202 + i], w.FindComponent(QString("Panel%1").arg(292 + i))) << i;
    EXPECT_EQ(w.KeyPanels[0], w.Panel212);
    EXPECT_EQ(w.KeyPanels[11], w.Panel201);
    EXPECT_EQ(w.KeyPanels[12], w.Panel188);
    EXPECT_EQ(w.KeyPanels[48], w.Panel224);
    EXPECT_EQ(w.JobRowPanels[0], w.Panel86);
    EXPECT_EQ(w.JobRowPanels[1], w.Panel128);
    EXPECT_EQ(w.JobListLabels[20 + 19], w.Label60);
    EXPECT_EQ(w.JobListLabels[4 * 20], w.Label431);
    EXPECT_EQ(w.MainFieldEdits[26], w.Edit23);
    EXPECT_EQ(w.TariffCheckBoxes[4], w.CheckBox24);
    EXPECT_EQ(w.TariffParamEdits[4], w.Edit121);
    EXPECT_EQ(w.TariffParamEdits[105], w.Edit528);
    EXPECT_EQ(w.TariffPanelEdits[5 * 8 + 4], w.Edit30);
    EXPECT_EQ(w.TariffPanelEdits[6 * 8 + 7], w.Edit481);
    EXPECT_EQ(w.CounterEdits[2 * 8 + 6], w.Edit421);
    EXPECT_EQ(w.FareGridColumns[0], w.Edit298);
    EXPECT_EQ(w.FareGridColumns[26 * 5 + 24], w.Edit103);
    EXPECT_EQ(w.FareGridColumns[26 * 9 + 25], w.Edit447);
    EXPECT_EQ(w.ZmianaCaptionLabels[18], w.Label279);
    EXPECT_EQ(w.ScaledEdits[43], w.Edit35);
    EXPECT_EQ(w.ScaledEdits[44], w.Edit102);
    EXPECT_EQ(w.ScaledMemos[4], w.Memo4);
    EXPECT_EQ(w.ScaledButtons[20], w.Button22);
    EXPECT_EQ(std::count(w.ScaledLabels.begin(), w.ScaledLabels.end(), w.Label57), 2);
}

TEST_F(MainWindowTest, ThePartsOfAWindowPanelSitInsideIt) {
    TForm1 &w = Create(1366, 768);
    // The tab row spans the second tariff page.
    const int rowEnd = w.Panel393->Left() + w.Panel393->Width();
    EXPECT_EQ(w.Panel156->Left(), w.Panel242->Left());
    EXPECT_EQ(rowEnd, w.Panel242->Left() + w.Panel242->Width());
    for (int i = 0; i < w.ComponentCount(); ++i) {
        auto *c = dynamic_cast<TControl *>(w.Components(i));
        if (c == nullptr || c->Parent() == &w || dynamic_cast<TLabel *>(c) != nullptr) continue;
        const TControl *p = c->Parent();
        EXPECT_TRUE(c->Left() >= 0 && c->Top() >= 0 && c->Left() + c->Width() <= p->Width() &&
                    c->Top() + c->Height() <= p->Height())
            << c->Name().toStdString() << " leaves " << p->Name().toStdString();
    }
}

}  // namespace
