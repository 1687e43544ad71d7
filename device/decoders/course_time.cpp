#include "device/decoders/course_time.h"

#include <optional>

#include "device/decoders/field_conversion.h"

namespace decoders {

namespace {

constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int MonthLength(int year, int month) {
    if (month == 2 && year % 4 == 0) return 29;
    return kMonthLengths[month - 1];
}

struct DateTime {
    int year, month, day, hour, minute;
};

std::optional<int> DatePart(std::string_view text, size_t position, size_t length, int low, int high) {
    const std::optional<int32_t> value = TextToInt(text.substr(position, length));
    if (!value || *value < low || *value > high) return std::nullopt;
    return *value;
}

std::optional<DateTime> ParseStart(std::string_view text) {
    if (text.size() != 16) return std::nullopt;
    const auto year = DatePart(text, 0, 4, 0, 9999), month = DatePart(text, 5, 2, 1, 12),
               day = DatePart(text, 8, 2, 1, 31), hour = DatePart(text, 11, 2, 0, 23),
               minute = DatePart(text, 14, 2, 0, 59);
    if (!year || !month || !day || !hour || !minute || *day > MonthLength(*year, *month)) return std::nullopt;
    return DateTime{*year, *month, *day, *hour, *minute};
}

// Whole months at a time, so a garbage duration costs at most a few thousand steps.
void AddDays(DateTime &t, int64_t days) {
    while (days > 0) {
        const int left = MonthLength(t.year, t.month) - t.day;
        if (days <= left) {
            t.day += static_cast<int>(days);
            return;
        }
        days -= left + 1;
        t.day = 1;
        if (++t.month > 12) {
            t.month = 1;
            ++t.year;
        }
    }
}

std::string TwoDigits(int64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::string CourseStartText(std::string_view d) {
    if (d.size() != 10) return std::string(kNoValue);
    std::string text = "20";
    text.append(d.substr(0, 2)).append("-").append(d.substr(2, 2)).append("-").append(d.substr(4, 2));
    text.append(" ").append(d.substr(6, 2)).append(":").append(d.substr(8, 2));
    return text;
}

std::string CourseEndText(std::string_view startText, int64_t seconds) {
    std::optional<DateTime> start = ParseStart(startText);
    if (!start || seconds < 0) return std::string(kNoValue);
    DateTime t = *start;
    const int64_t minutes = t.minute + seconds / 60;
    const int64_t hours = t.hour + minutes / 60;
    t.minute = static_cast<int>(minutes % 60);
    t.hour = static_cast<int>(hours % 24);
    AddDays(t, hours / 24);
    return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " +
           TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

std::string CourseDurationText(int64_t seconds) {
    if (seconds < 0) return std::string(kNoValue);
    return TwoDigits(seconds / 3600 % 256) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

}  // namespace decoders
