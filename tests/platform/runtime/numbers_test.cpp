#include <gtest/gtest.h>

#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace {

struct FormatCase {
    long double value;
    int digits;
    const char *expected;
};

TEST(FloatToStrF, RoundsHalfAwayFromZeroFromTenSignificantDigits) {
    FormatSettings.DecimalSeparator = ',';
    const FormatCase cases[] = {
        {0.125L, 2, "0,13"},
        {-0.125L, 2, "-0,13"},
        {2.5L, 0, "3"},
        {-2.5L, 0, "-3"},
        {-0.001L, 2, "0,00"},
        {-0.0L, 3, "0,000"},
        {0.0L, 0, "0"},
        {0.005L, 2, "0,01"},
        {0.004999L, 2, "0,00"},
        {9.995L, 2, "10,00"},  // held just below 9.995, but 18 digits round it to the tie
        {99.999L, 2, "100,00"},
        {static_cast<float>(12345) / 100.0f, 2, "123,45"},
        {static_cast<long double>(0.2f), 3, "0,200"},
        {1234567.891L, 3, "1234567,891"},  // ten significant digits
        {12345678.9876L, 3, "12345678,990"},  // ten significant digits, then padded
        {1.5e15L, 2, "1,5E15"},
        {123.0L, 0, "123"},
        {7.0L, 4, "7,0000"},
    };
    for (const auto &c : cases) EXPECT_EQ(FloatToStrF(c.value, 10, c.digits), c.expected) << static_cast<double>(c.value);
}

TEST(FloatToStrF, PadsMissingDecimalsOfAPrecisionCut) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStrF(12345678.9876L, 10, 4), "12345678,9900");
}

TEST(FloatToStrF, UsesTheDecimalSeparatorInForce) {
    FormatSettings.DecimalSeparator = '.';
    EXPECT_EQ(FloatToStrF(1.5L, 10, 2), "1.50");
    FormatSettings.DecimalSeparator = ',';
}

TEST(StrToFloat, AcceptsTheLocaleFormOnly) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(StrToFloat("1,25"), 1.25L);
    EXPECT_EQ(StrToFloat(" -3 "), -3.0L);
    EXPECT_EQ(StrToFloat("2,5E3"), 2500.0L);
    EXPECT_EQ(StrToFloat(",5"), 0.5L);
    EXPECT_EQ(StrToFloat("5,"), 5.0L);
    for (const char *bad : {"---", "", "1,2,3", "abc", "1.5", "1e", "+", ",", "1 2", "1e99999"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
}

TEST(StrToInt, AcceptsDecimalAndHexWithinThirtyTwoBits) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -17"), -17);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const char *bad : {"---", "", "1,2,3", "abc", "2147483648", "12 ", "$", "1.0", "99999999999999999999"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

}  // namespace
