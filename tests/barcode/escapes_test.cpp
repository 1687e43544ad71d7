#include "barcode/escapes.h"

#include <gtest/gtest.h>

#include <string>

#include "barcode/qr_encoder.h"

namespace {

TEST(Escapes, FailurePositions) {
    struct Case {
        std::string text;
        int position;
    };
    const Case cases[] = {
        {"plain text", 0},
        {"\\\\", 0},
        {"\\s[1,2,0]AB", 0},
        {"\\s[ 2 , 16 , 255 ]\\e[26]\\f01", 0},
        {"AB\\fC\\gD\\tE\\dF\\]", 0},
        {"abc\\", 4},        // backslash at the end
        {"\\A", 2},          // outside \ .. t
        {"\\x", 2},          // outside \ .. t
        {"\\a", 2},          // a letter with no meaning
        {"A\\s[1,2,0]", 3},  // Structured Append not at the start
        {"\\s[0,2,0]", 4},   // position below 1
        {"\\s[3,2,0]", 6},   // position beyond the total
        {"\\s[1,17,0]", 7},  // total above 16
        {"\\s[1,2,256]", 10},
        {"\\s[1,2,0", 9},  // text ends before "]"
        {"\\s1,2,0]", 3},
        {"\\e[1000000]", 10},
        {"\\e[]", 4},
        {"\\e[12", 6},
        {"\\fA", 3},  // FNC1 first needs a digit
        {"\\f", 3},
        {"\\f[256]", 6},
        {"\\f[AB]", 5},
        {"\\t", 3},
        {"\\dA1", 0},
        {"\\d1", 4},  // two digits needed
        {"\\d-", 3},
        {"\\e[5]\\f[z]x\\e[7]y", 0},
    };
    for (const Case &c : cases) EXPECT_EQ(VerifyEscape(c.text), c.position) << c.text;
}

TEST(Escapes, FilteredCountsAndHeaderBits) {
    struct Case {
        std::string text;
        int characters;
        int bits;
    };
    const Case cases[] = {
        {"ABC", 3, 0},
        {"\\s[1,2,7]ABC", 3, 20},
        {"\\e[3]A\\e[127]B\\e[128]C\\e[16384]D", 4, 12 + 12 + 20 + 28},
        {"\\f01", 2, 4},
        {"\\f[a]x", 1, 12},
        {"\\d12x\\\\y\\gz", 5, 12},
        {"\\q", 2, 0},  // does not parse: every byte counts
    };
    for (const Case &c : cases) {
        int characters = -1, bits = -1;
        FilterEscape(c.text, characters, bits);
        EXPECT_EQ(characters, c.characters) << c.text;
        EXPECT_EQ(bits, c.bits) << c.text;
    }
}

TEST(Escapes, ParityOfTheDataBytes) {
    int bad = -1;
    EXPECT_EQ(GetParity("AB", false, bad), 'A' ^ 'B');
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(GetParity("\\s[1,2,0]\\e[3]A\\\\B", true, bad), 'A' ^ '\\' ^ 'B');
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(GetParity("A\\", true, bad), 0);
    EXPECT_EQ(bad, 2);
}

TEST(Escapes, EncoderReportsTheFailurePositionAndIgnoresEscapesWhenOff) {
    barcode::QrParameters parameters;
    parameters.AllowEscape = true;
    barcode::QrSymbol symbol;
    EXPECT_EQ(barcode::EncodeSymbol("OK\\e[99999999]", parameters, symbol), 12);
    parameters.AllowEscape = false;
    EXPECT_EQ(barcode::EncodeSymbol("OK\\e[99999999]", parameters, symbol), 0);
    parameters.AllowEscape = true;
    // The escape headers count against the capacity: 17 digits fit 1-H alone, not after an ECI.
    parameters.MaxVersion = 1;
    parameters.EccLevel = elHighest;
    EXPECT_EQ(barcode::EncodeSymbol(std::string(17, '1'), parameters, symbol), 0);
    EXPECT_EQ(barcode::EncodeSymbol("\\e[3]" + std::string(17, '1'), parameters, symbol), -1);
}

}  // namespace
