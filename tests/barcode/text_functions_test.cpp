#include "barcode/text_functions.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFunctions, Crc16) {
    EXPECT_EQ(CRC16("abc"), 0x58E9);
    EXPECT_EQ(CRC16("123456789"), 0x2189);
    EXPECT_EQ(CRC16(""), 0);
}

TEST(TextFunctions, StrToDec) {
    struct Case {
        const char *text;
        int min, max, value, position;
    };
    const Case cases[] = {
        {" 42\t", 0, 255, 42, 0},
        {"0", 0, 255, 0, 0},
        {"255", 0, 255, 255, 0},
        {"256", 0, 255, 25, 3},
        {"7", 10, 99, 7, 2},
        {"", 0, 9, 0, 1},
        {"  ", 0, 9, 0, 3},
        {"x1", 0, 9, 0, 3},
        {"12a", 0, 999, 12, 3},
        {"4 5", 0, 99, 4, 3},
        {"99999999999", 0, 2147483647, 999999999, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        int position = -1;
        EXPECT_EQ(StrToDec(c.text, c.min, c.max, position), c.value);
        EXPECT_EQ(position, c.position);
    }
}

TEST(TextFunctions, GetParameter) {
    struct Case {
        const char *text;
        int length, position;
        const char *nested, *parameter;
        int positionAfter;
    };
    const Case cases[] = {
        {"\\e[26]ab", 8, 3, "", "26", 7},
        // An escaped Close stays in; an escaped Nested character copies up to the next ']'.
        {"[a\\]b,\\s[1]x]y", 14, 1, "s", "a\\]b,\\s[1]x", 14},
        // No Open at the position, no Close within the length, a position past the end: nothing.
        {"[abc]", 5, 2, "", "", 2},
        {"[abc]", 4, 1, "", "", 1},
        {"[abc]", 5, 9, "", "", 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::string parameter = "old";
        int position = c.position;
        GetParameter(c.text, c.length, position, parameter, ']', '[', c.nested);
        EXPECT_EQ(parameter, c.parameter);
        EXPECT_EQ(position, c.positionAfter);
    }
}

TEST(TextFunctions, GetParameterItemTakesItemsOneByOne) {
    std::string s = " 1 ,a\\,b, \\[x\\] ,\\q,";
    EXPECT_EQ(GetParameterItem(s, true), "1");
    EXPECT_EQ(GetParameterItem(s, false), "a,b");
    EXPECT_EQ(GetParameterItem(s, false), " [x] ");
    EXPECT_EQ(GetParameterItem(s, true), "\\q");
    EXPECT_EQ(s, "");
    EXPECT_EQ(GetParameterItem(s, true), "");
    EXPECT_TRUE(CharInSet('b', "abc"));
    EXPECT_FALSE(CharInSet('d', "abc"));
}

}  // namespace
