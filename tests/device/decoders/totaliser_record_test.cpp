#include "device/decoders/totaliser_record.h"

#include "decoder_fixture.h"

namespace decoders {
namespace {

using TotaliserRecords = DecoderTest;

// Two tariffs; paid 123,4 km and unpaid 5,6 km.
Record Totalisers(char tariffs = '2') {
    return std::move(Record('R', 132)
                         .Byte(1, tariffs)
                         .Field(3, "00000800")
                         .Field(11, "000050")
                         .Field(17, "0000FA")
                         .Field(23, "00012C")
                         .Field(41, "00000BB8")
                         .Field(75, "0125")
                         .Field(79, "1388")
                         .Text(83, "A4VIT")
                         .Field(88, "028651")
                         .Field(94, "000150")
                         .Field(100, "000038")
                         .Field(106, "0004D2")
                         .Field(112, "00000C")
                         .Field(118, "000003E8")
                         .Field(126, "000007"));
}

TEST_F(TotaliserRecords, StartThenEndState) {
    uint8_t flag = 0;
    const auto start = DecodeTotaliserRecord(Totalisers(), flag);
    ASSERT_TRUE(start);
    EXPECT_FALSE(start->EndState);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(start->TivarTariffCount, 2);
    ASSERT_EQ(start->Tariffs.size(), 2u);
    EXPECT_EQ(start->Tariffs[0].OplD, "2,50");
    EXPECT_EQ(start->Tariffs[1].OplD, "3,00");
    EXPECT_EQ(start->Tariffs[0].OplC, "30,00");
    EXPECT_EQ(start->Edit352, "8,00");
    EXPECT_EQ(start->Edit98, "0,50");
    EXPECT_EQ(start->Edit99, "1,25");
    EXPECT_EQ(start->Edit107, "5000");
    EXPECT_EQ(start->Edit20, "TIV4A FISKALNY");
    EXPECT_EQ(start->Edit21, "28651");
    EXPECT_EQ(start->Edit23, kMarkingAboveLimit);
    EXPECT_EQ(start->Edit100, "1,50");
    EXPECT_EQ(start->Counters.Counter1, "123,4");
    EXPECT_EQ(start->Counters.Counter0, "129,00");
    EXPECT_EQ(start->Counters.Counter5, "12");
    EXPECT_EQ(start->Counters.Counter2, "1000");
    EXPECT_EQ(start->Counters.Counter7, "7");

    const auto end = DecodeTotaliserRecord(Totalisers(), flag);
    EXPECT_TRUE(end->EndState);
    EXPECT_EQ(flag, 0);
    EXPECT_FALSE(DecodeTotaliserRecord(Totalisers(), flag)->EndState);
}

TEST_F(TotaliserRecords, TariffDigitAndSerialMarking) {
    uint8_t flag = 0;
    for (char digit : {'0', '5', 'x'}) {
        const auto r = DecodeTotaliserRecord(Totalisers(digit), flag);
        EXPECT_EQ(r->TivarTariffCount, 0) << digit;
        EXPECT_TRUE(r->Tariffs.empty()) << digit;
        EXPECT_EQ(r->Edit352, "8,00") << digit;  // the rest is still decoded
    }
    EXPECT_EQ(DecodeTotaliserRecord(Totalisers('4'), flag)->Tariffs.size(), 4u);
    EXPECT_EQ(DecodeTotaliserRecord(Totalisers().Field(88, "028650"), flag)->Edit23, kMarkingUpToLimit);
    EXPECT_FALSE(DecodeTotaliserRecord(Totalisers().Text(88, "x"), flag)->Edit23);
}

TEST_F(TotaliserRecords, ShortRecordsAndOtherKinds) {
    const Record full = Totalisers();
    uint8_t flag = 0;
    const auto r = DecodeTotaliserRecord(Bytes(full).first(100), flag);
    EXPECT_EQ(r->Edit21, "28651");
    EXPECT_EQ(r->Counters.Counter1, "---");
    EXPECT_EQ(r->Counters.Counter0, "---");
    EXPECT_EQ(r->Counters.Counter7, "---");
    EXPECT_EQ(DecodeTotaliserRecord(Bytes(full).first(85), flag)->Edit20, "---");
    EXPECT_EQ(DecodeTotaliserRecord(Bytes(full).first(1), flag)->TivarTariffCount, 0);
    flag = 0;
    EXPECT_FALSE(DecodeTotaliserRecord(ToBytes("U1"), flag));
    EXPECT_FALSE(DecodeTotaliserRecord({}, flag));
    EXPECT_EQ(flag, 0);
}

}  // namespace
}  // namespace decoders
