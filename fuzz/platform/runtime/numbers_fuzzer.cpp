// Numbers as text on any input. The first byte picks the decimal separator and the formatter's
// precision and decimals; the rest is read as an integer and as a floating-point text, and its
// first ten bytes as an extended-precision value. Whatever reads must format and read back to
// the same; a formatted value is never "-0".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace {

// A formatted number: a minus sign only before some non-zero digit.
void CheckSign(const std::string &text) {
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos) std::abort();
}

// Formats `value` and reads the text back: a finite value's text reads back and formats to the
// same text again. Near the largest value the rounded text may lie beyond it and read as overflow.
void CheckFormat(long double value, int precision, int digits) {
    const std::string text = FloatToStrF(value, precision, digits);
    if (!std::isfinite(value)) return;  // "NAN", "INF", "-INF"
    CheckSign(text);
    if (std::fabs(value) > 1e4900L) return;
    long double again = 0;
    if (!TryStrToFloat(text, again)) std::abort();
    if (FloatToStrF(again, precision, digits) != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    FormatSettings.DecimalSeparator = (data[0] & 0x80) ? '.' : ',';
    const int precision = 1 + (data[0] & 0x0F);  // up to 16 significant digits
    const int digits = (data[0] >> 4) & 0x07;
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    try {
        const std::int32_t number = StrToInt(text);
        if (StrToInt(IntToStr(number)) != number) std::abort();
    } catch (const EConvertError &) {
    }

    long double value = 0;
    const bool read = TryStrToFloat(text, value);
    try {
        const long double raised = StrToFloat(text);
        if (!read || !(raised == value || (std::isnan(raised) && std::isnan(value)))) std::abort();
    } catch (const EConvertError &) {
        if (read) std::abort();
    }
    if (read) CheckFormat(value, precision, digits);

    if (text.size() >= sizeof(long double)) {
        long double raw = 0;
        std::memcpy(&raw, text.data(), 10);
        CheckFormat(raw, precision, digits);
    }
    return 0;
}
