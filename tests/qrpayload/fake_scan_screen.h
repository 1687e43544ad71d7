#pragma once
// A scanned-code screen kept in memory for the intake's tests and fuzzer.
#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "qrpayload/scan_intake.h"

namespace qrpayload {

// The scanned-code screen and the job's fields, kept in memory; counts the intake's calls.
class FakeScreen : public ScanScreen {
public:
    std::string input, read, further, documentFields;
    int interval = 50;
    bool counting = false, options = true, load = true, changeProcedure = false, user = false;
    int family = 0;
    std::map<ScanField, ScanFieldState> fields;
    std::map<std::pair<ScanTariffRow, int>, std::string> tariffEdits;
    std::vector<std::string> applicant;
    std::vector<int> selected;
    int activeMarks = 0, ownFamilyPresets = 0;
    bool orderLabelHidden = false;

    // Characters of the input the intake has read, over all its ticks.
    mutable std::size_t inputRead = 0;

    std::size_t InputSize() const override { return input.size(); }
    std::string InputFrom(std::size_t position) const override {
        const std::string text = input.substr(std::min(position, input.size()));
        inputRead += text.size();
        return text;
    }
    void ClearInput() override { input.clear(); }
    void ShowRead(const std::string &text) override { read = text; }
    void ShowFurther(const std::string &text) override { further = text; }
    void ShowDocumentFields(const std::string &text) override { documentFields = text; }
    void SetTickInterval(int ms) override { interval = ms; }
    void CountSeconds(bool on) override { counting = on; }
    bool OptionsShown() const override { return options; }
    bool LoadChosen() const override { return load; }
    bool ChangeProcedureOn() const override { return changeProcedure; }
    bool ApplicantIsInstrumentUser() const override { return user; }
    int MeterFamily() const override { return family; }
    ScanFieldState Field(ScanField field) const override {
        const auto it = fields.find(field);
        return it == fields.end() ? ScanFieldState{} : it->second;
    }
    void SetField(ScanField field, const std::string &text) override { fields[field].text = text; }
    void SetTariffEdit(ScanTariffRow row, int tariff, const std::string &text) override {
        tariffEdits[{row, tariff}] = text;
    }
    void SetApplicant(const std::vector<std::string> &lines) override { applicant = lines; }
    void HideMissingOrderLabel() override { orderLabelHidden = true; }
    void SelectTariff(int tariff) override { selected.push_back(tariff); }
    void MarkScannedTariffsActive() override { ++activeMarks; }
    void PresetOwnFamily() override { ++ownFamilyPresets; }

    std::string FieldText(ScanField field) const { return Field(field).text; }
};

}  // namespace qrpayload
