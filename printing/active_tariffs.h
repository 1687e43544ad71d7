#pragma once
// Which tariff slots count on the certificate: a slot counts when its tariff is enabled and the
// validity period of its group of four is running today or begins before the certificate's own
// validity ends (two years and one month after the reference date).
#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace printing {

struct CalendarDate {
    std::int32_t year = 0, month = 0, day = 0;
    bool operator==(const CalendarDate &) const = default;
};

// The date two years and one month after `reference`: January of year + 3 from December, the day
// lowered to the month's length (February has 29 days in years divisible by 4).
CalendarDate CertificateValidityEnd(CalendarDate reference);

// The certificate's reference date: the job's save date when neither working mode is on and the
// saved year is after 2000, otherwise today.
CalendarDate CertificateReferenceDate(const std::array<std::int32_t, 3> &recordSaveDate, bool workingModeOn,
                                      CalendarDate today);

// The validity period of one group: start and end texts with the year in characters 1-4, the
// month in 6-7 and the day in 9-10. A period whose needed numbers do not convert ("---", empty or
// short texts) counts as active.
bool PeriodActive(const QString &start, const QString &end, CalendarDate today, CalendarDate reference);

// The slots' enabled flags filtered by their groups' periods (dates[2g], dates[2g + 1]): `flags`
// keeps the enabled byte of an active slot and 0 otherwise; returns the number of active slots.
int ActiveSlots(const std::array<std::uint8_t, 16> &enabled, const std::array<std::string, 8> &dates,
                CalendarDate today, CalendarDate reference, std::array<std::uint8_t, 16> &flags);

}  // namespace printing
