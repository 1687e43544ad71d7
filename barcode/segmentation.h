#pragma once
// Splitting a data text into QR mode segments (numeric, alphanumeric, byte, Kanji) and counting
// the bits they take in a given version.
#include <string_view>

#include "barcode/qr_types.h"

namespace barcode {

// Character classes: every byte value belongs to exactly one.
enum CharClass : std::uint8_t { ccEnd = 0, ccDigit = 1, ccAlphanumeric = 2, ccByte = 3, ccKanjiLead = 4 };

CharClass ClassOf(unsigned char c);

// Value of an alphanumeric-mode character, -1 for the others.
int AlphanumericValue(unsigned char c);

// A Shift JIS double-byte character that the Kanji mode can hold.
bool IsShiftJisPair(unsigned char lead, unsigned char trail);

// Bits of the data fields of a character-mode segment of `length` bytes, and how many fields.
int DataBits(TQRCode_EncodeMode mode, int length);
int DataFieldCount(TQRCode_EncodeMode mode, int length);

// Bits and bit-stream entries of one segment (headers included) and of a whole list.
TEncodeStatistic SegmentStatistic(const Segment &segment, int version);
TEncodeStatistic ListStatistic(const SegmentList &segments, int version);

// Joins consecutive segments of the same mode.
void MergeSameModes(SegmentList &segments);

}  // namespace barcode

// Segments of Data for one version under Policy, with their bit and entry counts.
void Analyse(std::string_view Data, int Version, TQRCode_EncodePolicy Policy, bool AllowKanjiMode,
             barcode::SegmentList &Segments, TEncodeStatistic &Statistic);

// Mode indicator and character count of a segment header: 4 indicator bits; for the character modes
// the count (Kanji: Length / 2 characters) and its width, for the others 0 and 0.
void GetEncodeHeaderParameters(int Version, TQRCode_EncodeMode Mode, int Length, unsigned short &Count,
                               unsigned short &Indicator, unsigned char &CountBits,
                               unsigned char &IndicatorBits);
