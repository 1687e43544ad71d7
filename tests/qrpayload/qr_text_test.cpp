#include "qrpayload/qr_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "des_oracle.h"
#include "platform/runtime/cp1250.h"

namespace {

using qrpayload::QrPayloadState;

std::array<std::uint8_t, 24> ClearedKey() {
    std::array<std::uint8_t, 24> key;
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(9 * i);
    return key;
}

// The working key derived independently: each third of the key string deciphered under the whole
// key string by the OpenSSL composition.
Key24 ExpectedWorkKey(std::uint8_t offset) {
    const std::string_view keyString = "Pwolsank Tremira 58-213K";
    Key24 source;
    std::copy(keyString.begin(), keyString.end(), source.begin());
    Key24 work;
    for (int j = 0; j < 3; ++j) {
        DesBlock block;
        std::copy_n(source.begin() + 8 * j, 8, block.begin());
        const DesBlock derived = OracleDecrypt3(source, block);
        for (int i = 0; i < 8; ++i) work[8 * j + i] = static_cast<std::uint8_t>(derived[i] + offset);
    }
    return work;
}

// The body lines of a QR text: what lies between "START:" and "END".
std::vector<std::string> BodyLines(const std::string &text) {
    const std::string head = "START:\n";
    const std::size_t begin = text.find(head) + head.size();
    const std::size_t end = text.rfind("END");
    std::vector<std::string> lines;
    std::istringstream body(text.substr(begin, end - begin));
    for (std::string line; std::getline(body, line);) lines.push_back(line);
    return lines;
}

TEST(QrWorkKey, HoldsTheWipedBytesExceptAroundABlock) {
    QrPayloadState state;
    EXPECT_EQ(state.QrWorkKey, ClearedKey());
    state.GenerateKey(0);
    EXPECT_EQ(state.QrWorkKey, ExpectedWorkKey(0));
    state.ClearKey();
    EXPECT_EQ(state.QrWorkKey, ClearedKey());
    state.GenerateKey(200);
    EXPECT_EQ(state.QrWorkKey, ExpectedWorkKey(200));

    state.WriteQR("some data", 0, 1);
    EXPECT_EQ(state.QrWorkKey, ClearedKey());
    state.ReadQR("0123456789abcdef");
    EXPECT_EQ(state.QrWorkKey, ClearedKey());
}

TEST(WriteQR, PlainTexts) {
    QrPayloadState state;
    const struct {
        std::string data;
        std::int32_t leg, mode;
        std::string text;
    } cases[] = {
        {"abc", 0, 0, "\nLEG:0\nSZYFR:NONE\nSTART:\nabc\nEND"},
        {"abc", 0, 2, "\nLEG:0\nSZYFR:NONE\nSTART:\nabc\nEND"},
        {"abc", 0, -1, "\nLEG:0\nSZYFR:NONE\nSTART:\nabc\nEND"},
        {"", 0, 0, "\nLEG:0\nSZYFR:NONE\nSTART:\n\nEND"},
        {"a\r\nb", -12, 0, "\nLEG:-12\nSZYFR:NONE\nSTART:\na\r\nb\nEND"},
        {"x", 2147483647, 0, "\nLEG:2147483647\nSZYFR:NONE\nSTART:\nx\nEND"},
    };
    for (const auto &c : cases) EXPECT_EQ(state.WriteQR(c.data, c.leg, c.mode), c.text) << c.mode;
    EXPECT_EQ(state.WriteQR("abc", 0, 0).size(), 32u);
}

TEST(WriteQR, EmptyDataEnciphersOneZeroBlock) {
    QrPayloadState state;
    const DesBlock zero{};
    std::string line;
    for (std::uint8_t byte : OracleEncrypt3(ExpectedWorkKey(0), zero)) line += ConvUchHEX(byte);
    EXPECT_EQ(state.WriteQR("", 0, 1), "\nLEG:0\nSZYFR:3DES\nSTART:\n" + line + "\nEND");
}

TEST(WriteQR, EncipheredBodyHasOneLinePerBlockAndReadsBack) {
    QrPayloadState state;
    const struct {
        std::size_t length;
        std::size_t lines;
    } cases[] = {{0, 1}, {1, 1}, {7, 1}, {8, 1}, {9, 2}, {16, 2}, {17, 3}, {24, 3}, {25, 4}, {100, 13}};
    for (const auto &c : cases) {
        std::string data;
        for (std::size_t i = 0; i < c.length; ++i) data += static_cast<char>('A' + i % 26);
        const std::string text = state.WriteQR(data, 0, 1);
        ASSERT_TRUE(text.starts_with("\nLEG:0\nSZYFR:3DES\nSTART:\n")) << c.length;
        ASSERT_TRUE(text.ends_with("\nEND")) << c.length;
        const std::vector<std::string> lines = BodyLines(text);
        ASSERT_EQ(lines.size(), c.lines) << c.length;

        std::string readBack;
        for (const std::string &line : lines) {
            EXPECT_EQ(line.size(), 16u);
            EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char ch) {
                return std::isdigit(ch) || (ch >= 'a' && ch <= 'f');
            })) << line;
            readBack += state.ReadQR(line);
        }
        EXPECT_EQ(readBack, data + std::string(8 * c.lines - c.length, '\0')) << c.length;
    }
}

TEST(WriteQR, CodePageBytesRoundTripAndEqualBlocksGiveEqualLines) {
    QrPayloadState state;
    const std::string data = Utf8ToCp1250("Łódź ąę|Łódź ąę|Łódź ąę|");
    ASSERT_EQ(data.size(), 24u);
    const std::vector<std::string> lines = BodyLines(state.WriteQR(data, 0, 1));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_EQ(lines[1], lines[2]);
    EXPECT_EQ(state.ReadQR(lines[0]), data.substr(0, 8));
}

TEST(ReadQR, ToleratesShortAndForeignLines) {
    QrPayloadState state;
    const std::string reference = state.ReadQR("abcdef0000000000");
    EXPECT_EQ(reference.size(), 8u);
    EXPECT_EQ(state.ReadQR("ABCDEF"), reference);
    EXPECT_EQ(state.ReadQR("AbCdEfzz??  ..--"), reference);
    EXPECT_EQ(state.ReadQR("abcdef0000000000ffff\r"), reference);
    EXPECT_EQ(state.ReadQR("x").size(), 8u);
}

}  // namespace
