// The window's creation handler: brings every control and working member into the starting state,
// in a fixed order (change handlers fire inside the writes, so the order is behaviour).
#include <cstdint>

#include "app/form1.h"
#include "app/version.h"

namespace {

const QString kNone = QStringLiteral("---");

void PlacePage(TPanel *page, int left, int top) {
    page->SetLeft(left);
    page->SetTop(top);
}

}  // namespace

void TForm1::FormCreate(TObject *) {
    FormLoading = 1;
    KlineConnected = 0;
    TivarConnected = 0;
    PrintBaseRun = 0;
    CurrentTariff = 0;
    ResetCourses();
    ForgetCourseCounts();

    Panel239->SetBounds(Panel239->Left(), Panel239->Top(), 638, 458);
    Panel343->SetLeft(Panel235->Left());
    for (TPanel *page : {Panel378, Panel241, Panel289, Panel344, Panel394, Panel245}) PlacePage(page, 17, 37);
    for (TPanel *page : {Panel240, Panel242, Panel243, Panel244}) PlacePage(page, 17, 80);
    PlacePage(Panel169, 120, 160);
    PlacePage(Panel165, 17, 415);

    CalcModeState = 0;
    ButtonBusy = 0;
    JobListFilterMode = 0;
    SzukajAltTarget = 0;

    InitDB();

    Label336->SetCaption(QStringLiteral("OBLICZANIE OPŁATY Z CZASU"));
    Label286->Hide();
    Panel127->SetColor(clBtnShadow);
    Panel126->SetColor(clWhite);
    Panel2->Show();
    Panel3->Show();

    Timer3->SetEnabled(false);
    Timer5->SetEnabled(true);
    RestIdleChannelTimers();

    Panel5->SetCaption(Panel5->Caption() + QStringLiteral("   (%1 %2)").arg(kProductName, kProductVersion));
    SetLeft(0);
    SetTop(0);
    SetAutoSize(true);
    SetCaption(QStringLiteral("%1 %2").arg(kProductName, kProductVersion));

    CurrentPage = 0;
    ButtonPanelIndex = 0;
    MarksLoading = 0;

    InitPointComponent();

    KlineByteBuffer.Reset();
    RecalcGuard = 1;
    for (TEdit *edit : {Edit88, Edit96, Edit112, Edit121}) edit->SetEnabled(true);

    ClearWorkingStores();

    for (TCheckBox *box : TariffCheckBoxes) box->Hide();
    static const char *const kButtonCaptions[] = {"1A", "2A", "3A", "4A", "1C", "2C", "3C", "4C"};
    for (int t = 0; t < 8; ++t) TariffSelPanels[t]->SetCaption(QString::fromLatin1(kButtonCaptions[t]));

    ClearFailureFlags();

    ChangeSizeWindow2();
    // Ordering the fields makes the widgets of every page: done once the window first shows.
    AfterNextPaint([this] { OrderTabsByReading(); });
    MarkTickBoxes();

    ButtonId = 0;
    CurrentPage = 0;
    HeadButton();

    MeterFamily = 1;
    SetTaxiNovitius();
    SetPaneleTaryf(0, 0, 1);

    Legalizacja(1);

    LegResetPending = 1;
    MidReadoutPending = 1;
    SetWnioskodawce(0);
    ApprovalRegime = 1;
    GetPrzekroczenie();

    SaveMainTexts();
    LabelInspectionItems();
    ClearMemoData();
    LoadRememberedTexts();
    FormLoading = 0;

    LoadLegalTexts();

    ZakresMemoChangeOn = 1;
    ZakresNameChangeOn = 1;
}

void TForm1::ClearWorkingStores() {
    using namespace evaluation;
    for (int row = 0; row < kGridRows; ++row) {
        for (int slot = 0; slot < kSlots; ++slot) {
            FareRowStore[kTimeNom][slot][row] = "---";
            FareRowStore[kDistanceNom][slot][row] = "---";
        }
        FareGridColumns[row]->SetText(kNone);
        FareGridColumns[kGridRows + row]->SetText(kNone);
    }
    for (int t = 0; t < 8; ++t) {
        for (int row = 0; row < 7; ++row) {
            TariffParamEdits[8 * row + t]->SetText(kNone);
            TariffParams[row][t] = "---";
            TariffParams[row][t + 8] = "---";
        }
        TariffJdoplEdits[t]->SetText(kNone);
    }
    TariffJdoplaty.fill("---");
    for (auto &row : TariffGroupUnits) row.fill("---");
    for (auto &test : CounterStore)
        for (auto &row : test)
            for (auto &counter : row) counter.fill("---");
    LayoutTariffTexts[0].fill(kNone);
}

void TForm1::ClearFailureFlags() {
    TimeRowFailFlags = {};
    DistanceRowFailFlags = {};
    CounterFailFlags = {};
    OglErrFlag = 0;
}

void TForm1::SaveMainTexts() {
    for (auto &copy : MainMemoSaved)
        for (int m = 0; m < 4; ++m) copy[m] = MainMemos[m]->Text();
    for (auto &copy : MainFieldSaved)
        for (int f = 0; f < 27; ++f) copy[f] = MainFieldEdits[f]->Text();
}

namespace {

// Padding gives up on a label that this many blanks in a row do not widen (fixed size, no font
// metrics) instead of looping for ever.
constexpr int kMaxBlanksWithoutGrowth = 16;

// Sets `text` padded with the fewest blanks that make `label` at least `width` wide. The count is
// computed from the width the blanks add, measured on one blank and refined on the estimate (the
// width of a blank is not a whole number of pixels), then checked blank by blank at the edge.
void PadToWidth(TLabel *label, const QString &text, int width) {
    const auto widthWith = [&](int blanks) {
        label->SetCaption(text + QString(blanks, QLatin1Char(' ')));
        return label->Width();
    };
    const int bare = widthWith(0);
    if (bare >= width) return;
    int blanks = 1;
    for (int refinement = 0; refinement < 3; ++refinement) {
        const int grown = widthWith(blanks) - bare;
        if (grown <= 0) {  // a label of fixed size: walked from no blank
            blanks = 0;
            break;
        }
        const int estimate = static_cast<int>((int64_t{width - bare} * blanks + grown - 1) / grown);
        if (estimate == blanks) break;
        blanks = estimate;
    }
    for (int stalled = 0, before = widthWith(blanks); before < width && stalled < kMaxBlanksWithoutGrowth;) {
        const int after = widthWith(++blanks);
        stalled = after > before ? 0 : stalled + 1;
        before = after;
    }
    while (blanks > 0 && widthWith(blanks - 1) >= width) --blanks;
    widthWith(blanks);
}

}  // namespace

void TForm1::LabelInspectionItems() {
    TLabel *const items[] = {Label176, Label177, Label178, Label179, Label180, Label183, Label184, Label186,
                             Label188, Label190, Label192, Label194, Label196, Label172, Label173};
    const int width = Panel289->Width() - 2 * Label176->Left();
    // An item label is padded with blanks until it fills the page width.
    for (int i = 0; i < 15; ++i) PadToWidth(items[i], QStringLiteral("Pkt.%1").arg(i + 1), width);
}
