#include "storage/field_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(FieldValues, LineListEndsEveryLine) {
    EXPECT_EQ(storage::LineList({}), "");
    EXPECT_EQ(storage::LineList({"12"}), "12\r\n");
    EXPECT_EQ(storage::LineList({"", "b"}), "\r\nb\r\n");
}

TEST(FieldValues, ALineListSplitsBackIntoItsLines) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {{"", {}},
                          {"a\r\nb\r\n", {"a", "b"}},
                          {"\r\n\r\nc", {"", "", "c"}},
                          {"a\nb\rc", {"a", "b", "c"}},
                          {"żółw\r\n", {"żółw"}}};
    for (const Case &c : cases) EXPECT_EQ(storage::SplitLines(c.text), c.lines) << c.text;
    EXPECT_EQ(storage::LineOf({"a"}, 0), "a");
    EXPECT_EQ(storage::LineOf({"a"}, 1), "");
}

TEST(FieldValues, OnlyAWholeNumberConverts) {
    EXPECT_EQ(storage::WholeNumber("16777215"), 16777215);
    EXPECT_EQ(storage::WholeNumber(" -12"), -12);
    for (const char *text : {"", "12a", "1,5", "---", "99999999999"})
        EXPECT_FALSE(storage::WholeNumber(text).has_value()) << text;
}

TEST(FieldValues, ThousandthsTruncateTowardZeroAndStayInRange) {
    struct Case {
        float value;
        int32_t expected;
    };
    const Case cases[] = {{1.2345f, 1234},
                          {-0.0009f, 0},
                          {-1.5f, -1500},
                          {0.0f, 0},
                          {1e12f, std::numeric_limits<int32_t>::max()},
                          {-1e12f, std::numeric_limits<int32_t>::min()},
                          {std::nanf(""), 0},
                          {std::numeric_limits<float>::infinity(), std::numeric_limits<int32_t>::max()}};
    for (const Case &c : cases) EXPECT_EQ(storage::Thousandths(c.value), c.expected) << c.value;
}

}  // namespace
