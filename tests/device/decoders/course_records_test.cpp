#include "device/decoders/course_records.h"

#include "decoder_fixture.h"

namespace decoders {
namespace {

Record Begin() {
    return std::move(
        Record('B', 32).Field(1, "00000800").Field(9, "000050").Field(20, "123456").Field(26, "000200"));
}

// A course of 120 s from 2023-12-31 23:59: 10 units in tariff 1 and 4 in tariff 3 at 0,50.
Record End() {
    return std::move(Record('E', 176)
                         .Field(1, "0000000A")
                         .Field(17, "00000004")
                         .Field(39, "00001500")
                         .Field(47, "000300")
                         .Field(53, "007B")
                         .Field(57, "000780")
                         .Field(73, "05")
                         .Field(85, "00000800")
                         .Field(93, "000050")
                         .Field(99, "0000C8")
                         .Text(155, "2312312359")
                         .Field(170, "654321"));
}

Record Status(char tariff) {
    return std::move(Record('K', 61)
                         .Byte(1, tariff)
                         .Field(3, "00000002")
                         .Field(27, "00000001")
                         .Field(35, "000003")
                         .Field(51, "0010")
                         .Field(55, "15FCD0"));  // 90061 s
}

class CourseRecords : public DecoderTest {
protected:
    CourseStore store;
    CourseContext context{{'C', 'D', 0, 'F'}, 0x21};
    const std::string &Line(size_t line) const { return store.KursData[line]; }
};

TEST_F(CourseRecords, BeginOpensACourse) {
    store.KursData[kTotalFee] = "99,00";
    store.KursData[60] = "left over";
    const CourseRecordResult r = GetDataTivarTIV(store, Begin(), context);
    EXPECT_TRUE(r.CourseBegun);
    EXPECT_EQ(r.Label465, "KURS: 1");
    EXPECT_FALSE(r.Label471);
    EXPECT_EQ(Line(kMeterNumber), "123456");
    EXPECT_EQ(Line(kInitialFee), "8,00");
    EXPECT_EQ(Line(kTariffUnit), "0,50");
    EXPECT_EQ(Line(kSurchargeUnit), "2,00");
    EXPECT_EQ(Line(kTotalFee), "---");
    EXPECT_EQ(store.KursData[60], "---");
    EXPECT_EQ(store.KursTaryfa, 0x21);
    EXPECT_EQ(store.KursPageSel, 2);
    EXPECT_EQ(store.KursPageCodes, context.TariffPageCode2);
    EXPECT_EQ(store.KursUnits[0], -1);
    EXPECT_EQ(store.KursSurchargeUnits, -1);
    EXPECT_EQ(GetDataTivarTIV(store, Begin(), context).Label465, "KURS: 2");
}

TEST_F(CourseRecords, EndCompletesTheCourse) {
    GetDataTivarTIV(store, Begin(), context);
    const CourseRecordResult r = GetDataTivarTIV(store, End(), context);
    EXPECT_FALSE(r.CourseBegun);
    EXPECT_EQ(r.Label471, "WOLNY");
    EXPECT_EQ(r.Label471Color, kStateFree);
    const struct {
        size_t line;
        const char *text;
    } expected[] = {
        {kMeterNumber, "654321"},
        {kCourseStart, "2023-12-31 23:59"},
        {kCourseEnd, "2024-01-01 00:01"},
        {kDistance, "12,3"},
        {kInitialFee, "8,00"},
        {kTariffUnit, "0,50"},
        {kSurchargeUnit, "2,00"},  // from the 'B' record
        {kFirstTariffRate, "2,00"},
        {kSecondTariffRate, "0,00"},
        {kFirstTariffFee, "5,00"},
        {kFirstTariffFee + 2, "2,00"},
        {kFeeSum, "15,00"},
        {kDiscount, "5"},
        {kAgreedPrice, "0,00"},
        {kMeterFeeSum, "15,00"},
        {kMeterSurcharge, "3,00"},
        {kTotalFee, "18,00"},  // no agreed price: fees and surcharge
    };
    for (const auto &e : expected) EXPECT_EQ(Line(e.line), e.text) << "line " << e.line;
    EXPECT_EQ(store.KursUnits, (std::array<int32_t, 4>{10, 0, 4, 0}));
}

TEST_F(CourseRecords, AgreedPriceReplacesTheTotal) {
    GetDataTivarTIV(store, End().Field(75, "00002500"), context);
    EXPECT_EQ(Line(kTotalFee), "25,00");
}

TEST_F(CourseRecords, ZeroAgreedPriceUnderAPointSeparator) {
    // The zero is recognised whatever the separator, so the total is still computed.
    SeparatorGuard point('.');
    GetDataTivarTIV(store, End(), context);
    EXPECT_EQ(Line(kAgreedPrice), "0.00");
    EXPECT_EQ(Line(kTotalFee), "18.00");
    GetDataTivarTIV(store, Status('0'), context);
    EXPECT_EQ(Line(kTotalFee), "18.00");
}

TEST_F(CourseRecords, EndWithABadStartOrTariffUnit) {
    GetDataTivarTIV(store, End().Text(155, "2313312359"), context);  // month 13
    EXPECT_EQ(Line(kCourseStart), "2023-13-31 23:59");
    EXPECT_EQ(Line(kCourseEnd), "---");
    // A tariff unit that does not convert counts as 0.
    GetDataTivarTIV(store, End().Text(93, "x"), context);
    EXPECT_EQ(Line(kTariffUnit), "---");
    EXPECT_EQ(Line(kFirstTariffFee), "0,00");
    EXPECT_EQ(Line(kFeeSum), "8,00");
}

TEST_F(CourseRecords, StatusOfARunningCourse) {
    GetDataTivarTIV(store, Begin(), context);
    const CourseRecordResult r = GetDataTivarTIV(store, Status('2'), context);
    EXPECT_EQ(r.Label471, "TARYFA3");
    EXPECT_EQ(r.Label471Color, kStateRunning);
    EXPECT_EQ(Line(kCourseTime), "25:01:01");
    EXPECT_EQ(Line(kDistance), "1,6");
    EXPECT_EQ(Line(kFirstTariffFee), "1,00");
    EXPECT_EQ(Line(kFirstTariffFee + 3), "0,50");
    EXPECT_EQ(Line(kFeeSum), "9,50");
    EXPECT_EQ(Line(kSurcharge), "6,00");
    EXPECT_EQ(store.KursSurchargeUnits, 3);
    EXPECT_EQ(Line(kTotalFee), "---");  // a zero agreed price keeps the total
    for (char c : {'X', '4', '/'})
        EXPECT_EQ(GetDataTivarTIV(store, Status(c), context).Label471, "KASA") << c;
    EXPECT_EQ(GetDataTivarTIV(store, Record('K', 1), context).Label471, "KASA");
}

TEST_F(CourseRecords, StatusWithoutATariffUnit) {
    // No 'B' record yet: the fees and the surcharge do not convert, the unit counts are kept.
    GetDataTivarTIV(store, Status('0'), context);
    EXPECT_EQ(Line(kFirstTariffFee), "---");
    EXPECT_EQ(Line(kFeeSum), "---");
    EXPECT_EQ(Line(kSurcharge), "---");
    EXPECT_EQ(store.KursUnits[0], 2);
}

TEST_F(CourseRecords, ShortRecordsDecodeNoStaleBytes) {
    // The same buffer first holds a whole 'E' record, then only its first 60 bytes count.
    const Record end = End();
    const Bytes whole = end;
    GetDataTivarTIV(store, whole, context);
    GetDataTivarTIV(store, whole.first(60), context);
    for (size_t line : {kMeterNumber, kCourseStart, kCourseEnd, kInitialFee, kTariffUnit, kFirstTariffRate,
                        kDiscount, kAgreedPrice, kTotalFee})
        EXPECT_EQ(Line(line), "---") << "line " << line;
    EXPECT_EQ(Line(kDistance), "12,3");
    EXPECT_EQ(Line(kMeterSurcharge), "3,00");
    EXPECT_EQ(Line(kFirstTariffFee), "0,00");  // units present, tariff unit 0
    EXPECT_EQ(Line(kFeeSum), "---");
    // A status record cut before the duration leaves the course time as it was.
    store.KursData[kCourseTime] = "01:00:00";
    GetDataTivarTIV(store, Bytes(Status('0')).first(58), context);
    EXPECT_EQ(Line(kCourseTime), "01:00:00");
}

TEST_F(CourseRecords, OnlyCourseRecordsAreDecoded) {
    GetDataTivarTIV(store, Begin(), context);
    const CourseStore before = store;
    const Record other('X', 200), lower('b', 40);
    for (const Bytes record : {Bytes(), Bytes(other), Bytes(lower)}) {
        const CourseRecordResult r = GetDataTivarTIV(store, record, context);
        EXPECT_FALSE(r.Decoded || r.CourseBegun || r.Label465 || r.Label471);
    }
    EXPECT_EQ(store.KursData, before.KursData);
    EXPECT_EQ(store.KursLicznik, before.KursLicznik);
    for (const Record &course : {Begin(), End(), Status('1')})
        EXPECT_TRUE(GetDataTivarTIV(store, course, context).Decoded);
}

TEST_F(CourseRecords, ResetAfterLeg) {
    GetDataTivarTIV(store, Begin(), context);
    store.KursSystem = 'S';
    store.ResetCourses();
    EXPECT_EQ(store.KursLicznik, 0);
    EXPECT_EQ(store.KursSystem, 0);
    EXPECT_EQ(store.KursTaryfa, kNoCourse);
    EXPECT_EQ(store.KursPageCodes, (std::array<char, 4>{}));
    EXPECT_EQ(Line(kMeterNumber), "---");
}

}  // namespace
}  // namespace decoders
