#include "evaluation/zt_results.h"

#include <gtest/gtest.h>

#include "platform/runtime/numbers.h"

namespace evaluation {
namespace {

class ZtResults : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings.DecimalSeparator = ','; }
    ZtBlock Decode(std::vector<uint8_t> bytes, const char *k = "2000") {
        return DecodeZtBlock(state, bytes, k);
    }
    EvaluationState state;
};

TEST_F(ZtResults, HeaderCountsDistanceAndTimeBlocks) {
    EXPECT_EQ(Decode({0, 3, 0x82, 2, 1, 0, 0, 0, 0}).kind, ZtBlock::Kind::Header);
    EXPECT_EQ(state.ZtBlockCount, 2);
    EXPECT_EQ(state.ZtBlockEntries[2], 2);  // low seven bits

    const std::vector<uint8_t> entry{0x45, 0x23, 0x01, 0x00};
    struct Case {
        uint8_t block;
        ZtBlock::Kind kind;
        int tariff;
    };
    const Case cases[] = {
        {1, ZtBlock::Kind::Distance, 0}, {2, ZtBlock::Kind::Distance, 1}, {3, ZtBlock::Kind::Time, 0},
        {4, ZtBlock::Kind::Time, 1},     {5, ZtBlock::Kind::Ignored, 0},  {9, ZtBlock::Kind::Ignored, 0},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> block{c.block};
        block.insert(block.end(), entry.begin(), entry.end());
        const ZtBlock decoded = Decode(block);
        EXPECT_EQ(decoded.kind, c.kind) << int{c.block};
        EXPECT_EQ(decoded.tariff, c.tariff) << int{c.block};
    }
}

TEST_F(ZtResults, PackedBcdEntries) {
    Decode({0, 2, 2, 0, 0, 0, 0, 0, 0});  // one distance and one time block
    const std::vector<uint8_t> distance{1, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00, 0x00, 0x99};
    ZtBlock block = Decode(distance);
    ASSERT_EQ(block.rows.size(), 2u);
    EXPECT_EQ(block.rows[0].Nom, "6172,500");  // 12345 x 1000 / 2000
    EXPECT_EQ(block.rows[0].Units, "1");
    EXPECT_EQ(block.rows[1].Nom, "49500000,000");  // 99000000 x 1000 / 2000
    EXPECT_EQ(block.rows[1].Units, "2");

    std::vector<uint8_t> time = distance;
    time[0] = 2;
    block = Decode(time);
    EXPECT_EQ(block.kind, ZtBlock::Kind::Time);
    EXPECT_EQ(block.rows[0].Nom, "12,345");

    for (const char *k : {"", "abc", "0"}) {
        block = Decode(distance, k);
        for (const ZtRow &row : block.rows) {
            EXPECT_EQ(row.Nom, "---") << k;
            EXPECT_EQ(row.Units, "---") << k;
        }
    }
}

TEST_F(ZtResults, CountsBeyondTheBlockAndNonDecimalDigits) {
    Decode({0, 0xFF, 0, 0, 0, 0, 0, 0, 0});  // 127 entries announced
    EXPECT_EQ(state.ZtBlockCount, 1);
    std::vector<uint8_t> block{1, 0x10, 0, 0, 0, 0x0A, 0, 0, 0, 0x01};  // two whole entries and a stray byte
    const ZtBlock decoded = Decode(block);
    ASSERT_EQ(decoded.rows.size(), 2u);
    EXPECT_EQ(decoded.rows[0].Nom, "5,000");
    EXPECT_EQ(decoded.rows[1].Nom, "---");
    EXPECT_EQ(decoded.rows[1].Units, "---");

    std::vector<uint8_t> big(1 + 4 * 40, 0x11);
    big[0] = 1;
    EXPECT_EQ(Decode(big).rows.size(), static_cast<size_t>(kGridRows));
    EXPECT_EQ(Decode({}).kind, ZtBlock::Kind::Ignored);
    EXPECT_EQ(Decode({0}).kind, ZtBlock::Kind::Header);  // a short header reads as zeros
    EXPECT_EQ(state.ZtBlockCount, 0);
}

}  // namespace
}  // namespace evaluation
