#include "printing/active_tariffs.h"

#include <gtest/gtest.h>

namespace {

using printing::CalendarDate;

TEST(ActiveTariffsTest, ValidityEndIsTwoYearsAndOneMonthLater) {
    struct Case {
        CalendarDate reference, end;
    };
    for (const Case &c : {Case{{2023, 11, 30}, {2025, 12, 30}}, Case{{2023, 12, 31}, {2026, 1, 31}},
                          Case{{2024, 1, 31}, {2026, 2, 28}}, Case{{2026, 1, 30}, {2028, 2, 29}},
                          Case{{2024, 3, 10}, {2026, 4, 10}}, Case{{2098, 1, 31}, {2100, 2, 29}}})
        EXPECT_EQ(printing::CertificateValidityEnd(c.reference), c.end) << c.reference.year << "-" << c.reference.month;
}

TEST(ActiveTariffsTest, ReferenceDateIsTheSaveDateOnlyOutsideTheWorkingModes) {
    const CalendarDate today{2026, 12, 10};
    EXPECT_EQ(printing::CertificateReferenceDate({2024, 1, 31}, false, today), (CalendarDate{2024, 1, 31}));
    EXPECT_EQ(printing::CertificateReferenceDate({2024, 1, 31}, true, today), today);
    EXPECT_EQ(printing::CertificateReferenceDate({2000, 5, 5}, false, today), today);
    EXPECT_EQ(printing::CertificateReferenceDate({0, 0, 0}, false, today), today);
}

// Today 2026-06-15; the reference date 2024-03-10 gives a validity end of 2026-04-10 ... but a
// start two years ahead is judged against it.
TEST(ActiveTariffsTest, PeriodRuleTable) {
    const CalendarDate today{2026, 6, 15};
    struct Case {
        const char *start, *end;
        CalendarDate reference;
        bool active;
    };
    const CalendarDate r{2026, 6, 15};
    for (const Case &c : {
             Case{"2025.01.01", "2026.06.15", r, true},   // ends today
             Case{"2025.01.01", "2026.06.14", r, false},  // ended yesterday
             Case{"2025.01.01", "2025.12.31", r, false},  // ended last year; the day is not needed
             Case{"2025.01.01", "2025.xx.xx", r, false},  // the end year decides without month and day
             Case{"2026.06.15", "2020.01.01", r, true},   // starts today
             Case{"2026.06.20", "2020.01.01", r, true},   // later this month
             Case{"2026.09.01", "---", r, true},          // later this year
             Case{"2026.01.01", "2027.01.01", r, true},   // began this year, ends another year
             Case{"2026.01.01", "2026.06.15", r, true},   // began this year, ends today
             Case{"2026.01.01", "2026.06.14", r, false},  // began this year, ended yesterday
             Case{"2027.12.31", "2000.01.01", r, true},   // any date of next year
             Case{"2028.07.15", "2030.01.01", r, true},   // two years on, not after 2028-07-15
             Case{"2028.07.16", "2030.01.01", r, false},  // one day after the validity end
             Case{"2028.07.16", "2030.01.01", {2027, 12, 15}, true},  // end 2030-01-15 from a December
             Case{"2029.01.01", "2030.01.01", r, false},
             Case{"---", "---", r, true},                 // not read yet: counts
             Case{"", "", r, true},
             Case{"2025.01.01", "", r, true},             // a needed number fails: counts
             Case{"2026.1", "2026.12.31", r, true},
         })
        EXPECT_EQ(printing::PeriodActive(c.start, c.end, today, c.reference), c.active) << c.start << " " << c.end;
}

TEST(ActiveTariffsTest, SlotsCountWhenEnabledAndTheirGroupIsActive) {
    const CalendarDate today{2026, 6, 15};
    std::array<std::uint8_t, 16> enabled{};
    enabled = {1, 1, 0, 7, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 3};
    const std::array<std::string, 8> dates{"---",        "---",        "2020.01.01", "2021.01.01",
                                           "2026.01.01", "2026.12.31", "2030.01.01", "2031.01.01"};
    std::array<std::uint8_t, 16> flags;
    flags.fill(9);
    EXPECT_EQ(printing::ActiveSlots(enabled, dates, today, today, flags), 4);
    const std::array<std::uint8_t, 16> expected{1, 1, 0, 7, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(flags, expected);
}

}  // namespace
