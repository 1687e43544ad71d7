#include "barcode/segmentation.h"

#include "barcode/qr_tables.h"
#include "barcode/segment_search.h"

namespace barcode {

namespace {

constexpr int kNumericRemainderBits[3] = {0, 4, 7};

int EciDesignatorFields(unsigned designator) {
    return designator < 128 ? 1 : designator < 16384 ? 2 : 3;
}

bool AllOfClassAtMost(std::string_view text, CharClass highest) {
    for (unsigned char c : text) {
        if (ClassOf(c) > highest) return false;
    }
    return true;
}

bool IsKanjiText(std::string_view text) {
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (!IsShiftJisPair(text[i], text[i + 1])) return false;
    }
    return true;
}

// One segment for the whole text in the smallest mode that holds every character.
SegmentList SingleMode(std::string_view text, bool allowKanji) {
    TQRCode_EncodeMode mode = emByte;
    if (AllOfClassAtMost(text, ccDigit)) {
        mode = emNumeric;
    } else if (AllOfClassAtMost(text, ccAlphanumeric)) {
        mode = emAlphanumeric;
    } else if (allowKanji && IsKanjiText(text)) {
        mode = emKanji;
    }
    return {Segment{mode, 0, static_cast<int>(text.size())}};
}

}  // namespace

CharClass ClassOf(unsigned char c) {
    if (c >= '0' && c <= '9') return ccDigit;
    if (AlphanumericValue(c) >= 0) return ccAlphanumeric;
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEB)) return ccKanjiLead;
    return ccByte;
}

int AlphanumericValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    switch (c) {
        case ' ':
            return 36;
        case '$':
            return 37;
        case '%':
            return 38;
        case '*':
            return 39;
        case '+':
            return 40;
        case '-':
            return 41;
        case '.':
            return 42;
        case '/':
            return 43;
        case ':':
            return 44;
        default:
            return -1;
    }
}

bool IsShiftJisPair(unsigned char lead, unsigned char trail) {
    const bool leadOk = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEB);
    const bool trailOk = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return leadOk && trailOk && (lead != 0xEB || trail <= 0xBF);
}

int DataBits(TQRCode_EncodeMode mode, int length) {
    switch (mode) {
        case emNumeric:
            return length / 3 * 10 + kNumericRemainderBits[length % 3];
        case emAlphanumeric:
            return length / 2 * 11 + length % 2 * 6;
        case emByte:
            return length * 8;
        case emKanji:
            return length / 2 * 13;
        default:
            return 0;
    }
}

int DataFieldCount(TQRCode_EncodeMode mode, int length) {
    switch (mode) {
        case emNumeric:
            return (length + 2) / 3;
        case emAlphanumeric:
            return (length + 1) / 2;
        case emByte:
            return length;
        case emKanji:
            return length / 2;
        default:
            return 0;
    }
}

TEncodeStatistic SegmentStatistic(const Segment &segment, int version) {
    switch (segment.Mode) {
        case emECI: {
            const int fields = EciDesignatorFields(segment.Value);
            return {4 + 8 * fields, 2 + fields};
        }
        case emStructAppend:
            return {20, 4};
        case emFNC1A:
            return {4, 2};
        case emFNC1B:
            return {12, 3};
        default:
            return {4 + CountBits(segment.Mode, version) + DataBits(segment.Mode, segment.Length),
                    2 + DataFieldCount(segment.Mode, segment.Length)};
    }
}

TEncodeStatistic ListStatistic(const SegmentList &segments, int version) {
    TEncodeStatistic total;
    for (const Segment &segment : segments) {
        const TEncodeStatistic one = SegmentStatistic(segment, version);
        total.BitCount += one.BitCount;
        total.EntryCount += one.EntryCount;
    }
    return total;
}

void MergeSameModes(SegmentList &segments) {
    SegmentList merged;
    for (const Segment &segment : segments) {
        if (!merged.empty() && merged.back().Mode == segment.Mode) {
            merged.back().Length += segment.Length;
        } else {
            merged.push_back(segment);
        }
    }
    segments = std::move(merged);
}

}  // namespace barcode

void Analyse(std::string_view Data, int Version, TQRCode_EncodePolicy Policy, bool AllowKanjiMode,
             barcode::SegmentList &Segments, TEncodeStatistic &Statistic) {
    switch (Policy) {
        case epSingleMode:
            Segments = barcode::SingleMode(Data, AllowKanjiMode);
            break;
        case epMixingQuick:
            Segments = barcode::MixingQuick(Data, Version, AllowKanjiMode);
            break;
        case epMixingOptimal:
            Segments = barcode::MixingOptimal(Data, Version, AllowKanjiMode);
            break;
    }
    Statistic = barcode::ListStatistic(Segments, Version);
}

void GetEncodeHeaderParameters(int Version, TQRCode_EncodeMode Mode, int Length, unsigned short &Count,
                               unsigned short &Indicator, unsigned char &CountBits,
                               unsigned char &IndicatorBits) {
    static constexpr unsigned short kIndicators[] = {0, 0x1, 0x2, 0x4, 0x8, 0x7, 0x3, 0x5, 0x9};
    Indicator = kIndicators[Mode];
    IndicatorBits = Mode == emNull ? 0 : 4;
    CountBits = static_cast<unsigned char>(barcode::CountBits(Mode, Version));
    Count = CountBits == 0 ? 0 : static_cast<unsigned short>(Mode == emKanji ? Length / 2 : Length);
}
