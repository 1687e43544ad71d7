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
    std::string parameter;
    int position = 3;
    GetParameter("\\e[26]ab", 8, position, parameter, ']', '[', "");
    EXPECT_EQ(parameter, "26");
    EXPECT_EQ(position, 7);

    // An escaped Close stays in; an escape of a Nested character copies up to the next ']'.
    position = 1;
    GetParameter("[a\\]b,\\s[1]x]y", 14, position, parameter, ']', '[', "s");
    EXPECT_EQ(parameter, "a\\]b,\\s[1]x");
    EXPECT_EQ(position, 14);

    // No Open at the position, or no Close: nothing, and the position stays.
    position = 2;
    GetParameter("[abc]", 5, position, parameter, ']', '[', "");
    EXPECT_EQ(parameter, "");
    EXPECT_EQ(position, 2);
    position = 1;
    GetParameter("[abc]", 4, position, parameter, ']', '[', "");
    EXPECT_EQ(parameter, "");
    EXPECT_EQ(position, 1);
    position = 9;
    GetParameter("[abc]", 5, position, parameter, ']', '[', "");
    EXPECT_EQ(position, 9);
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
