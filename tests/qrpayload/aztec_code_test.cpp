#include "qrpayload/aztec_code.h"

#include <gtest/gtest.h>

#include <random>

#include "code_fixtures.h"

namespace {

using qrpayload::kMaxAztecOutputBytes;

const std::string kHeader("\xDB\x06\x00\x00", 4);

// Writes a stream in the code's bit layout: a bit byte is reserved in the stream when its first bit
// is written; whole bytes go straight to the stream.
class StreamWriter {
public:
    StreamWriter &Bit(int bit) {
        if (used_ == 8) {
            bitByteAt_ = bytes_.size();
            bytes_ += '\0';
            used_ = 0;
        }
        if (bit) bytes_[bitByteAt_] = static_cast<char>(bytes_[bitByteAt_] | (0x80 >> used_));
        ++used_;
        return *this;
    }
    StreamWriter &Byte(char byte) {
        bytes_ += byte;
        return *this;
    }
    StreamWriter &Literal(char byte) { return Bit(1).Byte(byte); }
    // A match that repeats the last offset with a length taken from the gamma code of value.
    StreamWriter &RepeatMatch(unsigned value) {
        Bit(0).Bit(0).Bit(1);  // no literal; offset code 2
        Bit(0).Bit(0);         // length from the gamma code
        int top = 31;
        while (!(value >> top & 1)) --top;
        for (int k = top - 1; k >= 0; --k) Bit(value >> k & 1).Bit(k == 0);
        return *this;
    }
    std::string Code() const { return Base64Encode(kHeader + bytes_); }

private:
    std::string bytes_;
    std::size_t bitByteAt_ = 0;
    int used_ = 8;
};

TEST(GetCodeAztec, DecodesCompressedRegistrationTexts) {
    std::string longText;
    for (int i = 0; i < 60; ++i)
        longText += "XX|WZ " + std::to_string(10000 + 37 * i) + "|Łódź, ul. Źródlana " + std::to_string(i) +
                    "|ŻÓŁW Sp. z o.o.|ĄĘŚĆŃ ąęśćń|";
    const std::string texts[] = {
        "XX|",
        "XX|AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA|",
        "XX|PREZYDENT MIASTA ŁODZI|EL 12345|WF0XXXGCDX1234567|FORD|MONDEO|Jan Łukasiewicz|"
        "Żółkiewskiego 15 m. 3|90-001 Łódź|ŚWIĘTOKRZYSKA|2019-05-17|",
        longText,
    };
    for (const std::string &text : texts) {
        const std::string utf16 = Utf8ToUtf16Le(text);
        EXPECT_EQ(GetCodeAztec(MakeRegistrationCode(utf16)).out, utf16) << text.substr(0, 40);
    }
    EXPECT_GT(Utf8ToUtf16Le(longText).size(), 4000u);
}

// A block of random bytes repeated at one distance: only a back-reference at that distance can
// compress the repeat, so the boundary of the extra length byte (offset half 1280, distance 1281)
// is decoded exactly as the compressor wrote it.
TEST(GetCodeAztec, DecodesBackReferencesAroundTheExtraLengthBoundary) {
    for (std::size_t distance : {1278u, 1279u, 1280u, 1281u, 1282u, 1283u, 3000u}) {
        const std::string block = PseudoRandomBytes(distance, static_cast<std::uint32_t>(distance));
        for (std::size_t repeat : {3u, 4u, 40u}) {
            const std::string data = block + block.substr(0, repeat) + "tail";
            EXPECT_EQ(GetCodeAztec(MakeRegistrationCode(data)).out, data)
                << "distance " << distance << ", repeat " << repeat;
        }
    }
}

TEST(GetCodeAztec, HandBuiltStreams) {
    const struct {
        std::string name;
        std::string code;
        std::string out;
    } cases[] = {
        {"no Base64 characters", "=== ?!", ""},
        {"fewer bytes than the header", "QUJD", ""},
        {"header only", Base64Encode(kHeader), ""},
        {"match first: the repeated offset reaches before the output",
         StreamWriter().Bit(0).Bit(0).Bit(1).Code(), ""},
        {"repeated offset 0 copies the last byte",
         StreamWriter().Literal('A').Bit(0).Bit(0).Bit(1).Bit(1).Bit(0).Code(), "AAA"},
        {"literal flag at the end of the input", Base64Encode(kHeader + "\x80"), ""},
        {"literals", StreamWriter().Literal('x').Literal('\0').Literal('y').Literal('z').Code(),
         std::string("x\0yz", 4)},
        {"a final partial Base64 group loses its byte", StreamWriter().Literal('x').Literal('y').Code(), "x"},
    };
    for (const auto &c : cases) EXPECT_EQ(GetCodeAztec(c.code).out, c.out) << c.name;
}

TEST(GetCodeAztec, ShowsNonzeroBytesWithFieldsOnLines) {
    const std::string utf16 = Utf8ToUtf16Le("XX|AB|C");
    const qrpayload::AztecDecoding decoding = GetCodeAztec(MakeRegistrationCode(utf16));
    EXPECT_EQ(decoding.out, utf16);
    EXPECT_EQ(decoding.shown, "XX\r\nAB\r\nC");
}

TEST(GetCodeAztec, OutputStopsAtItsLimit) {
    StreamWriter longMatches;
    longMatches.Literal('A');
    for (int i = 0; i < 10; ++i) longMatches.RepeatMatch(30000);
    const std::string out = GetCodeAztec(longMatches.Code()).out;
    EXPECT_EQ(out, std::string(kMaxAztecOutputBytes, 'A'));

    StreamWriter hugeLength;
    hugeLength.Literal('A').Bit(0).Bit(0).Bit(1).Bit(0).Bit(0);
    for (int i = 0; i < 200; ++i) hugeLength.Bit(1).Bit(0);
    EXPECT_LE(GetCodeAztec(hugeLength.Code()).out.size(), kMaxAztecOutputBytes);
}

TEST(GetCodeAztec, GarbageGivesBoundedOutput) {
    std::mt19937 random(99);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=\r\n ";
    for (std::size_t length : {5u, 12u, 13u, 100u, 1365u, 1366u, 5000u, 300000u}) {
        for (int trial = 0; trial < 20; ++trial) {
            std::string text(length, 'A');
            for (char &c : text) c = alphabet[random() % alphabet.size()];
            ASSERT_LE(GetCodeAztec(text).out.size(), kMaxAztecOutputBytes);
        }
    }
    for (char fill : {'A', '/', 'g', 'q', 'Z'}) {
        ASSERT_LE(GetCodeAztec(std::string(1 << 20, fill)).out.size(), kMaxAztecOutputBytes);
    }
}

TEST(GetCodeAztec, EveryTwelveCharacterWindowOfTypedText) {
    const std::string code = MakeRegistrationCode(Utf8ToUtf16Le("XX|WE 4711K|VF1RFB00123456789|RENAULT|"));
    const std::string typed = "\nLEG:0\nSZYFR:3DES\nSTART:\n0123456789abcdef\nEND" + code +
                              "\r\nzeskanuj kod ponownie " + code + PseudoRandomBytes(2000, 5);
    std::size_t longest = 0;
    for (std::size_t p = 0; p + 12 <= typed.size(); ++p)
        longest = std::max(longest, GetCodeAztec(std::string_view(typed).substr(p, 12)).out.size());
    EXPECT_LE(longest, kMaxAztecOutputBytes);

    const std::size_t start = typed.find(code);
    EXPECT_TRUE(GetCodeAztec(code.substr(0, 12)).shown.starts_with("XX"));
    EXPECT_EQ(GetCodeAztec(std::string_view(typed).substr(start)).out.substr(0, 6),
              std::string("X\0X\0|\0", 6));
}

}  // namespace
