#include "device/decoders/field_conversion.h"

#include <limits>

#include "decoder_fixture.h"

namespace decoders {
namespace {

using FieldConversion = DecoderTest;

struct FieldCase {
    const char *record;
    size_t offset, count;
    uint8_t mode;
    float divisor;
    int decimals;
    const char *expected;
};

TEST_F(FieldConversion, ConvertDataTivarTable) {
    const FieldCase cases[] = {
        {"052100", 0, 6, kDecimalDigits, 100, 2, "12,50"},  // least significant digit first
        {"21", 0, 2, kDecimalDigits, 1, 0, "12"},
        {"21", 0, 2, kHexDigits, 1, 0, "18"},
        {"FF", 0, 2, kHexDigits, 1, 0, "255"},
        {"0A", 0, 2, kHexDigits, 1, 0, "160"},
        {"A000", 0, 4, kHexDigits, 1, 0, "10"},
        {"0100", 0, 4, kHexDigits, 1, 0, "16"},
        {"0010", 0, 4, kHexDigits, 1, 0, "256"},
        {"00000000", 0, 8, kDecimalDigits, 100, 2, "0,00"},
        {"99999999", 0, 8, kDecimalDigits, 100, 2, "1000000,00"},  // binary32 rounds before dividing
        {"54321", 0, 5, kDecimalDigits, 100, 2, "123,45"},         // 123.4499969 shown as 123,45
        {"521", 0, 3, kDecimalDigits, 1000, 2, "0,13"},            // 0.125: half away from zero
        {"x00120", 1, 4, kDecimalDigits, 1, 0, "2100"},            // the offset counts from byte 0
        {"", 0, 0, kDecimalDigits, 1, 0, "---"},                   // an empty field does not convert
        {"1A", 0, 2, kDecimalDigits, 1, 0, "---"},
        {"05", 0, 2, kDecimalDigits, 0, 2, "---"},  // zero divisor
        {"05", 0, 2, kHexDigits, 0, 2, "---"},
        {"00", 0, 2, kDecimalDigits, 0, 2, "---"},           // 0 / 0
        {"93e1", 0, 4, kDecimalDigits, 1, 0, "---"},         // 1e39 overflows binary32
        {"FFFFFFFF", 0, 8, kHexDigits, 1, 0, "4294967296"},  // rounded to binary32
        {"FFFFFFFFF", 0, 9, kHexDigits, 1, 0, "---"},        // more than 32 bits
        {"a", 0, 1, kHexDigits, 1, 0, "42"},                 // unchecked: 'a' - 55
        {" ab 1 ", 0, 6, kPlainText, 1, 0, " ab 1 "},        // text unchanged, blanks kept
        {"12", 0, 2, 3, 1, 0, ""},                           // unknown mode
    };
    for (const auto &c : cases) {
        const auto bytes = ToBytes(c.record);
        EXPECT_EQ(ConvertDataTivar(bytes, c.offset, c.count, c.mode, c.divisor, c.decimals), c.expected)
            << '"' << c.record << "\" mode " << int(c.mode);
    }
}

TEST_F(FieldConversion, BytesBeyondTheRecordAreAbsent) {
    // The buffer holds more than the record: the tail belongs to an earlier message.
    const auto buffer = ToBytes("12345678");
    const Bytes record = Bytes(buffer).first(4);
    for (uint8_t mode : {kDecimalDigits, kHexDigits, kPlainText}) {
        EXPECT_EQ(ConvertDataTivar(record, 2, 4, mode, 1, 0), "---") << int(mode);
        EXPECT_EQ(ConvertDataTivar(record, 5, 0, mode, 1, 0), "---") << int(mode);
        EXPECT_EQ(ConvertDataTivar(record, std::numeric_limits<size_t>::max(), 2, mode, 1, 0), "---");
        EXPECT_EQ(ConvertDataTivar(record, 2, std::numeric_limits<size_t>::max(), mode, 1, 0), "---");
    }
    EXPECT_EQ(ConvertDataTivar(record, 2, 2, kDecimalDigits, 1, 0), "43");  // the last two bytes
}

TEST_F(FieldConversion, PointSeparator) {
    SeparatorGuard point('.');
    const auto zeros = ToBytes("00000000");
    EXPECT_EQ(ConvertDataTivar(zeros, 0, 8, kDecimalDigits, 100, 2), "0.00");
    const auto bytes = std::vector<uint8_t>{0x01, 0, 0, 0};
    EXPECT_EQ(BufToFloat(bytes, 0, 4, 3, 1000), "0.001");
}

TEST_F(FieldConversion, BufToFloatTable) {
    struct Case {
        std::vector<uint8_t> data;
        size_t offset, count;
        int decimals;
        int32_t divisor;
        const char *expected;
    };
    const Case cases[] = {
        {{0x01, 0, 0, 0}, 0, 4, 3, 1000, "0,001"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0, 4, 0, 1, "4294967296"},  // the running sum in binary32
        {{0x01, 0x00, 0x00, 0x01}, 0, 4, 0, 1, "16777216"},    // 2^24 + 1 is not representable
        {{0x34, 0x12}, 0, 2, 2, 100, "46,60"},
        {{0x00, 0x10, 0x27}, 1, 2, 0, 1, "10000"},
        {{0x10, 0x27, 0x00}, 0, 3, 0, 1, "10000"},
        {{0x01, 0x02}, 0, 2, 0, 0, "---"},  // zero divisor
        {{0x01, 0x02}, 1, 2, 0, 1, "---"},  // past the end
        {{0x01, 0x02}, 0, 0, 0, 1, "---"},
        {{0x01, 0x02, 0x03, 0x04, 0x05}, 0, 5, 0, 1, "---"},  // more than 32 bits
        {{}, 0, 1, 0, 1, "---"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BufToFloat(c.data, c.offset, c.count, c.decimals, c.divisor), c.expected)
            << c.offset << "+" << c.count << " /" << c.divisor;
}

TEST_F(FieldConversion, TextsReadBack) {
    EXPECT_EQ(TextToNumber("12,50"), 12.5L);
    EXPECT_EQ(TextToNumber("---"), std::nullopt);
    EXPECT_EQ(TextToInt("1500"), 1500);
    EXPECT_EQ(TextToInt("---"), std::nullopt);
    EXPECT_EQ(TextToInt("1,5"), std::nullopt);
    EXPECT_EQ(FormatValue(std::numeric_limits<long double>::infinity(), 2), "---");
    EXPECT_EQ(FormatValue(-0.001L, 2), "0,00");
}

}  // namespace
}  // namespace decoders
