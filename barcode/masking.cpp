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

template <int Mask>
bool MaskHolds(unsigned i, unsigned j) {
    if constexpr (Mask == 0) return (i + j) % 2 == 0;
    if constexpr (Mask == 1) return i % 2 == 0;
    if constexpr (Mask == 2) return j % 3 == 0;
    if constexpr (Mask == 3) return (i + j) % 3 == 0;
    if constexpr (Mask == 4) return (i / 2 + j / 3) % 2 == 0;
    if constexpr (Mask == 5) return (i * j) % 2 + (i * j) % 3 == 0;
    if constexpr (Mask == 6) return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    if constexpr (Mask == 7) return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
}

template <int Mask>
void FillMasked(const TMapMatrix &m, std::uint8_t *out) {
    const unsigned n = static_cast<unsigned>(m.size());
    for (unsigned row = 0; row < n; ++row) {
        const std::uint8_t *in = m[row].data();
        for (unsigned column = 0; column < n; ++column) {
            const std::uint8_t module = in[column];
            const bool flip = (module & mkData) != 0 && MaskHolds<Mask>(row, column);
            *out++ = static_cast<std::uint8_t>((module & 1) ^ (flip ? 1 : 0));
        }
    }
}

// Colours of the matrix with the mask applied, one byte (0 or 1) per module, row by row.
void MaskedColours(const TMapMatrix &m, unsigned char mask, std::vector<std::uint8_t> &colours) {
    colours.resize(m.size() * m.size());
    using Filler = void (*)(const TMapMatrix &, std::uint8_t *);
    static constexpr Filler kFillers[8] = {FillMasked<0>, FillMasked<1>, FillMasked<2>, FillMasked<3>,
                                           FillMasked<4>, FillMasked<5>, FillMasked<6>, FillMasked<7>};
    kFillers[mask & 7](m, colours.data());
}

// Run and finder-like scores, counted module by module without branches: a run scores 4 when it
// reaches six modules and 1 for each module beyond, which sums to length - 2 for runs over five.
struct LineState {
    std::uint8_t run = 0;
    std::uint8_t colour = 2;
    std::uint8_t window = 0;

    int Add(std::uint8_t c, std::uint8_t pattern) {
        run = static_cast<std::uint8_t>(c == colour ? run + 1 : 1);
        colour = c;
        window = static_cast<std::uint8_t>(((window << 1) | c) & 0x7F);
        return (run == 6) * 4 + (run > 6) + (window == pattern) * kFinderLikeScore;
    }
};

// The seven-module pattern to look for at `index`; none before seven modules were read.
std::uint8_t PatternAt(int index) {
    return index >= 6 ? kFinderLike : 0xFF;
}

int RowScore(const std::uint8_t *line, int n) {
    LineState state;
    int score = 0;
    for (int i = 0; i < n; ++i) score += state.Add(line[i], PatternAt(i));
    return score;
}

}  // namespace

}  // namespace barcode

int GetMaskValue(unsigned char Mask, unsigned short Row, unsigned short Column) {
    switch (Mask & 7) {
        case 0:
            return barcode::MaskHolds<0>(Row, Column);
        case 1:
            return barcode::MaskHolds<1>(Row, Column);
        case 2:
            return barcode::MaskHolds<2>(Row, Column);
        case 3:
            return barcode::MaskHolds<3>(Row, Column);
        case 4:
            return barcode::MaskHolds<4>(Row, Column);
        case 5:
            return barcode::MaskHolds<5>(Row, Column);
        case 6:
            return barcode::MaskHolds<6>(Row, Column);
        default:
            return barcode::MaskHolds<7>(Row, Column);
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
    std::vector<std::uint8_t> colours;
    barcode::MaskedColours(M, Mask, colours);
    int score = 0;
    int dark = 0;
    // Columns are scanned in parallel, row by row, so that every pass reads the colours in order.
    std::vector<barcode::LineState> columns(n);
    for (int row = 0; row < n; ++row) {
        const std::uint8_t *top = &colours[static_cast<std::size_t>(row) * n];
        score += barcode::RowScore(top, n);
        const std::uint8_t pattern = barcode::PatternAt(row);
        for (int column = 0; column < n; ++column) score += columns[column].Add(top[column], pattern);
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
