#include "barcode/segmentation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The segments as text: mode letter (N, A, B, K) and length, separated by blanks.
std::string Segments(const std::string &text, int version, TQRCode_EncodePolicy policy = epMixingOptimal,
                     bool kanji = false) {
    barcode::SegmentList segments;
    TEncodeStatistic statistic;
    Analyse(text, version, policy, kanji, segments, statistic);
    std::string result;
    int next = 0;
    for (const barcode::Segment &s : segments) {
        EXPECT_EQ(s.Start, next) << "segments must cover the text in order";
        next = s.Start + s.Length;
        if (!result.empty()) result += ' ';
        result += "?NABK"[s.Mode] + std::to_string(s.Length);
    }
    EXPECT_EQ(next, static_cast<int>(text.size()));
    EXPECT_EQ(statistic.BitCount, barcode::ListStatistic(segments, version).BitCount);
    return result;
}

TEST(Segmentation, OptimalPolicyCases) {
    struct Case {
        std::string text;
        int version;
        std::string segments;
    };
    const std::vector<Case> cases = {
        {"", 1, "N0"},
        {"0123", 1, "N4"},
        {"AB12CD", 1, "A6"},
        {"AB12CD", 10, "A6"},
        {"AB12CD", 27, "A6"},
        // The chunk after the line feed starts after a byte segment: a short alphanumeric tail
        // stays in byte mode, a long one gets its own segment.
        {"HELLO WORLD\nAB", 1, "A11 B3"},
        {"HELLO WORLD\nABCDEFGHIJKLMNOP", 1, "A11 B1 A16"},
        // Digits between bytes: six or more get their own segment in versions 1-9.
        {"abc123456789def", 1, "B3 N9 B3"},
        {"abc12345def", 1, "B11"},
        // An odd alphanumeric run continued after digits that stay alphanumeric.
        {"ABC1234567DE", 1, "A12"},
        // Shift JIS text without the Kanji mode is bytes.
        {"\x93\xFA\x96\x7B", 1, "B4"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Segments(c.text, c.version), c.segments) << c.text << " v" << c.version;
    }
}

TEST(Segmentation, KanjiModeWhenAllowed) {
    EXPECT_EQ(Segments("\x93\xFA\x96\x7B", 1, epMixingOptimal, true), "K4");
    EXPECT_EQ(Segments("\x93\xFA\x96\x7B", 1, epSingleMode, true), "K4");
    // An odd byte count cannot be Kanji text.
    EXPECT_EQ(Segments("\x93\xFA\x96", 1, epSingleMode, true), "B3");
}

TEST(Segmentation, SingleModeTakesTheSmallestModeForTheWholeText) {
    EXPECT_EQ(Segments("123", 1, epSingleMode), "N3");
    EXPECT_EQ(Segments("123 ABC", 1, epSingleMode), "A7");
    EXPECT_EQ(Segments("123 abc", 1, epSingleMode), "B7");
}

TEST(Segmentation, QuickPolicyGivesAValidList) {
    EXPECT_EQ(Segments("abc123456789012345def", 1, epMixingQuick), "B3 N15 B3");
    EXPECT_EQ(Segments("ABC12DEF", 1, epMixingQuick), "A8");
    // Whatever it chooses, every list covers the text (checked inside Segments).
    Segments("a1A\x93\xFA 9z", 5, epMixingQuick, true);
}

TEST(Segmentation, StatisticCountsHeadersFieldsAndEntries) {
    barcode::SegmentList segments;
    TEncodeStatistic statistic;
    // 4 + 10 + 13 x 10 + 7 bits; entries: indicator, count and 14 digit groups.
    Analyse(std::string(41, '7'), 1, epMixingOptimal, false, segments, statistic);
    EXPECT_EQ(statistic.BitCount, 151);
    EXPECT_EQ(statistic.EntryCount, 16);
}

TEST(Segmentation, HeaderParameters) {
    unsigned short count = 0, indicator = 0;
    unsigned char countBits = 0, indicatorBits = 0;
    GetEncodeHeaderParameters(10, emByte, 300, count, indicator, countBits, indicatorBits);
    EXPECT_EQ(count, 300);
    EXPECT_EQ(indicator, 0x4);
    EXPECT_EQ(countBits, 16);
    EXPECT_EQ(indicatorBits, 4);
    GetEncodeHeaderParameters(40, emKanji, 10, count, indicator, countBits, indicatorBits);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(countBits, 12);
    GetEncodeHeaderParameters(5, emECI, 0, count, indicator, countBits, indicatorBits);
    EXPECT_EQ(indicator, 0x7);
    EXPECT_EQ(countBits, 0);
}

}  // namespace
