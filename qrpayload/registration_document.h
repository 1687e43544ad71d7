#pragma once
// The fields of a vehicle registration document read from its scanned code. Texts are code page
// 1250 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qrpayload {

// Converts the decoded UTF-16LE text, two bytes at a time: "|" becomes CR LF, characters below
// U+0100 are taken as their low byte, the Polish letters of U+0100..U+01FF become their code page
// letters, everything else is dropped. The text ends at the first zero character.
std::string ConvertRegistrationText(std::string_view utf16le);

// The lines of a text as a memo splits it: CR LF, CR and LF each end a line; a final line break
// adds no empty line.
std::vector<std::string> SplitMemoLines(std::string_view text);

class RegistrationDocument {
public:
    explicit RegistrationDocument(std::string fieldText);

    // One field per line.
    const std::string &FieldText() const { return fieldText_; }
    // Field k, empty when the document has fewer fields.
    const std::string &Field(std::size_t k) const;

    const std::string &RegistrationNumber() const { return Field(7); }
    const std::string &Vin() const { return Field(13); }
    const std::string &Make() const { return Field(8); }

    // The seven lines shown to the operator.
    std::vector<std::string> DisplayLines() const;
    // The two lines of the applicant's name and address, for a user of the measuring instrument.
    std::vector<std::string> ApplicantLines() const;

private:
    // The address line: field 24, or field 23 when field 24 is empty, then field 25.
    std::string AddressLine() const;

    std::string fieldText_;
    std::vector<std::string> fields_;
};

// Decodes a registration document's code (Base64 text from where it was recognised to the end).
RegistrationDocument ReadRegistrationDocument(std::string_view scannedText);

}  // namespace qrpayload
