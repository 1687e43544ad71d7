#include <gtest/gtest.h>

#include "platform/runtime/cp1250.h"

TEST(Cp1250, PolishLettersRoundTripWithTheirCodePageBytes) {
    const std::string polish = "ĄąĆćĘęŁłŃńÓóŚśŹźŻż";
    const std::string bytes = Utf8ToCp1250(polish);
    EXPECT_EQ(bytes, "\xA5\xB9\xC6\xE6\xCA\xEA\xA3\xB3\xD1\xF1\xD3\xF3\x8C\x9C\x8F\x9F\xAF\xBF");
    EXPECT_EQ(Cp1250ToUtf8(bytes), polish);
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Cp1250, UnmappableAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("a€b"), "a\x80" "b");
    EXPECT_EQ(Utf8ToCp1250("漢"), "?");
    EXPECT_EQ(Utf8ToCp1250("x\xC3"), "x?");
    EXPECT_EQ(Utf8ToCp1250("\xFF"), "?");
}
