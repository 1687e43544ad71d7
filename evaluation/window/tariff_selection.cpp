// Selecting the shown tariff and test: the tariff and test buttons, which of the tariff page's
// edits the operator may change, the reload of the selected slot from its stores and the
// evaluation that follows.
#include "app/form1.h"
#include "evaluation/window/edit_lock.h"
#include "evaluation/window/recalc_pause.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

// Elements of TariffParamEdits after the ten rows of eight.
constexpr int kGroupEdits = 96;     // pairs (first page, second page): JT, STC, JDOPŁ
constexpr int kFurtherEdits = 102;  // Edit526, Edit525, Edit527, Edit528: the two further page rows

// Reads the stored text for an edit; the stores keep "---" for an empty value.
QString Shown(const std::string &stored) {
    return QString::fromStdString(stored);
}

}  // namespace

bool TForm1::WorkingModeChosen() const {
    return Lit(Panel163) || Lit(Panel162);
}

void TForm1::UpdatePnelTaryf(int tariff) {
    if (TariffSelPanels[tariff]->Color() == clWhite) return;
    RecalcPause pause(RecalcGuard);
    const bool changeMode = Lit(Panel342);
    const bool unlocked = WorkingModeChosen() && !changeMode;
    const bool mid = ApprovalRegime == 1;
    const bool own = MeterFamily == 1;
    const auto edit = [this](int row, int t) { return TariffPanelEdits[8 * row + t]; };

    for (int t = 0; t < 8; ++t) {
        TPanel *button = TariffSelPanels[t];
        button->Font().SetColor(TestedTariffNames[LayoutBase + t].isEmpty() ? clBlack : clGreen);
        if (t == tariff) {
            button->SetColor(clWhite);
            if (!unlocked) continue;
            SetEditable(edit(kOplD, t), true);
            SetEditable(edit(kOplC, t), true);
            SetEditable(TariffJdoplEdits[t], true);
            SetEditable(edit(kDps, t), mid);
            SetEditable(edit(kCps, t), mid);
            SetEditable(edit(kOpw, t), !mid);
            SetEditable(edit(kOplP, t), t < 4 || own);
            if (Lit(Panel127)) edit(kVset, t)->Show();
        } else {
            button->SetColor(clBtnShadow);
            for (int row : {kOplD, kOplC, kDps, kCps, kOpw}) SetEditable(edit(row, t), false);
            SetEditable(TariffJdoplEdits[t], false);
            if (own) SetEditable(edit(kOplP, t), false);
        }
    }

    const int page = tariff / 4;
    const int group = (LayoutBase + tariff) / 4;
    for (int row : {kJT, kSTC, kJDOPL}) {
        TEdit *first = TariffParamEdits[kGroupEdits + 2 * row];
        TEdit *second = TariffParamEdits[kGroupEdits + 2 * row + 1];
        if (page == 0) {
            if (unlocked) SetEditable(first, row != kSTC || !mid);
            SetEditable(second, false);
        } else if (!changeMode) {
            SetEditable(second, own && row != kSTC);
        }
        if (!changeMode) (page == 0 ? first : second)->SetText(Shown(TariffGroupUnits[row][group]));
    }

    for (TPanel *flag : TariffActivePanels) flag->SetEnabled(unlocked);
    if (!unlocked)
        for (int p = 0; p < 2; ++p) SetEditable(TariffParamEdits[kGroupEdits + 2 * kJT + p], false);
    if (changeMode) {
        for (int e = kGroupEdits; e < kFurtherEdits + 4; ++e) SetEditable(TariffParamEdits[e], false);
        SetEditable(edit(kOplP, 0), false);
        SetEditable(edit(kOplP, 4), false);
    }

    if (DistanceTestDone != 0) {
        EnableTaryfy(false);
        EnableLiczniki(false);
        for (TPanel *flag : TariffActivePanels) flag->SetEnabled(false);
    }

    const int test = ShownTest();
    const bool relativeToK = test == kDistanceTest && CalcRelativeToK != 0;
    Panel409->SetVisible(relativeToK);
    Label473->SetVisible(relativeToK);

    CurrentTariff = tariff;
    if (changeMode) {
        // The layout-change procedure shows its own copy of the tariff page; nothing is reloaded
        // or evaluated while it runs.
        CopyEditBufZmiana(false);
        SetSpeedTest(test);
        pause.EndWith(0);
        return;
    }

    ReloadSlot(tariff, test);
    const int slot = LayoutBase + tariff;
    const QString active = QStringLiteral("UKŁAD TARYF AKTYWNY od ") + TariffGroupTexts[slot / 4][0] +
                           QStringLiteral(" do ") + TariffGroupTexts[slot / 4][1];
    Label220->SetCaption(active);
    Label219->SetCaption(active);
    UpdateEdit(tariff, test);
    SetSpeedTest(test);
    pause.EndWith(1);
}

// The screen from the stores of slot LayoutBase + tariff: the grid's NOM and N cells and the start
// and end counters of the test, the flag panels, the tariff's parameters, JDOPŁ and St.
void TForm1::ReloadSlot(int tariff, int test) {
    const RecalcPause pause(RecalcGuard);
    const int slot = LayoutBase + tariff;
    ShowTestCells(test);
    for (int t = 0; t < 8; ++t)
        TariffActivePanels[t]->SetColor(TariffEnabledFlags[LayoutBase + t] == 1 ? clBlack : clWhite);
    for (int row = kOplP; row <= kOpw; ++row)
        TariffPanelEdits[8 * row + tariff]->SetText(Shown(TariffParams[row][slot]));
    TariffJdoplEdits[tariff]->SetText(Shown(TariffJdoplaty[slot]));
    Edit29->SetText(Shown(StalaStTaryf[slot]));
}

int TForm1::ShownTest() const {
    return Panel126->Color() == clBtnShadow ? kDistanceTest : kTimeTest;
}

// Fills the grid's NOM and N columns and the start and end counter rows from the current slot's
// stores of one test, without letting the change handlers store them back.
void TForm1::ShowTestCells(int test) {
    const RecalcPause pause(RecalcGuard);
    const bool time = test == kTimeTest;
    const int slot = LayoutBase + CurrentTariff;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(Shown(FareRowStore[time ? kTimeNom : kDistanceNom][slot][row]));
        FareGridColumns[kGridRows + row]->SetText(Shown(FareGridStore[test][kUnits][slot][row]));
    }
    for (int row : {kStart, kEnd})
        for (int c = 0; c < kCounters; ++c)
            CounterEdits[8 * row + c]->SetText(Shown(CounterStore[test][row][c][slot]));
}

// Switches the grid to one test: the test buttons, the captions naming time or distance, the
// slot's cells of that test, the set-speed display and the evaluation.
void TForm1::ShowTest(int test) {
    const bool time = test == kTimeTest;
    TPanel *tab = time ? Panel126 : Panel127;
    if (tab->Color() == clWhite) return;
    const bool relativeToK = !time && CalcRelativeToK != 0;
    Panel409->SetVisible(relativeToK);
    Label473->SetVisible(relativeToK);
    Label336->SetCaption(time ? QStringLiteral("OBLICZANIE OPŁATY Z CZASU")
                              : QStringLiteral("OBLICZANIE OPŁATY Z DROGI"));
    Panel126->SetColor(time ? clWhite : clBtnShadow);
    Panel127->SetColor(time ? clBtnShadow : clWhite);
    Panel126->SetCaption(time ? QStringLiteral("* czas") : QStringLiteral("czas"));
    Panel127->SetCaption(time ? QStringLiteral("droga") : QStringLiteral("* droga"));
    Label7->SetCaption(time ? QStringLiteral("CZAS") : QStringLiteral("DROGA"));
    const QString unit = time ? QStringLiteral("[s]") : QStringLiteral("[m]");
    for (TLabel *label : {Label404, Label405, Label407, Label342}) label->SetCaption(unit);
    if (!time) Label404->SetCaption(QStringLiteral("NOM."));
    Label401->SetCaption(time ? QStringLiteral("CZAS PŁATNY [s]") : QStringLiteral("DROGA PŁATNA"));
    Label406->SetCaption(time ? QStringLiteral("BŁĄD CZASU") : QStringLiteral("BŁĄD DROGI"));
    Label402->SetCaption(time ? QStringLiteral("Poprawny") : QStringLiteral("Poprawna"));
    Label403->SetCaption(time ? QStringLiteral("Nominalny") : QStringLiteral("Nominalna"));
    RecalcPause pause(RecalcGuard);
    ShowTestCells(test);
    SetSpeedTest(test);
    UpdateEdit(CurrentTariff, test);
    pause.EndWith(1);
}

void TForm1::FunctionCzas() {
    ShowTest(kTimeTest);
}

void TForm1::FunctionDroga() {
    ShowTest(kDistanceTest);
}

void TForm1::Panel126Click(TObject *) {
    FunctionCzas();
}

void TForm1::Panel127Click(TObject *) {
    FunctionDroga();
}

void TForm1::Panel118Click(TObject *) {
    UpdatePnelTaryf(0);
}
void TForm1::Panel119Click(TObject *) {
    UpdatePnelTaryf(1);
}
void TForm1::Panel120Click(TObject *) {
    UpdatePnelTaryf(2);
}
void TForm1::Panel121Click(TObject *) {
    UpdatePnelTaryf(3);
}
void TForm1::Panel122Click(TObject *) {
    UpdatePnelTaryf(4);
}
void TForm1::Panel123Click(TObject *) {
    UpdatePnelTaryf(5);
}
void TForm1::Panel124Click(TObject *) {
    UpdatePnelTaryf(6);
}
void TForm1::Panel125Click(TObject *) {
    UpdatePnelTaryf(7);
}

// The set-speed edits, the set-speed display Edit394 and the station constant St: the set speed
// of the selected tariff counts in the distance test and in mode D; the display shows the speed
// the device ran the time test at.
void TForm1::SetSpeedTest(int test) {
    const int slot = LayoutBase + CurrentTariff;
    const bool fromVehicle = (LayoutChangeTestMask >> slot & 1U) != 0;
    const bool modeS = Edit108->Text() == QLatin1String("S");
    for (int t = 0; t < 8; ++t)
        TariffPanelEdits[8 * kVset + t]->SetVisible(t == CurrentTariff && !fromVehicle &&
                                                    (test == kDistanceTest || !modeS));
    const bool display = test == kTimeTest && modeS && !fromVehicle;
    if (display) {
        long double speed = static_cast<long double>(SlotDeviceByte[slot]) * TariffVgp[slot] * 0.01L;
        if (CzasX10 != 0) speed *= 10;
        Edit394->SetText(QString::fromStdString(FormatFixed(speed, 2)));
    }
    Edit394->SetVisible(display);
    Label365->SetVisible(!fromVehicle);
    Label372->SetVisible(!fromVehicle);
    for (TControl *control : std::initializer_list<TControl *>{Edit29, Label126, Label127})
        control->SetVisible(!display);
}

// After a scanned QR text filled the tariff page: a tariff with none of OpłD, OpłC, Dps and Cps
// missing is active.
void TForm1::SetPaneleAktywnaQR() {
    for (int t = 0; t < 8; ++t) {
        bool active = true;
        for (int row : {kOplD, kOplC, kDps, kCps})
            if (TariffPanelEdits[8 * row + t]->Text() == QLatin1String("---")) active = false;
        const uint8_t flag = active ? 1 : 0;
        if (!Lit(Panel342))
            TariffEnabledFlags[t] = flag;
        else
            Layout(ZmianaView).enabled[static_cast<size_t>(t)] = flag;
    }
}
