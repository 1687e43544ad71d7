#include <gtest/gtest.h>

#include <string>

#include "barcode/qr_encoder.h"

namespace {

using barcode::QrParameters;

struct Choice {
    int result;
    int version;
    TQRCode_EccLevel level;
};

Choice Encode(const std::string &text, const QrParameters &parameters = {}) {
    barcode::QrSymbol symbol;
    const int result = barcode::EncodeSymbol(text, parameters, symbol);
    return {result, symbol.Version, symbol.EccLevel};
}

TEST(VersionChoice, SmallestVersionThenHighestLevelItHolds) {
    struct Case {
        int digits;
        int version;
        TQRCode_EccLevel level;
    };
    // Version 1 holds 9, 13, 16 and 19 data codewords at H, Q, M and L.
    const Case
        cases[] =
            {
                {0, 1, elHighest},  {17, 1, elHighest}, {18, 1, elQuality}, {27, 1, elQuality},
                {28, 1, elMedium},  {34, 1, elMedium},  {35, 1, elLowest},  {41, 1, elLowest},
                {42, 2, elQuality},  // 154 bits: version 2, and not a larger version for a higher level
            };
    for (const Case &c : cases) {
        const Choice got = Encode(std::string(c.digits, '5'));
        EXPECT_EQ(got.result, 0);
        EXPECT_EQ(got.version, c.version) << c.digits;
        EXPECT_EQ(got.level, c.level) << c.digits;
    }
}

TEST(VersionChoice, WithoutUpgradeTheLevelStaysAndMinVersionIsKept) {
    QrParameters parameters;
    parameters.EccLevelUpgrade = false;
    EXPECT_EQ(Encode("1", parameters).level, elLowest);
    parameters.EccLevel = elQuality;
    EXPECT_EQ(Encode("1", parameters).level, elQuality);
    parameters.MinVersion = 12;
    const Choice got = Encode("", parameters);
    EXPECT_EQ(got.result, 0);
    EXPECT_EQ(got.version, 12);
}

TEST(VersionChoice, TooLongTextsGiveMinusOne) {
    EXPECT_EQ(Encode(std::string(7089, '1')).result, 0);
    EXPECT_EQ(Encode(std::string(7090, '1')).result, -1);  // beyond the digit bound
    EXPECT_EQ(Encode(std::string(2953, 'a')).result, 0);
    EXPECT_EQ(Encode(std::string(2954, 'a')).result, -1);  // within the digit bound, beyond the bits
    EXPECT_EQ(Encode(std::string(1 << 20, 'a')).result, -1);
    QrParameters small;
    small.MaxVersion = 1;
    EXPECT_EQ(Encode(std::string(42, '1'), small).result, -1);
}

TEST(VersionChoice, CachedAnalysisServesAnotherVersionOfTheSameGroup) {
    QrParameters parameters;
    barcode::QrTextState state;
    barcode::ConfigureText("CACHE 123", parameters, state);
    bool fits = false;
    barcode::CalculateDimension(parameters, state, fits);
    EXPECT_EQ(state.AnalysedVersion, 1);
    parameters.MinVersion = 5;
    EXPECT_TRUE(barcode::CalculateDimension(parameters, state, fits));
    EXPECT_TRUE(fits);
    EXPECT_EQ(state.Version, 5);
    EXPECT_EQ(state.AnalysedVersion, 1);  // same character-count group: no new analysis
    EXPECT_FALSE(barcode::CalculateDimension(parameters, state, fits));
}

// Alternating character classes make the most segment boundaries; every such text is encoded.
TEST(VersionChoice, AlternatingTextsEncode) {
    const std::string pairs[] = {"A1",
                                 "a1",
                                 "aA",
                                 "1a",
                                 "A\n",
                                 "1.",
                                 "\x9C"
                                 "1"};
    for (const std::string &pair : pairs) {
        std::string text;
        while (text.size() < 3000) text += pair;
        EXPECT_LE(Encode(text).result, 0) << pair;
    }
}

}  // namespace
