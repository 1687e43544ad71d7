#include "platform/runtime/datetime.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cmath>
#include <ctime>

#include "platform/runtime/clock.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace {

constexpr int64_t kMsPerDay = 86400000;
// Days from 0000-03-01 based civil day counting (proleptic Gregorian) to 1899-12-30.
constexpr int64_t kEpochShift = 693899;

int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - kEpochShift;
}

void CivilFromDays(int64_t days, int &year, int &month, int &day) {
    const int64_t z = days + kEpochShift;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Milliseconds since 1899-12-30 00:00 of a TDateTime, rounded to the nearest millisecond.
int64_t ToMs(TDateTime value) {
    return static_cast<int64_t>(std::llround(value * kMsPerDay));
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::string Padded(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

// Length of the run of letter c (case-insensitive) at position i.
size_t RunLength(std::string_view format, size_t i) {
    size_t n = 1;
    const char c = static_cast<char>(format[i] | 0x20);
    while (i + n < format.size() && static_cast<char>(format[i + n] | 0x20) == c) ++n;
    return n;
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<TDateTime>(DaysFromCivil(year, month, day));
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / static_cast<double>(kMsPerDay);
}

void DecodeDate(TDateTime value, int &year, int &month, int &day) {
    CivilFromDays(FloorDiv(ToMs(value), kMsPerDay), year, month, day);
}

void DecodeTime(TDateTime value, int &hour, int &minute, int &second, int &millisecond) {
    const int64_t ms = ToMs(value);
    int64_t inDay = ms - FloorDiv(ms, kMsPerDay) * kMsPerDay;
    millisecond = static_cast<int>(inDay % 1000);
    inDay /= 1000;
    second = static_cast<int>(inDay % 60);
    inDay /= 60;
    minute = static_cast<int>(inDay % 60);
    hour = static_cast<int>(inDay / 60);
}

TDateTime Now() {
    const int64_t wall = runtime::WallClockMs();
    const time_t seconds = static_cast<time_t>(FloorDiv(wall, 1000));
    tm local{};
    localtime_r(&seconds, &local);
    const int64_t days = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const int64_t msOfDay = ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 +
                            (wall - FloorDiv(wall, 1000) * 1000);
    return (days * kMsPerDay + msOfDay) / static_cast<double>(kMsPerDay);
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime Time() {
    const TDateTime now = Now();
    return now - std::floor(now);
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
    int year, month, day, hour, minute, second, ms;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, ms);
    std::string out;
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const size_t end = format.find(c, i + 1);
            const size_t stop = end == std::string_view::npos ? format.size() : end;
            out.append(format.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const size_t n = RunLength(format, i);
        switch (c | 0x20) {
            case 'y':
                out += n <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
                break;
            case 'm':
                out += Padded(month, n >= 2 ? 2 : 1);
                break;
            case 'd':
                out += Padded(day, n >= 2 ? 2 : 1);
                break;
            case 'h':
                out += Padded(hour, n >= 2 ? 2 : 1);
                break;
            case 'n':
                out += Padded(minute, n >= 2 ? 2 : 1);
                break;
            case 's':
                out += Padded(second, n >= 2 ? 2 : 1);
                break;
            case 'z':
                out += Padded(ms, n >= 3 ? 3 : 1);
                break;
            default:
                if (c == '/')
                    out.append(n, FormatSettings.DateSeparator);
                else if (c == ':')
                    out.append(n, FormatSettings.TimeSeparator);
                else
                    out.append(format.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string DateToStr(TDateTime value) {
    return FormatDateTime(FormatSettings.ShortDateFormat, value);
}

std::string TimeToStr(TDateTime value) {
    return FormatDateTime(FormatSettings.LongTimeFormat, value);
}

namespace {

// Turns a strftime pattern of the locale into our format letters; false for one we cannot express.
bool FromStrftime(std::string_view pattern, std::string &format, char &separator) {
    std::string out;
    separator = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            if (separator == 0 && pattern[i] != ' ') separator = pattern[i];
            const char c = pattern[i];
            // Letters and quotes of the locale's text are quoted so they stay literal.
            const bool literal = std::isalpha(static_cast<unsigned char>(c)) || c == '"';
            out += literal ? (c == '"' ? std::string("'\"'") : "\"" + std::string(1, c) + "\"")
                           : std::string(1, c);
            continue;
        }
        if (++i == pattern.size()) return false;
        switch (pattern[i]) {
            case 'd':
                out += "dd";
                break;
            case 'e':
                out += "d";
                break;
            case 'm':
                out += "mm";
                break;
            case 'Y':
                out += "yyyy";
                break;
            case 'y':
                out += "yy";
                break;
            case 'H':
                out += "hh";
                break;
            case 'M':
                out += "nn";
                break;
            case 'S':
                out += "ss";
                break;
            case 'F':
                out += "yyyy-mm-dd";
                separator = separator ? separator : '-';
                break;
            case 'T':
                out += "hh:nn:ss";
                separator = separator ? separator : ':';
                break;
            case 'R':
                out += "hh:nn";
                separator = separator ? separator : ':';
                break;
            default:
                return false;
        }
    }
    format = out;
    return !out.empty();
}

}  // namespace

void LoadDateTimeFormatsFromLocale() {
    locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return;
    std::string format;
    char separator = 0;
    // The C and POSIX locales carry no date format of a user ("%m/%d/%y"): the settings keep theirs.
    locale_t plain = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const bool userDate = plain == static_cast<locale_t>(nullptr) ||
                          std::string_view(nl_langinfo_l(D_FMT, loc)) != nl_langinfo_l(D_FMT, plain);
    if (plain != static_cast<locale_t>(nullptr)) freelocale(plain);
    if (userDate && FromStrftime(nl_langinfo_l(D_FMT, loc), format, separator)) {
        FormatSettings.ShortDateFormat = format;
        if (separator != 0) FormatSettings.DateSeparator = separator;
    }
    if (FromStrftime(nl_langinfo_l(T_FMT, loc), format, separator)) {
        FormatSettings.LongTimeFormat = format;
        if (separator != 0) FormatSettings.TimeSeparator = separator;
    }
    freelocale(loc);
}
