#include "barcode/matrix.h"

#include <algorithm>
#include <cstdlib>

#include "barcode/masking.h"
#include "barcode/qr_tables.h"

namespace barcode {

namespace {

// Remainder of value * x^(degree) divided by the generator (degree = bits of generator - 1).
unsigned BchCode(unsigned value, unsigned generator, int degree) {
    unsigned remainder = value << degree;
    for (int bit = 31; bit >= degree; --bit) {
        if ((remainder >> bit) & 1u) remainder ^= generator << (bit - degree);
    }
    return (value << degree) | remainder;
}

void Set(TMapMatrix &m, int row, int column, std::uint8_t kind, bool dark) {
    m[row][column] = static_cast<std::uint8_t>(kind | (dark ? 1 : 0));
}

}  // namespace

unsigned FormatBits(TQRCode_EccLevel level, unsigned mask) {
    const unsigned data = ((static_cast<unsigned>(level) ^ 1u) << 3) | (mask & 7u);
    return BchCode(data, 0x537, 10) ^ 0x5412;
}

unsigned VersionBits(int version) {
    return BchCode(static_cast<unsigned>(version), 0x1F25, 12);
}

TMapMatrix EmptyMatrix(int version) {
    const int n = SymbolSize(version);
    return TMapMatrix(n, std::vector<std::uint8_t>(n, 0));
}

void PlaceModules(TMapMatrix &matrix, const std::vector<unsigned char> &codewords, int version,
                  TQRCode_EccLevel level) {
    const int n = SymbolSize(version);
    DrawFinderPattern(matrix, 0, 0);
    DrawFinderPattern(matrix, n - 7, 0);
    DrawFinderPattern(matrix, 0, n - 7);
    DrawTimingPattern(matrix);
    DrawAlignmentPatterns(matrix, version);
    DrawFormatPattern(matrix, level, 0);
    DrawVersionPattern(matrix, version);
    matrix[n - 8][8] = mkDarkModule;
    DrawCodeWords(matrix, codewords.data(), static_cast<int>(codewords.size()), version, level);
    const unsigned char mask = GetOptimalMask(matrix, level);
    DrawFormatPattern(matrix, level, mask);
    ApplyMask(matrix, mask);
}

}  // namespace barcode

using barcode::Set;

void DrawFinderPattern(TMapMatrix &M, int X, int Y) {
    const int n = static_cast<int>(M.size());
    for (int dy = -1; dy <= 7; ++dy) {
        for (int dx = -1; dx <= 7; ++dx) {
            const int row = Y + dy, column = X + dx;
            if (row < 0 || row >= n || column < 0 || column >= n) continue;
            // Chebyshev distance from the centre: core 0-1, light ring 2, dark ring 3, separator 4.
            const int distance = std::max(std::abs(dx - 3), std::abs(dy - 3));
            Set(M, row, column, barcode::mkFinder, distance != 2 && distance != 4);
        }
    }
}

void DrawTimingPattern(TMapMatrix &M) {
    const int n = static_cast<int>(M.size());
    for (int j = 8; j <= n - 9; ++j) {
        Set(M, 6, j, barcode::mkTiming, j % 2 == 0);
        Set(M, j, 6, barcode::mkTiming, j % 2 == 0);
    }
}

void DrawAlignmentPatterns(TMapMatrix &M, int Version) {
    const std::vector<int> coordinates = barcode::AlignmentCoordinates(Version);
    const std::size_t last = coordinates.size() - 1;
    for (std::size_t a = 0; a < coordinates.size(); ++a) {
        for (std::size_t b = 0; b < coordinates.size(); ++b) {
            // The three corners that meet the finders have none.
            if ((a == 0 && b == 0) || (a == 0 && b == last) || (a == last && b == 0)) continue;
            const int column = coordinates[a], row = coordinates[b];
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int distance = std::max(std::abs(dx), std::abs(dy));
                    Set(M, row + dy, column + dx, barcode::mkAlignment, distance != 1);
                }
            }
        }
    }
}

void DrawFormatPattern(TMapMatrix &M, TQRCode_EccLevel Level, unsigned char Mask) {
    const int n = static_cast<int>(M.size());
    const unsigned bits = barcode::FormatBits(Level, Mask);
    const int rows[15] = {0, 1, 2, 3, 4, 5, 7, 8, n - 7, n - 6, n - 5, n - 4, n - 3, n - 2, n - 1};
    const int columns[15] = {n - 1, n - 2, n - 3, n - 4, n - 5, n - 6, n - 7, n - 8, 7, 5, 4, 3, 2, 1, 0};
    for (int i = 0; i < 15; ++i) {
        const bool dark = (bits >> i) & 1u;
        Set(M, rows[i], 8, barcode::mkFormat, dark);
        Set(M, 8, columns[i], barcode::mkFormat, dark);
    }
}

void DrawVersionPattern(TMapMatrix &M, int Version) {
    if (Version < 7) return;
    const int n = static_cast<int>(M.size());
    const unsigned bits = barcode::VersionBits(Version);
    for (int i = 0; i < 18; ++i) {
        const bool dark = (bits >> i) & 1u;
        Set(M, i / 3, n - 11 + i % 3, barcode::mkVersion, dark);
        Set(M, n - 11 + i % 3, i / 3, barcode::mkVersion, dark);
    }
}

void DrawCodeWords(TMapMatrix &M, const unsigned char *Codewords, int Count, int /*Version*/,
                   TQRCode_EccLevel /*Level*/) {
    const int n = static_cast<int>(M.size());
    long bit = 0;
    const long totalBits = static_cast<long>(Count) * 8;
    bool upwards = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        for (int step = 0; step < n; ++step) {
            const int row = upwards ? n - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                if ((M[row][column] & 0xFC) != 0) continue;
                bool dark = false;
                if (bit < totalBits) dark = (Codewords[bit / 8] >> (7 - bit % 8)) & 1u;
                ++bit;
                Set(M, row, column, barcode::mkData, dark);
            }
        }
        upwards = !upwards;
    }
}
