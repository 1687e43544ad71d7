// The primitives against the published worked example of DES (key 133457799BBCDFF1, message
// 0123456789ABCDEF): the intermediate values of the key schedule and of the first round.
#include "qrpayload/des_primitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> Bits(std::string_view digits) {
    std::string clean;
    std::copy_if(digits.begin(), digits.end(), std::back_inserter(clean), [](char c) { return c != ' '; });
    EXPECT_EQ(clean.size(), N);
    std::array<std::uint8_t, N> bits{};
    for (std::size_t i = 0; i < N && i < clean.size(); ++i) bits[i] = clean[i] == '1';
    return bits;
}

constexpr std::array<std::uint8_t, 8> kKey = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
constexpr std::array<std::uint8_t, 8> kMessage = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

TEST(DesPrimitives, KeyScheduleOfTheWorkedExample) {
    DesBits28 C0, D0;
    DesPermutedChoice1(kKey, C0, D0);
    EXPECT_EQ(C0, Bits<28>("1111000011001100101010101111"));
    EXPECT_EQ(D0, Bits<28>("0101010101100110011110001111"));

    // Each subkey is rotated afresh from C0, D0 and still equals the iterated schedule's.
    const struct {
        int r;
        const char *subkey;
    } cases[] = {
        {0, "000110 110000 001011 101111 111111 000111 000001 110010"},
        {1, "011110 011010 111011 011001 110110 111100 100111 100101"},
        {15, "110010 110011 110110 001011 000011 100001 011111 110101"},
    };
    for (const auto &c : cases) {
        DesBits28 C, D;
        DesBits48 K;
        DesRoundKeyShift(C0, D0, c.r, C, D);
        DesPermutedChoice2(C, D, K);
        EXPECT_EQ(K, Bits<48>(c.subkey)) << "round index " << c.r;
    }
}

TEST(DesPrimitives, FirstRoundOfTheWorkedExample) {
    DesBits32 L, R;
    DesInitialPermutation(kMessage, L, R);
    EXPECT_EQ(L, Bits<32>("1100 1100 0000 0000 1100 1100 1111 1111"));
    EXPECT_EQ(R, Bits<32>("1111 0000 1010 1010 1111 0000 1010 1010"));

    DesBits48 X;
    DesExpand(R, X);
    EXPECT_EQ(X, Bits<48>("011110 100001 010101 010101 011110 100001 010101 010101"));
    DesXor48(X, Bits<48>("000110 110000 001011 101111 111111 000111 000001 110010"), X);
    EXPECT_EQ(X, Bits<48>("011000 010001 011110 111010 100001 100110 010100 100111"));

    DesBits32 F;
    DesSBoxes(X, F);
    EXPECT_EQ(F, Bits<32>("0101 1100 1000 0010 1011 0101 1001 0111"));
    DesPermuteP(F, F);
    EXPECT_EQ(F, Bits<32>("0010 0011 0100 1010 1010 1001 1011 1011"));
    DesXor32(F, L, F);
    EXPECT_EQ(F, Bits<32>("1110 1111 0100 1010 0110 0101 0100 0100"));
}

TEST(DesPrimitives, FinalPermutationOfTheWorkedExample) {
    // L16 and R16 of the example; the final permutation takes R16 first.
    const auto L16 = Bits<32>("0100 0011 0100 0010 0011 0010 0011 0100");
    const auto R16 = Bits<32>("0000 1010 0100 1100 1101 1001 1001 0101");
    std::array<std::uint8_t, 8> out;
    DesFinalPermutation(L16, R16, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 8>{0x85, 0xE8, 0x13, 0x54, 0x0F, 0x0A, 0xB4, 0x05}));
}

TEST(DesPrimitives, FinalPermutationInvertsTheInitialOne) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        std::array<std::uint8_t, 8> block, back;
        for (auto &b : block) b = static_cast<std::uint8_t>(random());
        DesBits32 L, R;
        DesInitialPermutation(block, L, R);
        DesFinalPermutation(R, L, back);
        ASSERT_EQ(back, block);
    }
}

}  // namespace
