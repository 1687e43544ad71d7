#include "device/decoders/identity_records.h"

#include "decoder_fixture.h"
#include "device/decoders/tivar_records.h"

namespace decoders {
namespace {

using IdentityRecords = DecoderTest;

Record Identity() {
    return std::move(Record('U', 114)
                         .Byte(1, '0')
                         .Text(2, "18")  // 0x81
                         .Field(4, "012345")
                         .Field(10, "1388")
                         .Text(20, "03")
                         .Text(26, "BOK 17  ")
                         .Text(34, "WX 1234A")
                         .Text(42, "Skoda Octavia       ")
                         .Text(62, "TMBJJ7NE0K0123456")
                         .Text(80, "205/55R16 ")
                         .Text(90, "19-05-17")
                         .Text(98, "V2.14   ")
                         .Text(106, "A5C3    "));
}

TEST_F(IdentityRecords, IdentityFields) {
    const auto r = DecodeIdentityRecord(Identity());
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->Options);
    EXPECT_EQ(r->Options->TrybFiskalny, "TAK");
    EXPECT_EQ(r->Options->Edit12, "D");
    EXPECT_FALSE(r->Options->Panel28Black);
    EXPECT_FALSE(r->Options->Panel29Black);
    EXPECT_EQ(r->Edit21, "12345");
    EXPECT_EQ(r->Edit107, "5000");
    EXPECT_EQ(r->Edit25, "48");  // the characters 0 then 3
    EXPECT_EQ(r->NrBoczny, "BOK 17  ");
    EXPECT_EQ(r->Edit110, "WX 1234A");
    EXPECT_EQ(r->Edit38, "Skoda Octavia       ");
    EXPECT_EQ(r->Edit7, "TMBJJ7NE0K0123456");
    EXPECT_EQ(r->Edit486, "205/55R16 ");
    EXPECT_EQ(r->Edit22, "2019-05-17");
    EXPECT_EQ(r->Edit24, "V2.14   ");
    EXPECT_EQ(r->Edit434, "A5C3    ");
    EXPECT_TRUE(LockedByMeter(r->Edit21));
}

TEST_F(IdentityRecords, OptionBitsAndFixedTexts) {
    const struct {
        const char *option;  // low nibble first
        const char *fiscal, *system;
        bool agreed, discount;
        uint8_t flag0, flag1;
    } cases[] = {
        {"00", "NIE", "S", false, false, 0, 0}, {"18", "TAK", "D", false, false, 0, 0},
        {"81", "NIE", "S", true, true, 0, 0},   {"60", "NIE", "S", false, false, 1, 1},
        {"FF", "TAK", "D", true, true, 1, 1},   {"F7", "TAK", "S", true, true, 1, 1},
    };
    for (const auto &c : cases) {
        const auto o = DecodeIdentityRecord(Identity().Text(2, c.option))->Options;
        EXPECT_EQ(o->TrybFiskalny, c.fiscal) << c.option;
        EXPECT_EQ(o->Edit12, c.system) << c.option;
        EXPECT_EQ(o->Panel28Black, c.agreed) << c.option;
        EXPECT_EQ(o->Panel29Black, c.discount) << c.option;
        EXPECT_EQ(o->TivarOptionFlags, (std::array<uint8_t, 2>{c.flag0, c.flag1})) << c.option;
    }
    const auto r = DecodeIdentityRecord(Identity().Field(20, "00").Text(4, "12A"));
    EXPECT_EQ(r->Edit25, "OSTATNIA AKTYWNA");
    EXPECT_TRUE(LockedByMeter(r->Edit25));
    EXPECT_EQ(r->Edit21, "---");  // a letter: shown as "---" and left editable
    EXPECT_FALSE(LockedByMeter(r->Edit21));
}

TEST_F(IdentityRecords, ShortIdentityRecord) {
    // The tail of the buffer holds an earlier vehicle; only 40 bytes belong to this record.
    const Record full = Identity();
    const auto r = DecodeIdentityRecord(Bytes(full).first(40));
    EXPECT_EQ(r->Edit21, "12345");
    for (const std::string *text : {&r->Edit38, &r->Edit7, &r->Edit110, &r->Edit22, &r->Edit434})
        EXPECT_EQ(*text, "---");
    EXPECT_FALSE(DecodeIdentityRecord(Bytes(full).first(3))->Options);
    EXPECT_FALSE(DecodeIdentityRecord(ToBytes("U1")));
}

TEST_F(IdentityRecords, ChangeCounters) {
    Record record('U', 162);
    record.Byte(1, 'L');
    for (size_t g = 0; g < kChangeGroups; ++g) record.Field(2 + 32 * g, "000" + std::to_string(g + 1));
    record.Text(22, "324012112233").Text(54, "FFFFFFFFFFFF");
    const auto counters = DecodeChangeCounters(record);
    ASSERT_TRUE(counters);
    EXPECT_EQ((*counters)[0].Count, "1");
    EXPECT_EQ((*counters)[4].Count, "5");
    EXPECT_EQ((*counters)[0].Time, "2023-04-21 11:22:33");
    EXPECT_EQ((*counters)[1].Time, "---");  // never changed
    EXPECT_EQ((*counters)[2].Time, "2000-00-00 00:00:00");
    // Groups past the end of a short record are absent.
    const auto cut = DecodeChangeCounters(Bytes(record).first(60));
    EXPECT_EQ((*cut)[1].Count, "2");
    EXPECT_EQ((*cut)[1].Time, "---");
    EXPECT_EQ((*cut)[4].Count, "---");
    EXPECT_FALSE(DecodeChangeCounters(ToBytes("U0")));
}

}  // namespace
}  // namespace decoders
