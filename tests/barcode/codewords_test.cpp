#include "barcode/codewords.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "barcode/matrix.h"
#include "barcode/qr_encoder.h"
#include "barcode/qr_tables.h"
#include "barcode/reed_solomon.h"
#include "barcode/segmentation.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(QrTables, CapacitiesOfKnownVersions) {
    EXPECT_EQ(barcode::TotalCodewords(1), 26);
    EXPECT_EQ(barcode::TotalCodewords(7), 196);
    EXPECT_EQ(barcode::TotalCodewords(40), 3706);
    EXPECT_EQ(barcode::DataCodewords(1, elLowest), 19);
    EXPECT_EQ(barcode::DataCodewords(1, elHighest), 9);
    EXPECT_EQ(barcode::DataCodewords(5, elQuality), 62);
    EXPECT_EQ(barcode::DataCodewords(40, elLowest), 2956);
    EXPECT_EQ(barcode::AlignmentCoordinates(32), (std::vector<int>{6, 34, 60, 86, 112, 138}));
    EXPECT_EQ(barcode::FormatBits(elMedium, 0), 0x5412u);
    EXPECT_EQ(barcode::FormatBits(elLowest, 0), 0x77C4u);
    EXPECT_EQ(barcode::VersionBits(7), 0x07C94u);
}

// A single character-mode segment can never be longer than its count field allows in any version
// whose data bits could hold it.
TEST(QrTables, CountFieldsHoldEverySegmentThatFits) {
    for (int version = 1; version <= 40; ++version) {
        for (TQRCode_EncodeMode mode : {emNumeric, emAlphanumeric, emByte, emKanji}) {
            const int countBits = barcode::CountBits(mode, version);
            const int bits = barcode::DataCodewords(version, elLowest) * 8 - 4 - countBits;
            const int step = mode == emKanji ? 2 : 1;
            const int longest = (1 << countBits) - 1;
            EXPECT_GT(barcode::DataBits(mode, (longest + 1) * step), bits)
                << "version " << version << " mode " << mode;
        }
    }
}

TEST(ReedSolomon, ParityOfHelloWorldAtOneM) {
    const Bytes data = {32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17};
    Bytes parity(10);
    RS_Encode(10, parity.data(), static_cast<int>(data.size()), data.data());
    EXPECT_EQ(parity, (Bytes{196, 35, 39, 119, 235, 215, 231, 226, 93, 23}));
}

TEST(Codewords, HelloWorldDataCodewordsWithTerminatorAndPads) {
    barcode::QrParameters parameters;
    parameters.EccLevel = elMedium;
    parameters.EccLevelUpgrade = false;
    barcode::QrTextState state;
    barcode::ConfigureText("HELLO WORLD", parameters, state);
    bool fits = false;
    barcode::CalculateDimension(parameters, state, fits);
    ASSERT_TRUE(fits);
    const Bytes sequence = barcode::LevelTwoCodewords(state.Stream, 1, elMedium);
    EXPECT_EQ(sequence, (Bytes{32, 91,  11, 120, 209, 114, 220, 77,  67,  64,  236, 17, 236,
                               17, 236, 17, 196, 35,  39,  119, 235, 215, 231, 226, 93, 23}));
}

TEST(Codewords, OneBlockIsDataThenParity) {
    Bytes data(19);
    std::iota(data.begin(), data.end(), 1);
    const Bytes sequence = barcode::InterleaveWithParity(data, 1, elLowest);
    ASSERT_EQ(sequence.size(), 26u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), sequence.begin()));
    Bytes parity(7);
    RS_Encode(7, parity.data(), 19, data.data());
    EXPECT_TRUE(std::equal(parity.begin(), parity.end(), sequence.begin() + 19));
}

TEST(Codewords, FiveQInterleavesTheLongerBlocksLast) {
    Bytes data(62);
    std::iota(data.begin(), data.end(), 0);
    const Bytes sequence = barcode::InterleaveWithParity(data, 5, elQuality);
    ASSERT_EQ(sequence.size(), 134u);
    // Blocks hold 15, 15, 16 and 16 codewords: the first four of the sequence start each block.
    EXPECT_EQ(sequence[0], 0);
    EXPECT_EQ(sequence[1], 15);
    EXPECT_EQ(sequence[2], 30);
    EXPECT_EQ(sequence[3], 46);
    // The 61st and 62nd codewords are the 16th of blocks 3 and 4; parity starts at the 63rd.
    EXPECT_EQ(sequence[60], 45);
    EXPECT_EQ(sequence[61], 61);
    Bytes firstParity(18);
    RS_Encode(18, firstParity.data(), 15, data.data());
    EXPECT_EQ(sequence[62], firstParity[0]);
}

TEST(Codewords, TerminatorTakesWhatIsLeftUpToFourBits) {
    struct Case {
        int ones;
        Bytes tail;  // the last data codewords
    };
    const Case cases[] = {
        {152, {0xFF, 0xFF}},  // full: no terminator, no pad
        {149, {0xFF, 0xF8}},  // 3 bits left: 3 terminator bits
        {148, {0xFF, 0xF0}},  // 4 bits left
        {144, {0xFF, 0x00}},  // a terminator and zero fill make the last codeword
        {136, {0x00, 0xEC}},  // then pad codewords
        {120, {0x00, 0xEC, 0x11, 0xEC}},
    };
    for (const Case &c : cases) {
        barcode::BitStream stream;
        for (int i = 0; i < c.ones; ++i) stream.push_back(barcode::MakeEntry(1, 1));
        const Bytes data = barcode::DataCodewordsOf(stream, 1, elLowest);
        ASSERT_EQ(data.size(), 19u);
        EXPECT_TRUE(std::equal(c.tail.begin(), c.tail.end(), data.end() - c.tail.size())) << c.ones;
    }
}

}  // namespace
