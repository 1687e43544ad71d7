#include "qrpayload/base64.h"

#include <gtest/gtest.h>

namespace {

TEST(DecodeBase64, SkipsForeignCharactersAndDropsAPartialGroup) {
    const struct {
        std::string_view text;
        std::string bytes;
    } cases[] = {
        {"", ""},
        {"Zm9vYmFy", "foobar"},
        {"Zm9vYmE=", "foo"},
        {"Zm9vYg==", "foo"},
        {"Zg==", ""},
        {"Zm8", ""},
        {"Zm9v\r\nYm\nFy", "foobar"},
        {"Zm=9v Ym-Fy", "foobar"},
        {"\xC4\x85Zm9v\xE2\x82\xAC", "foo"},
        {"////", "\xFF\xFF\xFF"},
        {"++++", "\xFB\xEF\xBE"},
        {"AAAA", std::string(3, '\0')},
        {"=!?", ""},
    };
    for (const auto &c : cases) {
        std::vector<std::uint8_t> buffer = {1, 2, 3};
        EXPECT_EQ(DecodeBase64(c.text, buffer), c.bytes.size()) << c.text;
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), c.bytes) << c.text;
    }
}

TEST(DecodeBase64, HoldsCodesBeyondAThousandBytes) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "QUJD";
    std::vector<std::uint8_t> buffer;
    ASSERT_EQ(DecodeBase64(text, buffer), 6000u);
    EXPECT_EQ(buffer[5997], 'A');
    EXPECT_EQ(buffer[5999], 'C');
}

}  // namespace
