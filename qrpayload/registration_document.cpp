#include "qrpayload/registration_document.h"

#include <algorithm>
#include <array>

#include "platform/runtime/cp1250.h"
#include "qrpayload/aztec_code.h"

namespace qrpayload {

namespace {

// Low bytes of the Polish letters in U+0100..U+01FF: Ą ą Ć ć Ę ę Ł ł Ń ń Ś ś Ź ź Ż ż.
constexpr std::array<unsigned char, 16> kPolishLetterLows = {0x04, 0x05, 0x06, 0x07, 0x18, 0x19, 0x41, 0x42,
                                                             0x43, 0x44, 0x5A, 0x5B, 0x79, 0x7A, 0x7B, 0x7C};

}  // namespace

std::string ConvertRegistrationText(std::string_view utf16le) {
    std::string text;
    for (std::size_t k = 0; k < utf16le.size(); k += 2) {
        const auto lo = static_cast<unsigned char>(utf16le[k]);
        const auto hi = k + 1 < utf16le.size() ? static_cast<unsigned char>(utf16le[k + 1]) : 0;
        if (hi == 0) {
            if (lo == 0) break;
            text += lo == '|' ? std::string("\r\n") : std::string(1, static_cast<char>(lo));
        } else if (hi == 1 && std::find(kPolishLetterLows.begin(), kPolishLetterLows.end(), lo) !=
                                  kPolishLetterLows.end()) {
            text += static_cast<char>(CodePointToCp1250(0x100 + lo));
        }
    }
    return text;
}

std::vector<std::string> SplitMemoLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

RegistrationDocument::RegistrationDocument(std::string fieldText)
    : fieldText_(std::move(fieldText)), fields_(SplitMemoLines(fieldText_)) {}

const std::string &RegistrationDocument::Field(std::size_t k) const {
    static const std::string kMissing;
    return k < fields_.size() ? fields_[k] : kMissing;
}

std::string RegistrationDocument::AddressLine() const {
    const std::string &street = Field(24).empty() ? Field(23) : Field(24);
    return street + " " + Field(25);
}

std::vector<std::string> RegistrationDocument::DisplayLines() const {
    return {"Numer rejstracyjny: " + RegistrationNumber(),
            "VIN: " + Vin(),
            "Marka pojazdu: " + Make(),
            Utf8ToCp1250("Właściciel pojazdu:"),
            Field(16),
            Field(21) + " " + Field(22),
            AddressLine()};
}

std::vector<std::string> RegistrationDocument::ApplicantLines() const {
    return {Field(16) + ", " + Field(21) + " " + Field(22), AddressLine()};
}

RegistrationDocument ReadRegistrationDocument(std::string_view scannedText) {
    return RegistrationDocument(ConvertRegistrationText(GetCodeAztec(scannedText).out));
}

}  // namespace qrpayload
