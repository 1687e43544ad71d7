// The table search of the optimal policy against the plain recursive search it replaces: for every
// text, the same segments.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <string>

#include "barcode/qr_tables.h"
#include "barcode/segment_runs.h"
#include "barcode/segmentation.h"

namespace {

using barcode::RunRules;
using barcode::Segment;
using barcode::SegmentList;

struct Searched {
    int bits = INT_MAX;
    SegmentList segments;
};

// Tries every mode at `begin`, each followed by the best search of the rest: exponential.
Searched Recursive(const RunRules &rules, int begin, int end, TQRCode_EncodeMode previous, bool odd,
                   int version, bool kanji) {
    Searched best;
    for (TQRCode_EncodeMode mode : {emNumeric, emAlphanumeric, emByte, emKanji}) {
        if (mode == emKanji && !kanji) continue;
        const int run = mode == emNumeric        ? rules.Numeric(begin, previous)
                        : mode == emAlphanumeric ? rules.Alphanumeric(begin)
                        : mode == emByte         ? rules.Byte(begin)
                                                 : rules.Kanji(begin, previous);
        if (run <= 0) continue;
        int bits = mode == previous ? 0 : 4 + barcode::CountBits(mode, version);
        bool nextOdd = mode == emAlphanumeric && run % 2 != 0;
        if (mode == emAlphanumeric && previous == emAlphanumeric && odd) {
            bits += 5 + barcode::DataBits(mode, run - 1);
            nextOdd = (run - 1) % 2 != 0;
        } else {
            bits += barcode::DataBits(mode, run);
        }
        SegmentList segments{Segment{mode, begin, run}};
        if (begin + run < end) {
            const Searched rest = Recursive(rules, begin + run, end, mode, nextOdd, version, kanji);
            bits += rest.bits;
            segments.insert(segments.end(), rest.segments.begin(), rest.segments.end());
        }
        if (bits < best.bits) best = Searched{bits, segments};
    }
    return best;
}

// Chunks end after each run of byte-only characters; the later ones start after a byte segment.
SegmentList RecursiveOptimal(const std::string &text, int version, bool kanji) {
    barcode::TextRuns runs(text, kanji);
    const RunRules rules(runs, version);
    const int n = static_cast<int>(text.size());
    SegmentList all;
    auto search = [&](int begin, int end) {
        runs.SetWindowEnd(end);
        const Searched s = Recursive(rules, begin, end, begin == 0 ? emNull : emByte, false, version, kanji);
        runs.SetWindowEnd(n);
        all.insert(all.end(), s.segments.begin(), s.segments.end());
    };
    int chunkStart = 0;
    for (int i = 0; i < n;) {
        const barcode::CharClass cls = barcode::ClassOf(text[i]);
        if (cls == barcode::ccByte || (cls == barcode::ccKanjiLead && !kanji)) {
            const int chunkEnd = i + runs.ByteOnly(i);
            search(chunkStart, chunkEnd);
            chunkStart = i = chunkEnd;
        } else {
            i += kanji && runs.KanjiPairs(i) > 0 ? 2 : 1;
        }
    }
    if (chunkStart < n) search(chunkStart, n);
    barcode::MergeSameModes(all);
    return all;
}

TEST(OptimalSearch, SameSegmentsAsTheRecursiveSearch) {
    const std::string alphabet =
        "0123456789"
        "0123456789"
        "ABCXYZ $%:"
        "abz\n\x9C\xB9"
        "\x93\xFA\x96\x7B";
    std::mt19937 random(20261210);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 16);
        while (static_cast<int>(text.size()) < length) {
            // Runs of one character kind, so that the thresholds are reached now and then.
            const char c = alphabet[random() % alphabet.size()];
            text.append(1 + random() % 6, c);
        }
        const int version = std::array{1, 10, 27}[round % 3];
        const bool kanji = round % 2 == 0;
        SegmentList segments;
        TEncodeStatistic statistic;
        Analyse(text, version, epMixingOptimal, kanji, segments, statistic);
        ASSERT_EQ(segments, RecursiveOptimal(text, version, kanji))
            << text << " v" << version << " kanji " << kanji;
    }
}

}  // namespace
