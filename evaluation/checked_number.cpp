#include "evaluation/checked_number.h"

#include <cfloat>
#include <cmath>

#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace evaluation {

namespace {

Ext Checked(long double value) {
    if (!std::isfinite(value)) throw StepFailed{};
    return Ext(value);
}

}  // namespace

Ext operator+(Ext a, Ext b) {
    return Checked(a.value() + b.value());
}
Ext operator-(Ext a, Ext b) {
    return Checked(a.value() - b.value());
}
Ext operator*(Ext a, Ext b) {
    return Checked(a.value() * b.value());
}

Ext operator/(Ext a, Ext b) {
    if (b.value() == 0) throw StepFailed{};
    return Checked(a.value() / b.value());
}

Ext Value(std::string_view text) {
    long double value = 0;
    if (!TryStrToFloat(text, value)) throw StepFailed{};
    return Ext(value);
}

int32_t IntValue(std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const EConvertError &) {
        throw StepFailed{};
    }
}

float Single(Ext value) {
    // Out of the float range the conversion itself would be undefined: it counts as an overflow.
    if (std::fabs(value.value()) > FLT_MAX) throw StepFailed{};
    return static_cast<float>(value.value());
}

std::string Fixed(Ext value, int digits) {
    return FormatFixed(value.value(), digits);
}

bool IsZeroText(std::string_view text) {
    long double value = 0;
    return TryStrToFloat(text, value) && value == 0;
}

}  // namespace evaluation
