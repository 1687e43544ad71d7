#pragma once
// Guarded arithmetic of the fare evaluation. Every value is parsed from a text, worked out in
// extended precision and written back as text; a conversion that fails, a division by zero, an
// invalid operation or an overflow aborts the current cell, which then reads "---".
#include <cstdint>
#include <string>
#include <string_view>

namespace evaluation {

// The text of a value that is missing or failed to compute.
inline constexpr std::string_view kMissing = "---";

// Thrown inside a guarded cell; caught by Guarded, never escapes the evaluation.
struct StepFailed {};

// An extended-precision value whose every operation checks its result.
class Ext {
public:
    constexpr Ext(long double value = 0) : value_(value) {}  // NOLINT(google-explicit-constructor)
    constexpr long double value() const { return value_; }

private:
    long double value_;
};

Ext operator+(Ext a, Ext b);
Ext operator-(Ext a, Ext b);
Ext operator*(Ext a, Ext b);
Ext operator/(Ext a, Ext b);  // a zero divisor fails

// The text as a number with the user's decimal separator; "", "---" and junk fail.
Ext Value(std::string_view text);
// The text as a signed 32-bit integer; fails on anything else.
int32_t IntValue(std::string_view text);
// Rounds to single precision; a value beyond its range fails.
float Single(Ext value);
// Fixed-point text with `digits` decimals and 10 significant digits.
std::string Fixed(Ext value, int digits);
// The value rounded to single precision, then written with `digits` decimals.
inline std::string FixedSingle(Ext value, int digits) {
    return Fixed(Single(value), digits);
}

// True for an empty text or "---".
inline bool IsMissing(std::string_view text) {
    return text.empty() || text == kMissing;
}
// True when the text converts to the number zero (never for a text that does not convert).
bool IsZeroText(std::string_view text);

// Runs one guarded cell: its text, or "---" when it failed.
template <class Compute>
std::string Guarded(Compute &&compute) {
    try {
        return compute();
    } catch (const StepFailed &) {
        return std::string(kMissing);
    }
}

}  // namespace evaluation
