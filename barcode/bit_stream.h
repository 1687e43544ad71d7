#pragma once
// Writing segments as bit-stream entries (see barcode::MakeEntry).
#include <string_view>

#include "barcode/qr_types.h"

// Data fields of one character-mode segment of Data[Start, Start + Length).
void EncodeNumeric(std::string_view Data, int Start, int Length, barcode::BitStream &Out);
void EncodeAlphanumeric(std::string_view Data, int Start, int Length, barcode::BitStream &Out);
void EncodeByte(std::string_view Data, int Start, int Length, barcode::BitStream &Out);
void EncodeKanji(std::string_view Data, int Start, int Length, barcode::BitStream &Out);

namespace barcode {

// Every segment in order: the mode indicator, the character count (width 0 for the header-only
// modes), then the segment's fields.
void EncodeSegments(std::string_view data, int version, const SegmentList &segments, BitStream &out);

// Sum of the entries' widths.
int BitCountOf(const BitStream &stream);

}  // namespace barcode
