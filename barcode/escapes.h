#pragma once
// The backslash escapes of a QR text: Structured Append, ECI designators, FNC1 in first or second
// position, group separators and literal backslashes.
#include <string>
#include <string_view>

#include "barcode/qr_types.h"

namespace barcode {

// An escaped text taken apart: the data bytes after unescaping, and the symbol's items in order:
// header segments (Structured Append, ECI, FNC1) and data pieces (mode emNull, selecting bytes of
// `data`). There is always at least one data piece, possibly empty.
struct EscapedText {
    std::string data;
    SegmentList items;
};

// Parses `text`; returns 0 when it is valid, else the 1-based position where parsing failed (the
// character that breaks the syntax, or the length + 1 when the text ends too early).
int ParseEscapes(std::string_view text, EscapedText &out);

// Segments of an escaped text for one version: its header segments with each data piece analysed
// under the policy.
void AnalyseEscaped(const EscapedText &escaped, int version, TQRCode_EncodePolicy policy, bool allowKanji,
                    SegmentList &segments, TEncodeStatistic &statistic);

}  // namespace barcode

// 0 for a valid escaped text, else the 1-based position where it fails.
int VerifyEscape(std::string_view Data);

// Data characters left after unescaping and the bits of the headers the escapes add. A text that
// does not parse counts all its bytes and no header bits.
void FilterEscape(std::string_view Data, int &CharCount, int &ExtraBits);

// Structured Append parity: the XOR of the data bytes, of the unescaped pieces when Escaped (then
// BadIndex receives the escape check's result and a bad text gives 0).
unsigned char GetParity(std::string_view Text, bool Escaped, int &BadIndex);
