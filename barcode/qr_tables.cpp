#include "barcode/qr_tables.h"

#include <array>

namespace barcode {

namespace {

// Indexed [level][version]; entry 0 unused.
constexpr std::array<std::array<unsigned char, 41>, 4> kParityPerBlock = {{
    {0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0,  13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
}};

constexpr std::array<std::array<unsigned char, 41>, 4> kBlockCount = {{
    {0, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0,  1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0,  1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
}};

// Character-count widths [mode - 1][group] for numeric, alphanumeric, byte and Kanji.
constexpr int kCountBits[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};

// Bits left after one numeric header -> digits: three per ten bits, one per 4, two per 7.
constexpr int kDigitsOfRemainder[10] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2};

}  // namespace

int VersionGroup(int version) {
    return version <= 9 ? 0 : version <= 26 ? 1 : 2;
}

int CountBits(TQRCode_EncodeMode mode, int version) {
    if (mode < emNumeric || mode > emKanji) return 0;
    return kCountBits[mode - 1][VersionGroup(version)];
}

std::vector<int> AlignmentCoordinates(int version) {
    if (version < 2) return {};
    // The centres are evenly spaced from the last one (size - 7) back towards 6, with an even step.
    const int count = version / 7 + 2;
    const int step = version == 32 ? 26 : (version * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
    std::vector<int> result(count);
    result[0] = 6;
    for (int i = count - 1, position = SymbolSize(version) - 7; i >= 1; --i, position -= step) {
        result[i] = position;
    }
    return result;
}

int TotalCodewords(int version) {
    const int n = SymbolSize(version);
    const int a = static_cast<int>(AlignmentCoordinates(version).size());
    int raw = n * n - 192 - 2 * (n - 16) - 31;
    if (a >= 2) raw -= 25 * (a * a - 3) - 10 * (a - 2);
    if (version >= 7) raw -= 36;
    return raw / 8;
}

int BlockCount(int version, TQRCode_EccLevel level) {
    return kBlockCount[level][version];
}

int ParityPerBlock(int version, TQRCode_EccLevel level) {
    return kParityPerBlock[level][version];
}

int DataCodewords(int version, TQRCode_EccLevel level) {
    return TotalCodewords(version) - BlockCount(version, level) * ParityPerBlock(version, level);
}

int DigitCapacity(int version, TQRCode_EccLevel level, int extraBits) {
    const int bits = DataCodewords(version, level) * 8 - CountBits(emNumeric, version) - 4 - extraBits;
    if (bits < 0) return 0;
    return bits / 10 * 3 + kDigitsOfRemainder[bits % 10];
}

}  // namespace barcode
