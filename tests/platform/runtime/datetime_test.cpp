#include "platform/runtime/datetime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>

#include "platform/runtime/clock.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace {

class DateTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Europe/Warsaw", 1);
        tzset();
        saved_ = FormatSettings;
        FormatSettings.DateSeparator = '-';
        FormatSettings.TimeSeparator = ':';
        FormatSettings.ShortDateFormat = "yyyy-mm-dd";
        FormatSettings.LongTimeFormat = "hh:nn:ss";
    }
    void TearDown() override {
        FormatSettings = saved_;
        runtime::UseRealClock();
    }
    TFormatSettings saved_;
};

// 2024-02-29 23:59:58.500 UTC = 2024-03-01 00:59:58.500 in Warsaw (CET, UTC+1).
constexpr int64_t kLeapDayEveningUtc = 1709251198500;

}  // namespace

TEST_F(DateTimeTest, NowFollowsTheClockInLocalTime) {
    runtime::UseVirtualClock(kLeapDayEveningUtc);
    EXPECT_EQ(DateToStr(Now()), "2024-03-01");
    EXPECT_EQ(TimeToStr(Now()), "00:59:58");
    EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 3, 1));
    runtime::AdvanceVirtualClock(1500);
    EXPECT_EQ(TimeToStr(Time()), "01:00:00");
    EXPECT_EQ(DateToStr(Date()), "2024-03-01");
}

TEST_F(DateTimeTest, FormatsFollowTheSettings) {
    const TDateTime value = EncodeDate(2007, 1, 5) + EncodeTime(8, 4, 3, 21);
    EXPECT_EQ(FormatDateTime("d/m/yy h:n:s.zzz", value), "5-1-07 8:4:3.021");
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy \"r.\"", value), "05.01.2007 r.");
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.DateSeparator = '.';
    EXPECT_EQ(DateToStr(value), "05.01.2007");
    EXPECT_EQ(TimeToStr(value), "08:04:03");
}

TEST_F(DateTimeTest, ALocaleWithoutADateFormatKeepsYearMonthDay) {
    const TDateTime value = EncodeDate(2026, 12, 10) + EncodeTime(14, 5, 9, 0);
    const char *outer = std::getenv("LC_ALL");
    const std::string kept = outer != nullptr ? outer : "";
    for (const char *name : {"C", "POSIX", "C.UTF-8"}) {
        setenv("LC_ALL", name, 1);
        LoadDateTimeFormatsFromLocale();
        EXPECT_EQ(DateToStr(value), "2026-12-10") << name;
        EXPECT_EQ(TimeToStr(value), "14:05:09") << name;
    }
    if (outer != nullptr)
        setenv("LC_ALL", kept.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST_F(DateTimeTest, EncodeDecodeRoundTripAndRejectsImpossibleDays) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
    int y, m, d;
    DecodeDate(EncodeDate(2000, 2, 29), y, m, d);
    EXPECT_EQ((std::tuple{y, m, d}), (std::tuple{2000, 2, 29}));
    DecodeDate(EncodeDate(1850, 7, 14) + 0.75, y, m, d);  // before the epoch, time of day positive
    EXPECT_EQ((std::tuple{y, m, d}), (std::tuple{1850, 7, 14}));
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}
