#include "barcode/bit_stream.h"

#include "barcode/segmentation.h"

namespace {

unsigned char At(std::string_view data, int i) {
    return static_cast<unsigned char>(data[i]);
}

void EncodeEciDesignator(unsigned designator, barcode::BitStream &out) {
    if (designator < 128) {
        out.push_back(barcode::MakeEntry(designator, 8));
    } else if (designator < 16384) {
        out.push_back(barcode::MakeEntry((designator >> 8) | 0x80, 8));
        out.push_back(barcode::MakeEntry(designator & 0xFF, 8));
    } else {
        out.push_back(barcode::MakeEntry(((designator >> 16) & 0x1F) | 0xC0, 8));
        out.push_back(barcode::MakeEntry((designator >> 8) & 0xFF, 8));
        out.push_back(barcode::MakeEntry(designator & 0xFF, 8));
    }
}

}  // namespace

void EncodeNumeric(std::string_view Data, int Start, int Length, barcode::BitStream &Out) {
    static constexpr unsigned kWidths[4] = {0, 4, 7, 10};
    for (int i = 0; i < Length; i += 3) {
        const int count = Length - i < 3 ? Length - i : 3;
        unsigned value = 0;
        for (int k = 0; k < count; ++k) value = value * 10 + (At(Data, Start + i + k) - '0');
        Out.push_back(barcode::MakeEntry(value, kWidths[count]));
    }
}

void EncodeAlphanumeric(std::string_view Data, int Start, int Length, barcode::BitStream &Out) {
    for (int i = 0; i + 1 < Length; i += 2) {
        const int value = barcode::AlphanumericValue(At(Data, Start + i)) * 45 +
                          barcode::AlphanumericValue(At(Data, Start + i + 1));
        Out.push_back(barcode::MakeEntry(value, 11));
    }
    if (Length % 2 != 0) {
        Out.push_back(barcode::MakeEntry(barcode::AlphanumericValue(At(Data, Start + Length - 1)), 6));
    }
}

void EncodeByte(std::string_view Data, int Start, int Length, barcode::BitStream &Out) {
    for (int i = 0; i < Length; ++i) Out.push_back(barcode::MakeEntry(At(Data, Start + i), 8));
}

void EncodeKanji(std::string_view Data, int Start, int Length, barcode::BitStream &Out) {
    for (int i = 0; i + 1 < Length; i += 2) {
        unsigned c = At(Data, Start + i) << 8 | At(Data, Start + i + 1);
        c -= c < 0x9FFD ? 0x8140 : 0xC140;
        Out.push_back(barcode::MakeEntry((c >> 8) * 0xC0 + (c & 0xFF), 13));
    }
}

namespace barcode {

void EncodeSegments(std::string_view data, int version, const SegmentList &segments, BitStream &out) {
    for (const Segment &segment : segments) {
        unsigned short count = 0, indicator = 0;
        unsigned char countBits = 0, indicatorBits = 0;
        GetEncodeHeaderParameters(version, segment.Mode, segment.Length, count, indicator, countBits,
                                  indicatorBits);
        out.push_back(MakeEntry(indicator, indicatorBits));
        out.push_back(MakeEntry(count, countBits));
        using FieldEncoder = void (*)(std::string_view, int, int, BitStream &);
        static constexpr FieldEncoder kFieldEncoders[] = {nullptr, EncodeNumeric, EncodeAlphanumeric,
                                                          EncodeByte, EncodeKanji};
        switch (segment.Mode) {
            case emECI:
                EncodeEciDesignator(segment.Value, out);
                break;
            case emStructAppend:
                out.push_back(MakeEntry(segment.Value, 8));
                out.push_back(MakeEntry(segment.Extra, 8));
                break;
            case emFNC1B:
                out.push_back(MakeEntry(segment.Value, 8));
                break;
            case emNumeric:
            case emAlphanumeric:
            case emByte:
            case emKanji:
                kFieldEncoders[segment.Mode](data, segment.Start, segment.Length, out);
                break;
            default:  // FNC1 in first position has no fields
                break;
        }
    }
}

int BitCountOf(const BitStream &stream) {
    int bits = 0;
    for (std::uint32_t entry : stream) bits += static_cast<int>(EntryWidth(entry));
    return bits;
}

}  // namespace barcode
