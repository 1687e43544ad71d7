#include "barcode/masking.h"

#include <bitset>
#include <cmath>
#include <cstdint>
#include <vector>

#include "barcode/matrix.h"

namespace barcode {

namespace {

constexpr int kFinderLikeScore = 40;
constexpr int kBlockScore = 3;
constexpr int kMaxSide = 177;
// The mask conditions repeat every 12 rows and every 12 columns.
constexpr int kMaskPeriod = 12;

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

// Where each mask holds in rows 0-11 (as functions of the column) and in columns 0-11 (as
// functions of the row), over the longest line; the conditions repeat beyond, and the modules past
// a symbol's side are never data, so one table serves every size. Built once.
template <class Line>
struct MaskPatterns {
    Line rows[8][kMaskPeriod], columns[8][kMaskPeriod];

    MaskPatterns() {
        Fill<0>();
        Fill<1>();
        Fill<2>();
        Fill<3>();
        Fill<4>();
        Fill<5>();
        Fill<6>();
        Fill<7>();
    }

    template <int Mask>
    void Fill() {
        for (int k = 0; k < kMaskPeriod; ++k) {
            for (std::size_t i = 0; i < rows[Mask][k].size(); ++i) {
                rows[Mask][k][i] = MaskHolds<Mask>(k, i);
                columns[Mask][k][i] = MaskHolds<Mask>(i, k);
            }
        }
    }
};

// Set bits of a line, counted a 64-bit word at a time without a library call.
template <std::size_t Bits>
int CountOf(const std::bitset<Bits> &line) {
    static const std::bitset<Bits> kWord(~0ull);
    int count = 0;
    for (std::size_t shift = 0; shift < Bits; shift += 64) {
        std::uint64_t x = ((line >> shift) & kWord).to_ullong();
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        count += static_cast<int>((x * 0x0101010101010101ull) >> 56);
    }
    return count;
}

// Scores of the matrix under each mask, worked on whole lines of bits: the colours and data
// modules are read once, in rows and in columns, and each mask only flips the data bits. A row or
// column is `Bits` bits, module k at bit k (1 dark), as few words as the symbol's side needs.
template <std::size_t Bits>
class MaskScorer {
    using Line = std::bitset<Bits>;

public:
    explicit MaskScorer(const TMapMatrix &m) : n_(static_cast<int>(m.size())) {
        rows_.resize(n_);
        columns_.resize(n_);
        dataRows_.resize(n_);
        dataColumns_.resize(n_);
        for (int r = 0; r < n_; ++r) {
            for (int c = 0; c < n_; ++c) {
                const std::uint8_t module = m[r][c];
                rows_[r][c] = columns_[c][r] = (module & 1) != 0;
                dataRows_[r][c] = dataColumns_[c][r] = (module & mkData) != 0;
            }
        }
        for (int k = 0; k < n_; ++k) valid_[k] = true;
        for (int k = 6; k < n_; ++k) finderEnds_[k] = true;
        blockStarts_ = valid_ >> 1 & valid_;
    }

    // Reads row and column `k` again (the format information lies there).
    void ReloadCross(const TMapMatrix &m, int k) {
        for (int i = 0; i < n_; ++i) {
            rows_[k][i] = columns_[i][k] = (m[k][i] & 1) != 0;
            rows_[i][k] = columns_[k][i] = (m[i][k] & 1) != 0;
        }
    }

    int Score(unsigned char mask) const {
        static const MaskPatterns<Line> kPatterns;
        const Line *rowPatterns = kPatterns.rows[mask & 7];
        const Line *columnPatterns = kPatterns.columns[mask & 7];
        int score = 0;
        std::size_t dark = 0;
        Line previous;
        for (int r = 0; r < n_; ++r) {
            const Line row = rows_[r] ^ (dataRows_[r] & rowPatterns[r % kMaskPeriod]);
            score += LineScore(row);
            dark += CountOf(row);
            if (r > 0) score += BlockScore(previous, row);
            previous = row;
        }
        for (int c = 0; c < n_; ++c) {
            score += LineScore(columns_[c] ^ (dataColumns_[c] & columnPatterns[c % kMaskPeriod]));
        }
        const double share = 100.0 * static_cast<double>(dark) / (static_cast<double>(n_) * n_);
        return score + static_cast<int>(std::nearbyint(std::fabs(share - 50.0) * 2.0));
    }

private:
    // Runs longer than five score length - 2: 4 where a run reaches six modules and 1 for each
    // module beyond. Dark, light, dark, dark, dark, light, dark (the same read either way) scores 40.
    int LineScore(const Line &line) const {
        const Line equal = ~(line ^ (line << 1)) & valid_ & ~Line(1);  // module k as module k - 1
        const Line six = equal & (equal << 1) & (equal << 2) & (equal << 3) & (equal << 4);
        const Line seven = six & (equal << 5);
        const Line light = ~line;
        const Line finder = line & (light << 1) & (line << 2) & (line << 3) & (line << 4) & (light << 5) &
                            (line << 6) & finderEnds_;
        const int sevens = CountOf(seven);
        return 4 * (CountOf(six) - sevens) + sevens + kFinderLikeScore * CountOf(finder);
    }

    // Uniform 2 x 2 squares of two neighbouring lines.
    int BlockScore(const Line &a, const Line &b) const {
        const Line dark = a & b & (a >> 1) & (b >> 1);
        const Line light = ~(a | b | (a >> 1) | (b >> 1));
        return kBlockScore * CountOf((dark | light) & blockStarts_);
    }

    int n_;
    std::vector<Line> rows_, columns_, dataRows_, dataColumns_;
    Line valid_, finderEnds_, blockStarts_;
};

// Runs `work` on a scorer of the matrix whose lines are the shortest that hold its side.
template <class Work>
auto WithScorer(const TMapMatrix &m, Work work) {
    static_assert(kMaxSide <= 192);
    if (m.size() <= 64) {
        MaskScorer<64> scorer(m);
        return work(scorer);
    }
    if (m.size() <= 128) {
        MaskScorer<128> scorer(m);
        return work(scorer);
    }
    MaskScorer<192> scorer(m);
    return work(scorer);
}

}  // namespace

}  // namespace barcode

int GetMaskValue(unsigned char Mask, unsigned short Row, unsigned short Column) {
    using Condition = bool (*)(unsigned, unsigned);
    static constexpr Condition kConditions[8] = {
        barcode::MaskHolds<0>, barcode::MaskHolds<1>, barcode::MaskHolds<2>, barcode::MaskHolds<3>,
        barcode::MaskHolds<4>, barcode::MaskHolds<5>, barcode::MaskHolds<6>, barcode::MaskHolds<7>};
    return kConditions[Mask & 7](Row, Column) ? 1 : 0;
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
    return barcode::WithScorer(M, [Mask](const auto &scorer) { return scorer.Score(Mask); });
}

unsigned char GetOptimalMask(TMapMatrix &M, TQRCode_EccLevel Level) {
    // The format information, rewritten for each mask, lies in row and column 8 only.
    constexpr int kFormatLine = 8;
    return barcode::WithScorer(M, [&M, Level](auto &scorer) {
        unsigned char best = 0;
        int bestScore = 0;
        for (unsigned char mask = 0; mask < 8; ++mask) {
            DrawFormatPattern(M, Level, mask);
            scorer.ReloadCross(M, kFormatLine);
            const int score = scorer.Score(mask);
            if (mask == 0 || score < bestScore) {
                best = mask;
                bestScore = score;
            }
        }
        return best;
    });
}
