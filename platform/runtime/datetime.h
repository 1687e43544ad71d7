#pragma once
// Dates and times: a TDateTime is days since 1899-12-30 00:00 (local time), the fraction being the
// time of day. The current date and time come from the program's clock (platform/runtime/clock.h).
#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

TDateTime Now();
TDateTime Date();  // today at 00:00
TDateTime Time();  // the current time of day (fraction only)

// Raises EConvertError for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int &year, int &month, int &day);
void DecodeTime(TDateTime value, int &hour, int &minute, int &second, int &millisecond);

// Format letters: yyyy yy, mm m (month), dd d, hh h, nn n (minutes), ss s, zzz; "/" and ":" stand
// for the settings' date and time separators; text in single or double quotes is copied as it is.
std::string FormatDateTime(std::string_view format, TDateTime value);

// In the formats of FormatSettings (ShortDateFormat, LongTimeFormat).
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);

// Reads the date and time formats of the user's locale into FormatSettings.
void LoadDateTimeFormatsFromLocale();
