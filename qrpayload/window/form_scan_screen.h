#pragma once
// The scanned-code screen and the job's fields as the scanner intake sees them, over the main
// window's controls. Texts pass in code page 1250.
#include "qrpayload/scan_intake.h"

class TForm1;

namespace qrpayload {

class FormScanScreen : public ScanScreen {
public:
    explicit FormScanScreen(TForm1 &form) : form_(form) {}

    std::size_t InputSize() const override;
    std::string InputFrom(std::size_t position) const override;
    void ClearInput() override;
    void ShowRead(const std::string &text) override;
    void ShowFurther(const std::string &text) override;
    void ShowDocumentFields(const std::string &text) override;
    void SetTickInterval(int ms) override;
    void CountSeconds(bool on) override;

    bool OptionsShown() const override;
    bool LoadChosen() const override;
    bool ChangeProcedureOn() const override;
    bool ApplicantIsInstrumentUser() const override;
    int MeterFamily() const override;

    ScanFieldState Field(ScanField field) const override;
    void SetField(ScanField field, const std::string &text) override;
    void SetTariffEdit(ScanTariffRow row, int tariff, const std::string &text) override;
    void SetApplicant(const std::vector<std::string> &lines) override;
    void HideMissingOrderLabel() override;
    void SelectTariff(int tariff) override;
    void MarkScannedTariffsActive() override;
    void PresetOwnFamily() override;

private:
    TForm1 &form_;
};

}  // namespace qrpayload
