#include "device/decoders/tariff_pages.h"

#include "decoder_fixture.h"
#include "device/decoders/tivar_records.h"

namespace decoders {
namespace {

using TariffPages = DecoderTest;

Record Page(char digit) {
    return std::move(Record('U', 179)
                         .Byte(1, digit)
                         .Byte(2, 'E')
                         .Field(5, "02")
                         .Field(7, "000250")
                         .Field(13, "00000800")
                         .Field(49, "0064")
                         .Field(61, "012C")
                         .Field(77, "0000FA")
                         .Field(125, "00000BB8")
                         .Field(145, "000150")
                         .Field(157, "100000")
                         .Text(163, "71504202")
                         .Text(171, "13214202"));
}

TEST_F(TariffPages, DecodesTheFourTariffsOfAPage) {
    const auto page = DecodeTariffPage(Page('3'));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Page, 3);
    EXPECT_EQ(page->PageCode, 'E');
    EXPECT_EQ(page->LayoutBase, 8);
    EXPECT_EQ(page->FirstColumn, 0);
    EXPECT_EQ(page->JT, "2,50");
    EXPECT_EQ(page->Columns[0].OplP, "8,00");
    EXPECT_EQ(page->Columns[1].OplP, "0,00");
    EXPECT_EQ(page->Columns[1].Dps, "100");
    EXPECT_EQ(page->Columns[0].Cps, "30,0");
    EXPECT_EQ(page->Columns[0].OplD, "2,50");
    EXPECT_EQ(page->Columns[3].OplC, "30,00");
    EXPECT_EQ(page->Columns[2].Jdopl, "1,50");
    EXPECT_EQ(page->PageValue, "1000,00");
    EXPECT_EQ(page->PageValueRemaining, "8999,99");
    EXPECT_EQ(page->Dates[0], "2024.05.17");
    EXPECT_EQ(page->Dates[1], "2024.12.31");
    EXPECT_EQ(page->GroupFlag, 0);
    EXPECT_EQ(page->ActiveCount, 3);

    const auto second = DecodeTariffPage(Page('2'));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->LayoutBase, 0);
    EXPECT_EQ(second->FirstColumn, 4);
    EXPECT_TRUE(DecodeTariffPage(Record('u', 179).Byte(1, '4')));  // lower case alike
}

TEST_F(TariffPages, OptionByteAndPageValue) {
    const struct {
        const char *option;  // as written, most significant first
        std::optional<uint8_t> group, count;
    } options[] = {
        {"02", 0, 3}, {"03", 0, 4}, {"04", 1, 1}, {"00", 0, 1}, {"a0", std::nullopt, std::nullopt}};
    for (const auto &o : options) {
        const auto page = DecodeTariffPage(Page('1').Field(5, o.option));
        EXPECT_EQ(page->GroupFlag, o.group) << o.option;
        EXPECT_EQ(page->ActiveCount, o.count) << o.option;
    }
    EXPECT_EQ(DecodeTariffPage(Page('1').Field(157, "000000"))->PageValueRemaining, "9999,99");
    EXPECT_EQ(DecodeTariffPage(Page('1').Text(157, "x"))->PageValueRemaining, "---");
}

TEST_F(TariffPages, ShortRecordsAndOtherKinds) {
    const Record full = Page('1');
    const auto page = DecodeTariffPage(Bytes(full).first(20));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->JT, "2,50");
    EXPECT_EQ(page->Columns[0].OplP, "---");  // 13..20 reaches past the end
    EXPECT_EQ(page->Columns[3].OplC, "---");
    EXPECT_EQ(page->PageValue, "---");
    EXPECT_EQ(page->PageValueRemaining, "---");
    EXPECT_EQ(page->Dates[1], "---");
    EXPECT_EQ(DecodeTariffPage(Bytes(full).first(2))->PageCode, 0);
    EXPECT_FALSE(DecodeTariffPage(Bytes(full).first(2))->ActiveCount);
    for (const char *other : {"U5", "U0", "UR", "X1", "U", ""})
        EXPECT_FALSE(DecodeTariffPage(ToBytes(other))) << other;
}

TEST(TivarRecords, KindsByTheirFirstBytes) {
    const struct {
        const char *record;
        bool full;
        TivarRecordKind kind;
    } cases[] = {
        {"U1", true, TivarRecordKind::TariffPage},
        {"u4", true, TivarRecordKind::TariffPage},
        {"U0", true, TivarRecordKind::Identity},
        {"uR", true, TivarRecordKind::Totalisers},
        {"UL", true, TivarRecordKind::ChangeCounters},
        {"R1", false, TivarRecordKind::TotaliserRecord},
        {"R1", true, TivarRecordKind::None},
        {"U1", false, TivarRecordKind::None},
        {"U", true, TivarRecordKind::None},
        {"", false, TivarRecordKind::None},
        {"U9", true, TivarRecordKind::None},
    };
    for (const auto &c : cases) EXPECT_EQ(ClassifyTivarRecord(ToBytes(c.record), c.full), c.kind) << c.record;
}

TEST(PageCaptions, TabsAndResultSlots) {
    const PageCaptions captions = SetPageTivar({'A', 'C', 'E', 'H'}, {'A', 'C', 'E', 'H'});
    EXPECT_EQ(captions.Panel157, "Tar.A-C");
    EXPECT_EQ(captions.Panel158, "Tar.E-H");
    EXPECT_EQ(captions.ResultSlotPanels[0], "A1");
    EXPECT_EQ(captions.ResultSlotPanels[15], "H4");
    // An unknown letter shows "-"; the letters shown may differ from those tested.
    const PageCaptions other = SetPageTivar({'B', 'F', 0, 'A'}, {'X', 'C', 'E', 'H'});
    EXPECT_EQ(other.Panel157, "Tar.--C");
    EXPECT_EQ(other.Panel158, "Tar.--H");
    EXPECT_EQ(other.ResultSlotPanels[3], "-4");
    EXPECT_EQ(other.ResultSlotPanels[4], "C1");
}

}  // namespace
}  // namespace decoders
