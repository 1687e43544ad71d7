#include "platform/runtime/numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <langinfo.h>
#include <locale.h>

#include "platform/runtime/errors.h"

TFormatSettings FormatSettings;

void LoadFormatSettingsFromLocale() {
    locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return;
    const char *radix = nl_langinfo_l(RADIXCHAR, loc);
    if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') FormatSettings.DecimalSeparator = radix[0];
    freelocale(loc);
}

namespace {

[[noreturn]] void ThrowNotInteger(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

[[noreturn]] void ThrowNotFloat(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool TryStrToInt(std::string_view text, int32_t &result) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        value = value * base + d;
        if (value > int64_t{1} << 32) return false;
    }
    if (base == 16 && !negative && value <= 0xFFFFFFFFLL) {
        result = static_cast<int32_t>(static_cast<uint32_t>(value));
        return true;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    result = static_cast<int32_t>(value);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) ThrowNotInteger(text);
    return value;
}

bool TryStrToFloat(std::string_view text, long double &value) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    // Validate the shape: [sign] digits [sep digits] [(e|E) [sign] digits], at least one mantissa digit.
    std::string plain;
    plain.reserve(e - b);
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t mantissaDigits = 0;
    while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++mantissaDigits;
    if (i < e && text[i] == FormatSettings.DecimalSeparator) {
        plain += '.';
        ++i;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        size_t expDigits = 0;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != e) return false;
    const char *first = plain.data() + (plain[0] == '+' ? 1 : 0);
    long double parsed = 0;
    const auto [ptr, ec] = std::from_chars(first, plain.data() + plain.size(), parsed);
    if (ec != std::errc() || ptr != plain.data() + plain.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

long double StrToFloat(std::string_view text) {
    long double value = 0;
    if (!TryStrToFloat(text, value)) ThrowNotFloat(text);
    return value;
}

namespace {

// The decimal digits of |value| rounded to 18 significant digits (as the platform formatter
// keeps them), and the decimal exponent: value = 0.d1d2d3... x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(long double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
    Decimal d;
    const char *p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digits += *p;
    d.exponent = std::atoi(p + 1) + 1;
    return d;
}

// Rounds the digit string to `keep` digits, half away from zero; a carry out of the first digit
// raises the exponent. keep may be 0 or negative (then the result is 0 or one unit).
void RoundDigits(Decimal &d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits = "0";
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (!up) return;
    int k = keep - 1;
    while (k >= 0 && d.digits[static_cast<size_t>(k)] == '9') d.digits[static_cast<size_t>(k--)] = '0';
    if (k >= 0) {
        ++d.digits[static_cast<size_t>(k)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

bool AllZero(const std::string &digits) { return digits.find_first_not_of('0') == std::string::npos; }

std::string ExponentForm(const Decimal &d, bool negative) {
    std::string mantissa = d.digits;
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    std::string out = negative ? "-" : "";
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += FormatSettings.DecimalSeparator;
        out.append(mantissa, 1);
    }
    out += 'E';
    out += std::to_string(d.exponent - 1);
    return out;
}

}  // namespace

std::string FloatToStrF(long double value, int precision, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    const bool negative = std::signbit(value);
    Decimal d;
    if (value != 0) {
        d = ToDecimal(value);
        RoundDigits(d, precision);
        if (d.exponent > precision) return ExponentForm(d, negative);
        RoundDigits(d, d.exponent + digits);
    }
    if (d.digits.empty() || AllZero(d.digits)) d = Decimal{"0", 1};
    // Lay the digits out around the decimal point.
    std::string integer, fraction;
    for (int k = 0; k < d.exponent; ++k)
        integer += k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(k)] : '0';
    if (integer.empty()) integer = "0";
    for (int k = 0; k < digits; ++k) {
        const int idx = d.exponent + k;
        fraction += (idx >= 0 && idx < static_cast<int>(d.digits.size())) ? d.digits[static_cast<size_t>(idx)] : '0';
    }
    std::string out = (negative && !AllZero(d.digits)) ? "-" : "";
    out += integer;
    if (digits > 0) {
        out += FormatSettings.DecimalSeparator;
        out += fraction;
    }
    return out;
}

std::string IntToStr(long long value) { return std::to_string(value); }
