// The taximeter family presets (NOVITIUS and the own TIVAR family) and the clearing of the general
// data of the taximeter and the vehicle.
#include "app/form1.h"

namespace {

const QString kNone = QStringLiteral("---");

// Identity defaults of the own family's model.
const QString kOwnSoftwareVersion = QStringLiteral("19.11.04");
const QString kOwnChecksum = QStringLiteral("553113F5");
const QString kOwnCertificate = QStringLiteral("ZT 17/2004");
const QString kOwnType = QStringLiteral("TIVAR 2");
const QString kOwnMakerName = QStringLiteral("Zakład Elektroniki Pomiarowej");
const QString kOwnMakerAddress = QStringLiteral("ul. Fabryczna 12, 80-001 Gdańsk");

}  // namespace

// Switching the family while a working mode is lit starts a fresh working record; the three kept
// counters survive it. The tariffs are cleared in every case.
void TForm1::RestartRecordForFamily() {
    if (Panel163->Color() != clInactiveCaptionText || Panel162->Color() != clInactiveCaptionText) {
        const auto kept = LicznikiKeep;
        SetLit(Panel162, false);
        Legalizacja(1);
        LicznikiKeep = kept;
    }
    UsunTaryfy();
}

// The controls of the tariff screen and the general data that differ between the two families.
void TForm1::ShowFamilyControls(bool own) {
    Label220->SetVisible(own);
    Label219->SetVisible(own);
    Panel157->SetCaption(own ? QStringLiteral("Tar.---") : QStringLiteral("Tar.1-4"));
    Panel158->SetCaption(own ? QStringLiteral("Tar.---") : QStringLiteral("Tar.5-8"));
    for (TEdit *edit : TariffJdoplEdits) edit->SetVisible(own);
    Edit100->SetVisible(!own);
    Edit112->SetVisible(!own);
    for (TPanel *code : {Panel317, Panel318, Panel319, Panel320}) code->SetVisible(own);
    Edit486->SetVisible(own);
    for (TEdit *part : {Edit111, Edit457, Edit458}) part->SetVisible(!own);
}

void TForm1::SetOwnIdentityDefaults() {
    Edit23->SetText(kOwnCertificate);
    Edit24->SetText(kOwnSoftwareVersion);
    Edit434->SetText(kOwnChecksum);
    Edit20->SetText(kOwnType);
    SetOwnMaker();
}

void TForm1::SetOwnMaker() {
    Memo3->Lines().Clear();
    Memo3->Lines().Add(kOwnMakerName);
    Memo3->Lines().Add(kOwnMakerAddress);
}

void TForm1::SetTaxiNovitius() {
    if (MeterFamily == 0) return;
    RestartRecordForFamily();
    ShowFamilyControls(false);
    for (int t = 0; t < 8; ++t) TariffSelPanels[t]->SetCaption(QString::number(t + 1));
    LayoutBase = 0;
    MeterFamily = 0;
}

void TForm1::SetTaxiTivar() {
    if (MeterFamily == 1) return;
    RestartRecordForFamily();
    ShowFamilyControls(true);
    MoveInitialFeesToFirstColumn();
    MeterFamily = 1;
    SetOwnIdentityDefaults();
}

void TForm1::SetTaksometr(bool zt) {
    const int shown = CurrentTariff;
    if (zt) {
        Panel13->SetCaption(QStringLiteral("ZT"));
        ApprovalRegime = 0;
        for (TEdit *edit : {Edit23, Edit20, Edit24, Edit434, Edit21}) {
            edit->SetText(kNone);
            edit->SetEnabled(true);
        }
        for (TEdit *edit : {Edit12, Edit108}) {
            edit->SetText(QStringLiteral("S"));
            edit->SetEnabled(false);
            edit->Hide();
        }
        EnableLiczniki(DistanceTestDone == 0);
        Edit25->SetText(QStringLiteral("OSTATNIA AKTYWNA"));
    } else {
        Panel13->SetCaption(QStringLiteral("MID"));
        ApprovalRegime = 1;
        Edit20->SetText(kNone);
        Edit20->SetEnabled(true);
        if (MeterFamily == 1) SetOwnIdentityDefaults();
        Edit108->SetEnabled(true);
        Edit108->SetVisible(!ChangeProcedureOn());
        Edit12->SetEnabled(true);
        Edit12->Show();
        for (int t = 0; t < 8; ++t) {
            TariffPanelEdits[8 * evaluation::kOpw + t]->SetText(kNone);
            TariffJdoplEdits[t]->SetText(kNone);
        }
    }
    // Every tariff of both tests is shown once again under the new regime.
    for (void (TForm1::*showTest)() : {&TForm1::FunctionCzas, &TForm1::FunctionDroga}) {
        (this->*showTest)();
        for (int t = 0; t < 8; ++t) {
            TariffSelPanels[t]->SetColor(clBtnShadow);
            UpdatePnelTaryf(t);
        }
    }
    UpdatePnelTaryf(shown);
}

void TForm1::UsunDaneOgolne() {
    const std::pair<TEdit *, const char *> cleared[] = {
        {Edit20, "---"}, {Edit110, "---"}, {Edit21, "---"}, {Edit22, "---"}, {Edit111, "---"},
        {Edit24, "---"}, {Edit457, "--"},  {Edit434, "---"}, {Edit458, "---"}, {Edit486, "---"},
        {Edit38, "---"}, {Edit7, "---"},   {Edit25, "---"},  {Edit109, "---"}, {Edit107, "---"}};
    for (const auto &[edit, text] : cleared) {
        edit->SetText(QString::fromLatin1(text));
        edit->SetEnabled(true);
    }
    Edit12->SetEnabled(true);
    Edit28->SetText(kNone);
}
