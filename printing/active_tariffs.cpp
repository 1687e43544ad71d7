#include "printing/active_tariffs.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace printing {

namespace {

bool IsLeapForValidity(std::int32_t year) { return year % 4 == 0; }

int MonthLength(std::int32_t year, std::int32_t month) {
    static constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapForValidity(year)) return 29;
    return kLengths[static_cast<size_t>(std::clamp(month, 1, 12) - 1)];
}

// The decimal number in characters from..from+length-1 (counting from 1); none when the text is
// too short or the characters are not a number.
std::optional<std::int32_t> Field(const QString &text, int from, int length) {
    if (text.size() < from - 1 + length) return std::nullopt;
    bool ok = false;
    const int value = text.mid(from - 1, length).toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

// a <= b field by field (year, month, day), b's numbers converted only as far as the comparison
// needs them; nullopt when a needed number does not convert.
std::optional<bool> NotAfterText(CalendarDate a, const QString &b) {
    const std::array<std::pair<int, int>, 3> fields{{{1, 4}, {6, 2}, {9, 2}}};
    const std::array<std::int32_t, 3> left{a.year, a.month, a.day};
    for (size_t i = 0; i < 3; ++i) {
        const auto right = Field(b, fields[i].first, fields[i].second);
        if (!right) return std::nullopt;
        const auto l = static_cast<std::uint32_t>(left[i]), r = static_cast<std::uint32_t>(*right);
        if (l != r) return l < r;
    }
    return true;
}

// The same with the text on the left.
std::optional<bool> TextNotAfter(const QString &a, CalendarDate b) {
    const std::array<std::pair<int, int>, 3> fields{{{1, 4}, {6, 2}, {9, 2}}};
    const std::array<std::int32_t, 3> right{b.year, b.month, b.day};
    for (size_t i = 0; i < 3; ++i) {
        const auto left = Field(a, fields[i].first, fields[i].second);
        if (!left) return std::nullopt;
        const auto l = static_cast<std::uint32_t>(*left), r = static_cast<std::uint32_t>(right[i]);
        if (l != r) return l < r;
    }
    return true;
}

// nullopt: a needed number did not convert.
std::optional<bool> Decide(const QString &startText, const QString &endText, CalendarDate today,
                           CalendarDate reference) {
    const auto startYear = Field(startText, 1, 4);
    if (!startYear) return std::nullopt;
    const auto y = static_cast<std::uint32_t>(*startYear);
    const auto ty = static_cast<std::uint32_t>(today.year);
    if (y < ty) return NotAfterText(today, endText);
    if (y == ty) {
        // Starts later this year, or today: active.
        const auto startsLater = NotAfterText(today, startText);
        if (!startsLater) return std::nullopt;
        if (*startsLater) return true;
        const auto endYear = Field(endText, 1, 4);
        if (!endYear) return std::nullopt;
        if (*endYear != today.year) return true;
        return NotAfterText(today, endText);
    }
    if (y == ty + 1) return true;
    return TextNotAfter(startText, CertificateValidityEnd(reference));
}

}  // namespace

CalendarDate CertificateValidityEnd(CalendarDate reference) {
    CalendarDate end;
    if (reference.month >= 12) {
        end.month = 1;
        end.year = reference.year + 3;
    } else {
        end.month = reference.month + 1;
        end.year = reference.year + 2;
    }
    end.day = std::min(reference.day, MonthLength(end.year, end.month));
    return end;
}

CalendarDate CertificateReferenceDate(const std::array<std::int32_t, 3> &recordSaveDate, bool workingModeOn,
                                      CalendarDate today) {
    if (!workingModeOn && recordSaveDate[0] > 2000)
        return {recordSaveDate[0], recordSaveDate[1], recordSaveDate[2]};
    return today;
}

bool PeriodActive(const QString &start, const QString &end, CalendarDate today, CalendarDate reference) {
    return Decide(start, end, today, reference).value_or(true);
}

int ActiveSlots(const std::array<std::uint8_t, 16> &enabled, const std::array<std::string, 8> &dates,
                CalendarDate today, CalendarDate reference, std::array<std::uint8_t, 16> &flags) {
    for (size_t slot = 0; slot < 16; ++slot) {
        flags[slot] = enabled[slot];
        if (flags[slot] == 0) continue;
        const size_t group = slot / 4;
        if (!PeriodActive(QString::fromStdString(dates[2 * group]), QString::fromStdString(dates[2 * group + 1]), today,
                          reference))
            flags[slot] = 0;
    }
    return static_cast<int>(std::count_if(flags.begin(), flags.end(), [](std::uint8_t f) { return f != 0; }));
}

}  // namespace printing
