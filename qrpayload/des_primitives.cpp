#include "qrpayload/des_primitives.h"

#include <cstddef>

namespace {

// The tables of FIPS 46-3, with their 1-based bit positions.
constexpr std::array<std::uint8_t, 64> kIP = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                                              62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                                              57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                                              61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr std::array<std::uint8_t, 56> kPC1 = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                               10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                               63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                               14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr std::array<std::uint8_t, 48> kPC2 = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::array<std::uint8_t, 48> kE = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                             12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                             22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

constexpr std::array<std::uint8_t, 32> kP = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                             2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr std::array<std::uint8_t, 16> kShifts = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr std::uint8_t kSBoxes[8][4][16] = {{{14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7},
                                             {0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11, 9, 5, 3, 8},
                                             {4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0},
                                             {15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13}},
                                            {{15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10},
                                             {3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10, 6, 9, 11, 5},
                                             {0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15},
                                             {13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9}},
                                            {{10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8},
                                             {13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14, 12, 11, 15, 1},
                                             {13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7},
                                             {1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12}},
                                            {{7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15},
                                             {13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12, 1, 10, 14, 9},
                                             {10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4},
                                             {3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14}},
                                            {{2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9},
                                             {14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10, 3, 9, 8, 6},
                                             {4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14},
                                             {11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3}},
                                            {{12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11},
                                             {10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14, 0, 11, 3, 8},
                                             {9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6},
                                             {4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13}},
                                            {{4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1},
                                             {13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12, 2, 15, 8, 6},
                                             {1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2},
                                             {6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12}},
                                            {{13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7},
                                             {1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11, 0, 14, 9, 2},
                                             {7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8},
                                             {2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11}}};

using Bits64 = std::array<std::uint8_t, 64>;

Bits64 Unpack(DesBlockBytes bytes) {
    Bits64 bits{};
    for (std::size_t k = 0; k < bits.size(); ++k) bits[k] = (bytes[k / 8] >> (7 - k % 8)) & 1;
    return bits;
}

void RotateLeft(const DesBits28 &in, int amount, DesBits28 &out) {
    for (std::size_t k = 0; k < in.size(); ++k) out[k] = in[(k + amount) % in.size()];
}

}  // namespace

void DesInitialPermutation(DesBlockBytes in, DesBits32 &L, DesBits32 &R) {
    const Bits64 bits = Unpack(in);
    for (std::size_t i = 0; i < 32; ++i) {
        L[i] = bits[kIP[i] - 1];
        R[i] = bits[kIP[i + 32] - 1];
    }
}

void DesPermutedChoice1(DesBlockBytes key, DesBits28 &C, DesBits28 &D) {
    const Bits64 bits = Unpack(key);
    for (std::size_t i = 0; i < 28; ++i) {
        C[i] = bits[kPC1[i] - 1];
        D[i] = bits[kPC1[i + 28] - 1];
    }
}

void DesExpand(const DesBits32 &R, DesBits48 &out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = R[kE[i] - 1];
}

void DesRoundKeyShift(const DesBits28 &C0, const DesBits28 &D0, int r, DesBits28 &C, DesBits28 &D) {
    int amount = 0;
    for (int k = 0; k <= r; ++k) amount += kShifts[k];
    RotateLeft(C0, amount, C);
    RotateLeft(D0, amount, D);
}

void DesPermutedChoice2(const DesBits28 &C, const DesBits28 &D, DesBits48 &K) {
    for (std::size_t i = 0; i < K.size(); ++i) {
        const std::size_t from = kPC2[i] - 1;
        K[i] = from < 28 ? C[from] : D[from - 28];
    }
}

void DesXor48(const DesBits48 &a, const DesBits48 &b, DesBits48 &out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = a[i] ^ b[i];
}

void DesSBoxes(const DesBits48 &in, DesBits32 &out) {
    for (std::size_t g = 0; g < 8; ++g) {
        const std::uint8_t *b = &in[6 * g];
        const int row = 2 * b[0] + b[5];
        const int column = 8 * b[1] + 4 * b[2] + 2 * b[3] + b[4];
        const std::uint8_t entry = kSBoxes[g][row][column];
        for (std::size_t k = 0; k < 4; ++k) out[4 * g + k] = (entry >> (3 - k)) & 1;
    }
}

void DesPermuteP(const DesBits32 &in, DesBits32 &out) {
    const DesBits32 copy = in;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = copy[kP[i] - 1];
}

void DesXor32(const DesBits32 &a, const DesBits32 &b, DesBits32 &out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = a[i] ^ b[i];
}

void DesFinalPermutation(const DesBits32 &L, const DesBits32 &R, std::span<std::uint8_t, 8> out) {
    Bits64 bits{};
    for (std::size_t i = 0; i < 32; ++i) {
        bits[kIP[i] - 1] = R[i];
        bits[kIP[i + 32] - 1] = L[i];
    }
    for (std::size_t k = 0; k < 8; ++k) {
        std::uint8_t byte = 0;
        for (std::size_t j = 0; j < 8; ++j) byte = static_cast<std::uint8_t>((byte << 1) | bits[8 * k + j]);
        out[k] = byte;
    }
}
