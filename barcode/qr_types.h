#pragma once
// Types shared by the stages of the QR Code encoder: levels, modes, policies, the module matrix,
// the segment list and the bit-stream entries.
#include <cstdint>
#include <vector>

// Error-correction levels in the column order of the capacity tables.
enum TQRCode_EccLevel : std::uint8_t { elLowest, elMedium, elQuality, elHighest };

// Symbol versions 1 to 40 (side 4 * version + 17 modules).
using TQRCode_Version = int;

enum TQRCode_EncodeMode : std::uint8_t {
    emNull,
    emNumeric,
    emAlphanumeric,
    emByte,
    emKanji,
    emECI,
    emStructAppend,
    emFNC1A,
    emFNC1B
};

// How a text is split into mode segments.
enum TQRCode_EncodePolicy : std::uint8_t { epSingleMode, epMixingQuick, epMixingOptimal };

// Module matrix indexed [row][column]; bit 0 is the colour (1 dark), the other bits say what the
// module is (see barcode/matrix.h).
using TMapMatrix = std::vector<std::vector<std::uint8_t>>;

// Bits and bit-stream entries that a list of segments produces, headers included.
struct TEncodeStatistic {
    int BitCount = 0;
    int EntryCount = 0;
};

namespace barcode {

constexpr int kMinVersion = 1;
constexpr int kMaxVersion = 40;

// One segment of the symbol's data. For the character modes Start and Length select bytes of the
// (unescaped) data text; for ECI, Structured Append and FNC1 in second position Value (and Extra)
// hold the header's parameters: ECI designator; position, total and parity; application indicator.
struct Segment {
    TQRCode_EncodeMode Mode = emNull;
    int Start = 0;
    int Length = 0;
    unsigned Value = 0;
    unsigned Extra = 0;
    bool operator==(const Segment &) const = default;
};

using SegmentList = std::vector<Segment>;

// A bit-stream entry: field value in the low 16 bits, field width in bits in the next 8; fields are
// written most significant bit first in list order.
using BitStream = std::vector<std::uint32_t>;

inline std::uint32_t MakeEntry(unsigned value, unsigned width) {
    return (value & 0xFFFFu) | (width << 16);
}
inline unsigned EntryValue(std::uint32_t entry) {
    return entry & 0xFFFFu;
}
inline unsigned EntryWidth(std::uint32_t entry) {
    return (entry >> 16) & 0xFFu;
}

}  // namespace barcode
