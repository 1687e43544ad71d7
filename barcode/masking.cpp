#include "barcode/masking.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "barcode/matrix.h"

namespace barcode {

namespace {

constexpr unsigned kFinderLike = 0x5D;  // 1011101 read over seven modules
constexpr int kFinderLikeScore = 40;
constexpr int kBlockScore = 3;

// Colours of the matrix with the mask applied, one byte (0 or 1) per module, row by row.
std::vector<std::uint8_t> MaskedColours(const TMapMatrix &m, unsigned char mask) {
    const int n = static_cast<int>(m.size());
    std::vector<std::uint8_t> colours(static_cast<std::size_t>(n) * n);
    std::uint8_t *out = colours.data();
    for (int row = 0; row < n; ++row) {
        const std::uint8_t *in = m[row].data();
        for (int column = 0; column < n; ++column) {
            std::uint8_t colour = in[column] & 1;
            if (in[column] & mkData) colour ^= static_cast<std::uint8_t>(GetMaskValue(mask, row, column));
            *out++ = colour;
        }
    }
    return colours;
}

// Run and finder-like scores along one line, read through a stride.
int LineScore(const std::uint8_t *line, int n, int stride) {
    int score = 0;
    int run = 0;
    std::uint8_t runColour = 2;
    unsigned window = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t colour = line[static_cast<std::ptrdiff_t>(i) * stride];
        if (colour == runColour) {
            ++run;
        } else {
            if (run > 5) score += run - 2;
            run = 1;
            runColour = colour;
        }
        window = ((window << 1) | colour) & 0x7F;
        if (i >= 6 && window == kFinderLike) score += kFinderLikeScore;
    }
    if (run > 5) score += run - 2;
    return score;
}

}  // namespace

}  // namespace barcode

int GetMaskValue(unsigned char Mask, unsigned short Row, unsigned short Column) {
    const unsigned i = Row, j = Column;
    switch (Mask & 7) {
        case 0: return (i + j) % 2 == 0;
        case 1: return i % 2 == 0;
        case 2: return j % 3 == 0;
        case 3: return (i + j) % 3 == 0;
        case 4: return (i / 2 + j / 3) % 2 == 0;
        case 5: return (i * j) % 2 + (i * j) % 3 == 0;
        case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}

void ApplyMask(TMapMatrix &M, unsigned char Mask) {
    const int n = static_cast<int>(M.size());
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            if (M[row][column] & barcode::mkData) {
                M[row][column] ^= static_cast<std::uint8_t>(GetMaskValue(Mask, row, column));
            }
        }
    }
}

int GetMaskScore(const TMapMatrix &M, unsigned char Mask) {
    const int n = static_cast<int>(M.size());
    const std::vector<std::uint8_t> colours = barcode::MaskedColours(M, Mask);
    int score = 0;
    for (int row = 0; row < n; ++row) score += barcode::LineScore(&colours[row * n], n, 1);
    for (int column = 0; column < n; ++column) score += barcode::LineScore(&colours[column], n, n);
    int dark = 0;
    for (int row = 0; row < n; ++row) {
        const std::uint8_t *top = &colours[row * n];
        for (int column = 0; column < n; ++column) dark += top[column];
        if (row + 1 == n) break;
        const std::uint8_t *bottom = top + n;
        for (int column = 0; column + 1 < n; ++column) {
            const int sum = top[column] + top[column + 1] + bottom[column] + bottom[column + 1];
            if (sum == 0 || sum == 4) score += barcode::kBlockScore;
        }
    }
    const double share = 100.0 * dark / (static_cast<double>(n) * n);
    score += static_cast<int>(std::nearbyint(std::fabs(share - 50.0) * 2.0));
    return score;
}

unsigned char GetOptimalMask(TMapMatrix &M, TQRCode_EccLevel Level) {
    unsigned char best = 0;
    int bestScore = 0;
    for (unsigned char mask = 0; mask < 8; ++mask) {
        DrawFormatPattern(M, Level, mask);
        const int score = GetMaskScore(M, mask);
        if (mask == 0 || score < bestScore) {
            best = mask;
            bestScore = score;
        }
    }
    return best;
}
