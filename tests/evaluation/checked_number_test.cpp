#include "evaluation/checked_number.h"

#include <gtest/gtest.h>

#include "platform/runtime/numbers.h"

namespace evaluation {
namespace {

TEST(CheckedNumber, FailuresBecomeMissingNeverInfinities) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(Guarded([] { return Fixed(Value("1,5") * 2, 2); }), "3,00");
    for (const char *text : {"", "---", "1.5", "abc", "1,5x"})
        EXPECT_EQ(Guarded([&] { return Fixed(Value(text), 2); }), "---") << text;
    EXPECT_EQ(Guarded([] { return Fixed(Value("1") / Value("0,000"), 2); }), "---");
    EXPECT_EQ(Guarded([] { return Fixed(Value("0") / Value("0"), 2); }), "---");
    EXPECT_EQ(Guarded([] { return Fixed(Value("1e4000") * Value("1e4000"), 2); }), "---");
    // Beyond the single-precision range the rounding itself fails.
    EXPECT_EQ(Guarded([] { return FixedSingle(Value("1e39"), 2); }), "---");
    EXPECT_EQ(Guarded([] { return FixedSingle(Value("3e38"), 0); }), "3,000000005E38");
}

TEST(CheckedNumber, ZeroTextIsNumeric) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_TRUE(IsZeroText("0,00"));
    EXPECT_TRUE(IsZeroText("-0"));
    EXPECT_FALSE(IsZeroText("0.00"));
    EXPECT_FALSE(IsZeroText("---"));
    FormatSettings.DecimalSeparator = '.';
    EXPECT_TRUE(IsZeroText("0.00"));
    FormatSettings.DecimalSeparator = ',';
}

}  // namespace
}  // namespace evaluation
