#include "qrpayload/window/form_scan_screen.h"

#include <algorithm>
#include <climits>

#include "app/form1.h"
#include "platform/runtime/cp1250.h"

namespace qrpayload {

namespace {

std::string ToCp1250(const QString &text) {
    return Utf8ToCp1250(text.toStdString());
}

QString FromCp1250(const std::string &text) {
    return QString::fromStdString(Cp1250ToUtf8(text));
}

TEdit *FieldEdit(TForm1 &form, ScanField field) {
    switch (field) {
        case ScanField::RegistrationNumber:
            return form.Edit110;
        case ScanField::ProductionDate:
            return form.Edit22;
        case ScanField::MeterConstant:
            return form.Edit107;
        case ScanField::TyreWidth:
            return form.Edit111;
        case ScanField::TyreProfile:
            return form.Edit457;
        case ScanField::TyreRim:
            return form.Edit458;
        case ScanField::TyreSize:
            return form.Edit486;
        case ScanField::VehicleMake:
            return form.Edit38;
        case ScanField::Vin:
            return form.Edit7;
        case ScanField::MeterSerial:
            return form.Edit21;
        case ScanField::CertificateNumber:
            return form.Edit23;
        case ScanField::TypeDesignation:
            return form.Edit20;
        case ScanField::CalculationSystem:
            return form.Edit12;
        case ScanField::OrderNumber:
            return form.Edit508;
        case ScanField::OrderDate:
            return form.Edit510;
        case ScanField::TariffConstantC:
            return form.Edit99;
        case ScanField::TariffUnit:
            return form.Edit98;
        case ScanField::TariffUnit2:
            return form.Edit88;
        case ScanField::SurchargeUnit:
            return form.Edit100;
        case ScanField::SurchargeUnit2:
            return form.Edit112;
    }
    return nullptr;
}

}  // namespace

std::size_t FormScanScreen::InputSize() const {
    return static_cast<std::size_t>(form_.Memo11->ShownLength());
}

std::string FormScanScreen::InputFrom(std::size_t position) const {
    return ToCp1250(form_.Memo11->ShownTextFrom(static_cast<int>(std::min<std::size_t>(position, INT_MAX))));
}

void FormScanScreen::ClearInput() {
    form_.Memo11->Lines().Clear();
}

void FormScanScreen::ShowRead(const std::string &text) {
    form_.Memo12->SetText(FromCp1250(text));
}

void FormScanScreen::ShowFurther(const std::string &text) {
    form_.Memo17->SetText(FromCp1250(text));
}

void FormScanScreen::ShowDocumentFields(const std::string &text) {
    form_.Memo18->SetText(FromCp1250(text));
}

void FormScanScreen::SetTickInterval(int ms) {
    form_.Timer9->SetInterval(ms);
}

void FormScanScreen::CountSeconds(bool on) {
    form_.Timer12->SetEnabled(on);
}

bool FormScanScreen::OptionsShown() const {
    return form_.Panel253->Visible();
}

bool FormScanScreen::LoadChosen() const {
    return form_.Panel254->Color() == clBlack;
}

bool FormScanScreen::ChangeProcedureOn() const {
    return form_.Panel342->Color() == clWhite;
}

bool FormScanScreen::ApplicantIsInstrumentUser() const {
    return form_.Panel234->Color() == clBlack;
}

ScanFieldState FormScanScreen::Field(ScanField field) const {
    const TEdit *edit = FieldEdit(form_, field);
    return {ToCp1250(edit->Text()), edit->Enabled()};
}

void FormScanScreen::SetField(ScanField field, const std::string &text) {
    FieldEdit(form_, field)->SetText(FromCp1250(text));
}

void FormScanScreen::SetTariffEdit(ScanTariffRow row, int tariff, const std::string &text) {
    form_.TariffParamEdits[8 * static_cast<int>(row) + tariff]->SetText(FromCp1250(text));
}

void FormScanScreen::SetApplicant(const std::vector<std::string> &lines) {
    QString text;
    for (const std::string &line : lines) text += FromCp1250(line) + "\r\n";
    form_.Memo5->SetText(text);
}

void FormScanScreen::HideMissingOrderLabel() {
    form_.Label262->Hide();
}

int FormScanScreen::MeterFamily() const {
    return form_.MeterFamily;
}

void FormScanScreen::SelectTariff(int tariff) {
    form_.UpdatePnelTaryf(tariff);
}

void FormScanScreen::MarkScannedTariffsActive() {
    form_.SetPaneleAktywnaQR();
}

void FormScanScreen::PresetOwnFamily() {
    form_.SetTaxiTivar();
    form_.SetPaneleTaryf(1, 0, 1);
}

}  // namespace qrpayload
