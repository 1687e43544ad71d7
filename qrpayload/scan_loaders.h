#pragma once
// The two loaders of a scanned own QR text: the identity captions applied to the lines shown at its
// end, and the tariff values of a plain text applied line by line as it is read.
#include <string_view>

#include "qrpayload/scan_intake.h"

namespace qrpayload {

// One shown line: a "TIVAR" line presets the own family, a captioned line fills its job field.
void LoadIdentityLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line);

// One line of a plain text's body, in the section QrLoadSection names (1 base, 2..5 per tariff).
void LoadPlainLine(ScanIntakeState &state, ScanScreen &screen, std::string_view line);

}  // namespace qrpayload
