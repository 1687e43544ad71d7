#include "device/decoders/course_time.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "decoder_fixture.h"

namespace decoders {
namespace {

TEST(CourseTime, EndOfCourse) {
    const struct {
        const char *start;
        int64_t seconds;
        const char *end;
    } cases[] = {
        {"2023-12-31 23:59", 120, "2024-01-01 00:01"},
        {"2024-02-28 23:59", 60, "2024-02-29 00:00"},  // leap year
        {"2023-02-28 23:59", 60, "2023-03-01 00:00"},
        {"2024-02-29 12:00", 86400, "2024-03-01 12:00"},
        {"2024-03-05 14:07", 0, "2024-03-05 14:07"},
        {"2024-03-05 14:07", 59, "2024-03-05 14:07"},  // end seconds are not shown
        {"2024-04-30 23:00", 3600, "2024-05-01 00:00"},
        {"2024-01-01 00:00", 366LL * 86400, "2025-01-01 00:00"},
        {"2024-13-01 00:00", 60, "---"},  // no thirteenth month
        {"2024-00-01 00:00", 60, "---"},
        {"2024-04-31 00:00", 60, "---"},  // a day the month does not have
        {"2023-02-29 00:00", 60, "---"},
        {"2024-01-00 00:00", 60, "---"},
        {"2024-01-01 24:00", 60, "---"},
        {"2024-01-01 00:60", 60, "---"},
        {"20AB-01-01 00:00", 60, "---"},
        {"2024-01-01 00:00", -1, "---"},
        {"---", 60, "---"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CourseEndText(c.start, c.seconds), c.end) << c.start << " +" << c.seconds;
}

TEST(CourseTime, EndAgreesWithTheCalendar) {
    // Years 2000..2099 follow the every-fourth-year rule, so the civil calendar is the reference.
    std::mt19937 generator(20240229);
    std::uniform_int_distribution<int> day(0, 30000), minute(0, 1439);
    std::uniform_int_distribution<int64_t> duration(0, 268435455);  // the largest duration field
    using namespace std::chrono;
    for (int i = 0; i < 2000; ++i) {
        const sys_days startDay = sys_days{year{2000} / 1 / 1} + days{day(generator)};
        const sys_seconds start = startDay + minutes{minute(generator)};
        const int64_t seconds = duration(generator);
        const auto format = [](sys_seconds t) {
            const auto date = year_month_day{floor<days>(t)};
            const hh_mm_ss time{t - floor<days>(t)};
            char text[64];
            std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld", int(date.year()),
                          unsigned(date.month()), unsigned(date.day()), long(time.hours().count()),
                          long(time.minutes().count()));
            return std::string(text);
        };
        const sys_seconds end = start + std::chrono::seconds{seconds};
        if (year_month_day{floor<days>(end)}.year() >= year{2100}) continue;  // 2100 is no civil leap year
        ASSERT_EQ(CourseEndText(format(start), seconds), format(end)) << format(start) << " +" << seconds;
    }
}

TEST(CourseTime, StartTextAndRunningTime) {
    EXPECT_EQ(CourseStartText("2312312359"), "2023-12-31 23:59");
    EXPECT_EQ(CourseStartText("231231235"), "---");
    const struct {
        int64_t seconds;
        const char *text;
    } cases[] = {{0, "00:00:00"},
                 {59, "00:00:59"},
                 {3661, "01:01:01"},
                 {90061, "25:01:01"},
                 {255 * 3600 + 59 * 60 + 59, "255:59:59"},
                 {256 * 3600 + 5, "00:00:05"}};
    for (const auto &c : cases) EXPECT_EQ(CourseDurationText(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace decoders
