#include "device/decoders/field_conversion.h"

#include <cmath>

#include "platform/runtime/numbers.h"

namespace decoders {

namespace {

// value / divisor in extended precision, rounded to binary32 and formatted; "---" when the
// divisor is 0 or any step leaves the finite range.
std::string DivideAndFormat(float value, long double divisor, int decimals) {
    if (!std::isfinite(value) || divisor == 0 || !std::isfinite(divisor)) return std::string(kNoValue);
    return FormatValue(static_cast<float>(static_cast<long double>(value) / divisor), decimals);
}

std::string DecimalField(Bytes field, float divisor, int decimals) {
    std::string text(field.rbegin(), field.rend());
    long double parsed = 0;
    if (!TryStrToFloat(text, parsed)) return std::string(kNoValue);
    return DivideAndFormat(static_cast<float>(parsed), divisor, decimals);
}

std::string HexField(Bytes field, float divisor, int decimals) {
    if (field.size() > kMaxHexDigits) return std::string(kNoValue);
    uint32_t value = 0;
    for (size_t i = field.size(); i-- > 0;) {
        const uint8_t c = field[i];
        // No check of the characters: the devices send upper-case digits and anything else
        // contributes its 8-bit difference, as the meters' own decoding does.
        const uint8_t digit =
            c >= '0' && c <= '9' ? static_cast<uint8_t>(c - '0') : static_cast<uint8_t>(c - 55);
        value |= static_cast<uint32_t>(digit) << (4 * i);
    }
    return DivideAndFormat(static_cast<float>(value), divisor, decimals);
}

}  // namespace

bool FieldPresent(Bytes record, size_t offset, size_t count) {
    return offset <= record.size() && count <= record.size() - offset;
}

std::string ConvertDataTivar(Bytes record, size_t offset, size_t count, uint8_t mode, float divisor,
                             int decimals) {
    if (mode > kPlainText) return {};
    if (!FieldPresent(record, offset, count)) return std::string(kNoValue);
    const Bytes field = record.subspan(offset, count);
    switch (mode) {
        case kDecimalDigits:
            return DecimalField(field, divisor, decimals);
        case kHexDigits:
            return HexField(field, divisor, decimals);
        default:
            return std::string(field.begin(), field.end());
    }
}

std::string BufToFloat(Bytes data, size_t offset, size_t count, int decimals, int32_t divisor) {
    if (count == 0 || count > kMaxCountBytes || !FieldPresent(data, offset, count))
        return std::string(kNoValue);
    float sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum =
            static_cast<float>(sum + static_cast<float>(static_cast<uint32_t>(data[offset + i]) << (8 * i)));
    return DivideAndFormat(sum, divisor, decimals);
}

std::optional<long double> TextToNumber(std::string_view text) {
    long double value = 0;
    if (!TryStrToFloat(text, value)) return std::nullopt;
    return value;
}

std::optional<int32_t> TextToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) return std::nullopt;
    return value;
}

namespace {

std::string Combine(std::string_view a, std::string_view b, float sign) {
    const std::optional<long double> x = TextToNumber(a), y = TextToNumber(b);
    if (!x || !y) return std::string(kNoValue);
    return FormatValue(static_cast<float>(static_cast<float>(*x) + sign * static_cast<float>(*y)), 2);
}

}  // namespace

std::string SumText(std::string_view a, std::string_view b) {
    return Combine(a, b, 1);
}
std::string DifferenceText(std::string_view a, std::string_view b) {
    return Combine(a, b, -1);
}

Bytes DataFrom(Bytes message, size_t first) {
    return first < message.size() ? message.subspan(first) : Bytes();
}

std::string FormatValue(long double value, int decimals) {
    if (!std::isfinite(value)) return std::string(kNoValue);
    return FormatFixed(value, decimals);
}

}  // namespace decoders
