// Working modes: verification ("Leg.", Panel162) and manual setting ("Ust.", Panel163). Starting a
// verification afresh resets the whole working record of a job.
#include "app/form1.h"
#include "platform/runtime/datetime.h"

bool TForm1::Lit(const TPanel *modePanel) {
    return modePanel->Color() == clWhite;
}

void TForm1::SetLit(TPanel *modePanel, bool lit) {
    modePanel->SetColor(lit ? clWhite : clInactiveCaptionText);
    modePanel->Font().SetColor(lit ? clBlack : clWhite);
}

void TForm1::ShowChannelStatus(TPanel *statusPanel, bool connected) {
    statusPanel->SetColor(connected ? clGreen : clRed);
    statusPanel->Font().SetColor(connected ? clWhite : clBlack);
}

void TForm1::Legalizacja(uint8_t flag) {
    if (flag == 0) {
        SetLit(Panel162, false);
        SetLit(Panel163, true);
        if (CurrentPage == 3) Panel8->Show();
        EnableWynikiLiczniki(true);
        EnableParametry(true);
        EnableTaryfy(true);
        Panel13->SetEnabled(true);
        return;
    }
    if (Lit(Panel342) && TestReturn == 0) {
        ZmianaUkladow(0);
        SetLit(Panel342, false);
    }
    if (!Lit(Panel162) || LegResetPending != 0) ResetWorkingRecord();
    SetLit(Panel163, false);
    SetLit(Panel162, true);
    if (CurrentPage == 3) Panel8->Hide();
}

void TForm1::ResetWorkingRecord() {
    if (LegResetPending == 1) {
        CalcModeState = 0;
        TivarReadoutStage = 0;
        TariffPageCode = {};
        TariffPageCode2 = {};
        TariffPageActiveCount.fill(0xFF);
        KlineModeFlags = 0xFF;
        VehicleResults = 0;
    }
    CalcRelativeToK = 0;
    TariffGroupFlag.fill(1);
    GroupMaxSurcharge.fill("---");  // a new job prints no maximum surcharge of an earlier meter
    CzasX10 = 0;
    MeterDateText = QString::fromStdString(DateToStr(Date()) + "/" + TimeToStr(Time()));

    EnableTaryfy(false);
    UsunWyniki();
    UsunLiczniki();
    if (LegResetPending == 1 && Panel409->Color() == clBlack) {
        WstawWyniki(1);
        Panel409->SetColor(clWhite);
    }
    EnableWynikiLiczniki(false);
    EnableParametry(true);
    if (Edit485->Text().isEmpty() || Edit485->Text() == QStringLiteral("---"))
        Edit485->SetText(QString::fromStdString(DateToStr(Date())));

    ZmianaPending = 0;
    ZmianaTestedMask = 0;
    LayoutChangeTestMask = 0;
    UpdatePnelTaryf(CurrentTariff);

    for (int slot = 0; slot < evaluation::kSlots; ++slot) {
        SlotFactor[slot] = 0;
        StalaStTaryf[slot] = "---";
        for (int row = 0; row < 4; ++row) {
            CounterResultTexts[4 * slot + row] = QStringLiteral("---");
            TariffSpeedParams[row][slot] = "---";
        }
    }
    for (TPanel *button : TariffSelPanels) button->Font().SetColor(clBlack);
    ClearFailureFlags();

    for (TPanel *item : InspectionItemPanels) item->SetCaption(QStringLiteral("+"));
    for (TPanel *item : {Panel311, Panel69, Panel60, Panel66, Panel50})
        item->SetCaption(QStringLiteral("ND"));

    OglErrFlag = 0;
    LicznikiKeep = {};
    StationConstK = 0;
    TotalDistance = 0;
    Panel278->SetColor(clWhite);
    LegPendingA = {0, 0xFF};

    Panel13->SetEnabled(true);
    GetPrzekroczenie();
    Edit107->SetColor(cl3DLight);
    TestTariffSel = 0xFF;
    TrybFiskalny = QStringLiteral("???");
    LegResetPending = 0;
}
