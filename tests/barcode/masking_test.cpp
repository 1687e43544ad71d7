#include "barcode/masking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "barcode/matrix.h"
#include "barcode/qr_encoder.h"
#include "barcode/qr_tables.h"

namespace {

// A matrix of function modules (never masked) from rows of '#' (dark) and '.' (light).
TMapMatrix Pattern(const std::vector<std::string> &rows) {
    TMapMatrix m(rows.size(), std::vector<std::uint8_t>(rows.size(), barcode::mkTiming));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows.size(); ++c) m[r][c] |= rows[r][c] == '#' ? 1 : 0;
    }
    return m;
}

int MaskOf(const TMapMatrix &m) {
    const int n = static_cast<int>(m.size());
    const int rows[15] = {0, 1, 2, 3, 4, 5, 7, 8, n - 7, n - 6, n - 5, n - 4, n - 3, n - 2, n - 1};
    unsigned bits = 0;
    for (int i = 0; i < 15; ++i) bits |= static_cast<unsigned>(m[rows[i]][8] & 1) << i;
    return static_cast<int>(((bits ^ 0x5412) >> 10) & 7);
}

// A checkerboard has no runs, blocks or finder-like sequences; one row changed shows one rule.
std::vector<std::string> Checkerboard(int n) {
    std::vector<std::string> rows(n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) rows[r] += (r + c) % 2 ? '#' : '.';
    }
    return rows;
}

TEST(MaskScore, RunOfFiveScoresNothingAndRunOfSixScoresFour) {
    std::vector<std::string> rows = Checkerboard(8);
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 0);  // 32 of 64 dark
    rows[0] = "#####.#.";
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 6);  // 34 dark: |53.125 - 50| x 2 rounds to 6
    rows[0] = "######.#";
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 4 + 9);  // the run; 35 dark: 9.375 rounds to 9
}

TEST(MaskScore, FinderLikeSequenceNeedsNoLightMargin) {
    std::vector<std::string> rows = Checkerboard(9);
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 1);  // 40 of 81 dark
    // Dark, light, dark, dark, dark, light, dark at the edge and touching a dark module.
    rows[0] = "#.###.##.";
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 40 + 4);  // 42 dark: 3.7 rounds to 4
}

TEST(MaskScore, RulesHoldUpToTheLastModuleOfAColumn) {
    // The previous case mirrored into the last column, read from the top: the sequence ends at the
    // last module.
    std::vector<std::string> rows = Checkerboard(9);
    const std::string column = ".##.###.#";
    for (int r = 0; r < 9; ++r) rows[r][8] = column[r];
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 40 + 4);
    // Six dark modules at the bottom of the last column.
    rows = Checkerboard(8);
    const std::string run = "#.######";
    for (int r = 0; r < 8; ++r) rows[r][7] = run[r];
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 4 + 9);  // 35 of 64 dark
}

TEST(MaskScore, UniformBlocksScoreThreeEach) {
    std::vector<std::string> rows = Checkerboard(8);
    rows[0] = "##.#.#.#";  // with row 1 "#.#.#.#.": no block yet
    rows[1] = "##.#.#.#";  // one dark 2 x 2 block; 34 dark
    EXPECT_EQ(GetMaskScore(Pattern(rows), 0), 3 + 6);
}

TEST(MaskScore, FindersAloneScoreAtLeast720) {
    TMapMatrix m = barcode::EmptyMatrix(1);
    DrawFinderPattern(m, 0, 0);
    DrawFinderPattern(m, 14, 0);
    DrawFinderPattern(m, 0, 14);
    EXPECT_GE(GetMaskScore(m, 0), 720);
}

TEST(MaskChoice, LowestScoreWinsAndTheLowerMaskOnTies) {
    // For these texts two masks share the lowest score: "110" masks 1 and 3, "121" masks 2 and 7.
    for (const auto &[text, mask] : {std::pair<const char *, int>{"110", 1}, {"121", 2}}) {
        barcode::QrSymbol symbol;
        ASSERT_EQ(barcode::EncodeSymbol(text, barcode::QrParameters{}, symbol), 0);
        EXPECT_EQ(MaskOf(symbol.Matrix), mask) << text;
    }
}

TEST(MaskChoice, MaskIsItsOwnInverseAndSparesFunctionModules) {
    barcode::QrSymbol symbol;
    ASSERT_EQ(barcode::EncodeSymbol("MASK 1234", barcode::QrParameters{}, symbol), 0);
    TMapMatrix twice = symbol.Matrix;
    ApplyMask(twice, 5);
    ApplyMask(twice, 5);
    EXPECT_EQ(twice, symbol.Matrix);
    TMapMatrix once = symbol.Matrix;
    ApplyMask(once, 0);
    const int n = static_cast<int>(once.size());
    EXPECT_EQ(once[n - 8][8], barcode::mkDarkModule);
    for (int j = 8; j <= n - 9; ++j) EXPECT_EQ(once[6][j], symbol.Matrix[6][j]);
}

TEST(Matrix, VersionOneAndSevenLayout) {
    barcode::QrSymbol symbol;
    barcode::QrParameters parameters;
    ASSERT_EQ(barcode::EncodeSymbol("1", parameters, symbol), 0);
    int data = 0, version = 0, alignment = 0;
    for (const auto &row : symbol.Matrix) {
        for (std::uint8_t m : row) {
            data += (m & 0xFE) == barcode::mkData;
            version += (m & 0xFE) == barcode::mkVersion;
            alignment += (m & 0xFE) == barcode::mkAlignment;
        }
    }
    EXPECT_EQ(data, 208);  // 26 codewords, no remainder bits
    EXPECT_EQ(version, 0);
    EXPECT_EQ(alignment, 0);

    parameters.MinVersion = 7;
    ASSERT_EQ(barcode::EncodeSymbol("1", parameters, symbol), 0);
    ASSERT_EQ(symbol.Version, 7);
    const int n = 45;
    const unsigned bits = barcode::VersionBits(7);
    for (int i = 0; i < 18; ++i) {
        const int bit = static_cast<int>((bits >> i) & 1);
        EXPECT_EQ(symbol.Matrix[i / 3][n - 11 + i % 3], barcode::mkVersion | bit);
        EXPECT_EQ(symbol.Matrix[n - 11 + i % 3][i / 3], barcode::mkVersion | bit);
    }
}

}  // namespace

namespace {

// The penalty counted module by module: runs of six or more score length - 2, each
// dark-light-dark-dark-dark-light-dark sequence 40, each uniform 2 x 2 square 3, and twice the
// distance of the dark share from 50 %.
int PlainScore(const TMapMatrix &m, unsigned char mask) {
    const int n = static_cast<int>(m.size());
    std::vector<std::vector<int>> dark(n, std::vector<int>(n));
    int darkCount = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            dark[r][c] = (m[r][c] & 1) ^ ((m[r][c] & barcode::mkData) ? GetMaskValue(mask, r, c) : 0);
            darkCount += dark[r][c];
        }
    int score = 0;
    for (const bool rows : {true, false}) {
        for (int a = 0; a < n; ++a) {
            const auto at = [&](int b) { return rows ? dark[a][b] : dark[b][a]; };
            for (int b = 0, run = 1; b < n; ++b, ++run) {
                if (b + 1 < n && at(b + 1) == at(b)) continue;
                if (run >= 6) score += run - 2;
                run = 0;
            }
            for (int b = 0; b + 7 <= n; ++b) {
                static constexpr int kFinder[7] = {1, 0, 1, 1, 1, 0, 1};
                int k = 0;
                while (k < 7 && at(b + k) == kFinder[k]) ++k;
                if (k == 7) score += 40;
            }
        }
    }
    for (int r = 0; r + 1 < n; ++r)
        for (int c = 0; c + 1 < n; ++c)
            if (dark[r][c] == dark[r][c + 1] && dark[r][c] == dark[r + 1][c] && dark[r][c] == dark[r + 1][c + 1])
                score += 3;
    return score + static_cast<int>(std::nearbyint(std::fabs(100.0 * darkCount / (n * n) - 50.0) * 2.0));
}

}  // namespace

// Symbols of every line width the scorer works with, near their limits, scored against the plain
// count for every mask.
TEST(MaskScore, EveryWidthScoresAsCountedModuleByModule) {
    std::mt19937 random(17);
    for (const int n : {21, 61, 65, 125, 129, 177}) {
        TMapMatrix m(n, std::vector<std::uint8_t>(n));
        for (auto &row : m)
            for (auto &module : row) module = static_cast<std::uint8_t>((random() % 2) | (random() % 3 ? barcode::mkData : 0));
        for (unsigned char mask = 0; mask < 8; ++mask)
            EXPECT_EQ(GetMaskScore(m, mask), PlainScore(m, mask)) << "side " << n << " mask " << int(mask);
    }
}
