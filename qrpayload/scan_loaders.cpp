#include "qrpayload/scan_loaders.h"

#include <string>

#include "platform/runtime/cp1250.h"

namespace qrpayload {

namespace {

// How a caption's value reaches its field.
enum class Rule {
    Guarded,  // only into an enabled field that is empty or "---"
    Always,
    WhenEnabled,
    FirstChar,    // its first character, when the field is enabled
    Tyre,         // split into width, profile and rim for the family 0, whole otherwise
    OrderNumber,  // always, and noted in QrOrderFlags
    OrderDate,
};

struct Caption {
    std::string text;  // code page 1250
    Rule rule;
    ScanField field;
};

// The value after a caption; a caption without ":" is followed by one in the text, which is
// skipped. A line that ends early has an empty value.
std::string ValueAfter(std::string_view line, std::string_view caption) {
    const std::size_t at = caption.ends_with(':') ? caption.size() : caption.size() + 1;
    return at < line.size() ? std::string(line.substr(at)) : std::string();
}

bool IsVacant(const ScanFieldState &field) {
    return field.enabled && (field.text.empty() || field.text == "---");
}

// An empty value is written like any other: it replaces what an earlier job left in the field.
void Write(ScanScreen &screen, Rule rule, ScanField field, const std::string &value) {
    const ScanFieldState current = screen.Field(field);
    switch (rule) {
        case Rule::Guarded:
            if (IsVacant(current)) screen.SetField(field, value);
            break;
        case Rule::WhenEnabled:
            if (current.enabled) screen.SetField(field, value);
            break;
        case Rule::FirstChar:
            if (current.enabled) screen.SetField(field, value.substr(0, 1));
            break;
        default:
            screen.SetField(field, value);
            break;
    }
}

void WriteTyre(ScanScreen &screen, const std::string &value) {
    if (screen.MeterFamily() != 0) {
        Write(screen, Rule::Guarded, ScanField::TyreSize, value);
        return;
    }
    const std::size_t slash = value.find('/');
    const std::string afterSlash = slash == std::string::npos ? std::string() : value.substr(slash + 1);
    const std::size_t r = afterSlash.find('R');
    Write(screen, Rule::Guarded, ScanField::TyreWidth, value.substr(0, slash));
    Write(screen, Rule::Guarded, ScanField::TyreProfile, afterSlash.substr(0, r));
    Write(screen, Rule::Guarded, ScanField::TyreRim,
          r == std::string::npos ? std::string() : afterSlash.substr(r + 1));
}

// In order: the first caption a line begins with decides ("Nr rej." before "Nr:", "Data prod."
// before "Data:").
const std::vector<Caption> &IdentityCaptions() {
    static const std::vector<Caption> captions = {
        {"Nr rej.", Rule::Guarded, ScanField::RegistrationNumber},
        {"Data prod.", Rule::Guarded, ScanField::ProductionDate},
        {Utf8ToCp1250("Stała k"), Rule::Guarded, ScanField::MeterConstant},
        {Utf8ToCp1250("Rozm. opon kół napędowych"), Rule::Tyre, ScanField::TyreSize},
        {"Marka poj.", Rule::Always, ScanField::VehicleMake},
        {"VIN", Rule::Guarded, ScanField::Vin},
        {"Nr:", Rule::Guarded, ScanField::MeterSerial},
        {"Nr cert.:", Rule::Guarded, ScanField::CertificateNumber},
        {"Ozn. typu:", Rule::Guarded, ScanField::TypeDesignation},
        {"System obl.:", Rule::FirstChar, ScanField::CalculationSystem},
        {"Zlec.:", Rule::OrderNumber, ScanField::OrderNumber},
        {"Data:", Rule::OrderDate, ScanField::OrderDate},
    };
    return captions;
}

void ApplyIdentityCaption(ScanIntakeState &state, ScanScreen &screen, const Caption &caption,
                          const std::string &value) {
    switch (caption.rule) {
        case Rule::Tyre:
            WriteTyre(screen, value);
            return;
        case Rule::OrderNumber:
        case Rule::OrderDate:
            Write(screen, Rule::Always, caption.field, value);
            state.QrOrderFlags |= caption.rule == Rule::OrderDate ? 3 : 1;
            if (state.QrOrderFlags == 3) screen.HideMissingOrderLabel();
            return;
        default:
            Write(screen, caption.rule, caption.field, value);
    }
}

// The per-tariff sections of a plain text and the parameter row each fills.
ScanTariffRow SectionRow(std::uint8_t section) {
    switch (section) {
        case 2:
            return ScanTariffRow::FeePerHour;
        case 3:
            return ScanTariffRow::FeePerKm;
        case 4:
            return ScanTariffRow::InitialDistance;
        default:
            return ScanTariffRow::InitialTime;
    }
}

// A per-tariff line "T<k>:<value>" with k 1..8 fills tariff k-1 of the section's row; "T8" ends
// the section.
void LoadTariffLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line) {
    if (line.size() < 2 || line[0] != 'T' || line[1] < '1' || line[1] > '8') return;
    const int tariff = line[1] - '1';
    const ScanTariffRow row = SectionRow(state.QrLoadSection);
    if (tariff == 7) state.QrLoadSection = 1;
    screen.SelectTariff(tariff);
    screen.SetTariffEdit(row, tariff, line.size() > 3 ? std::string(line.substr(3)) : std::string());
    screen.MarkScannedTariffsActive();
}

// The initial fee goes to the first tariff of each page, each page shown before it is written.
void LoadInitialFee(ScanScreen &screen, const std::string &value) {
    for (int first : {0, 4}) {
        for (int t = first; t < first + 4; ++t) screen.SelectTariff(t);
        screen.SelectTariff(first);
        screen.SetTariffEdit(ScanTariffRow::InitialFee, first, value);
    }
}

// A group unit of the first group, copied into the second group's edit.
void LoadGroupUnit(ScanScreen &screen, ScanField first, ScanField second, int secondTariff,
                   const std::string &value) {
    screen.SelectTariff(0);
    screen.SetField(first, value);
    screen.SelectTariff(secondTariff);
    screen.SetField(second, screen.Field(first).text);
}

void LoadBaseLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line) {
    const auto value = [line](std::string_view caption) { return ValueAfter(line, caption); };
    const struct {
        std::string_view caption;
        std::uint8_t section;
    } sections[] = {{"Oplata za 1 kilometr drogi", 3},
                    {"Oplata za 1 godzine postoju", 2},
                    {"Odcinek poczatkowy drogi", 4},
                    {"Okres poczatkowy czasu", 5}};
    if (line.starts_with("Nr rejestracyjny")) {
        Write(screen, Rule::WhenEnabled, ScanField::RegistrationNumber, value("Nr rejestracyjny"));
        return;
    }
    if (line.starts_with("Oplata poczatkowa")) {
        LoadInitialFee(screen, value("Oplata poczatkowa"));
        return;
    }
    if (line.starts_with("Stala taryf C")) {
        Write(screen, Rule::Always, ScanField::TariffConstantC, value("Stala taryf C"));
        return;
    }
    for (const auto &s : sections) {
        if (line.starts_with(s.caption)) {
            state.QrLoadSection = s.section;
            return;
        }
    }
    if (line.starts_with("Wartosc jednostki taryfowej"))
        LoadGroupUnit(screen, ScanField::TariffUnit, ScanField::TariffUnit2, 4,
                      value("Wartosc jednostki taryfowej"));
    else if (line.starts_with("Wartosc jednostki doplaty"))
        LoadGroupUnit(screen, ScanField::SurchargeUnit, ScanField::SurchargeUnit2, 0,
                      value("Wartosc jednostki doplaty"));
}

}  // namespace

void LoadIdentityLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line) {
    if (!screen.ChangeProcedureOn() && line == "TIVAR") screen.PresetOwnFamily();
    for (const Caption &caption : IdentityCaptions()) {
        if (line.starts_with(caption.text)) {
            ApplyIdentityCaption(state, screen, caption, ValueAfter(line, caption.text));
            return;
        }
    }
}

void LoadPlainLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line) {
    if (state.QrLoadSection == 1) {
        LoadBaseLine(state, screen, line);
    } else if (state.QrLoadSection >= 2) {
        LoadTariffLine(state, screen, line);
    }
}

}  // namespace qrpayload
