#pragma once
// Numbers held as text: conversions with the user's decimal separator and the fixed-point
// formatter used for every value the station shows, stores or prints.
#include <cstdint>
#include <string>
#include <string_view>

struct TFormatSettings {
    char DecimalSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "yyyy-mm-dd";
    std::string LongTimeFormat = "hh:nn:ss";
};

// The settings in force; filled from the user's locale by LoadFormatSettingsFromLocale, pinned
// by tests.
extern TFormatSettings FormatSettings;

// Reads the decimal separator of the user's locale (LC_NUMERIC / LANG from the environment).
void LoadFormatSettingsFromLocale();

// Signed 32-bit integer: optional leading blanks, sign, decimal digits or "$"/"0x" hexadecimal.
// Anything else, or a value outside the 32-bit range, raises EConvertError.
int32_t StrToInt(std::string_view text);

// Like StrToInt but gives false instead of raising: for texts that are often not numbers, where
// an exception for each would cost more than the reading.
bool TryStrToInt(std::string_view text, int32_t &value);

// Floating-point text with the settings' decimal separator, optional sign and exponent,
// surrounding blanks allowed. Anything else raises EConvertError.
long double StrToFloat(std::string_view text);

// Like StrToFloat but gives false instead of raising.
bool TryStrToFloat(std::string_view text, long double &value);

// Fixed notation with exactly `digits` decimals, rounded half away from zero from at most
// `precision` significant digits, no thousands separator and never "-0". A value with more than
// `precision` integer digits comes out in exponent form ("1,5E15"). Not-a-number and infinities
// give "NAN", "INF" and "-INF".
std::string FloatToStrF(long double value, int precision, int digits);

// The station's usual form: precision 10.
inline std::string FormatFixed(long double value, int digits) { return FloatToStrF(value, 10, digits); }

std::string IntToStr(long long value);
