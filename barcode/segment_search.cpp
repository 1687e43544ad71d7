#include "barcode/segment_search.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "barcode/qr_tables.h"
#include "barcode/segment_runs.h"
#include "barcode/segmentation.h"

namespace barcode {

namespace {

constexpr TQRCode_EncodeMode kCandidates[] = {emNumeric, emAlphanumeric, emByte, emKanji};

// The search of one chunk as a table over (position, previous mode, odd alphanumeric run), filled
// from the chunk's end: each state's best choice depends only on the states after it, so the table
// gives the same segments as trying every run sequence, in linear time.
class ChunkSearch {
public:
    ChunkSearch(const RunRules &rules, int version) : rules_(rules) {
        for (TQRCode_EncodeMode mode : kCandidates) headerBits_[mode] = 4 + CountBits(mode, version);
    }

    void Run(int begin, int end, TQRCode_EncodeMode firstPrevious, SegmentList &out) {
        begin_ = begin;
        end_ = end;
        // The tables are kept from call to call (growing to the longest chunk met), so that an
        // encode does not take a large block from the heap and hand it back each time.
        static thread_local std::vector<int> cost;
        static thread_local std::vector<std::uint32_t> choice;
        const std::size_t size = static_cast<std::size_t>(end - begin + 1) * kStates;
        if (cost.size() < size) {
            cost.resize(size);
            choice.resize(size);
        }
        cost_ = cost.data();
        choice_ = choice.data();
        for (int i = end - 1; i >= begin; --i) {
            const PositionRuns runs = RunsAt(i);
            for (int previous = emNull; previous <= emKanji; ++previous) {
                for (int odd = 0; odd <= (previous == emAlphanumeric ? 1 : 0); ++odd) {
                    Decide(i, runs, static_cast<TQRCode_EncodeMode>(previous), odd != 0);
                }
            }
        }
        TQRCode_EncodeMode previous = firstPrevious;
        bool odd = false;
        for (int i = begin; i < end;) {
            const std::uint32_t c = choice_[Index(i, previous, odd)];
            const TQRCode_EncodeMode mode = ChoiceMode(c);
            const int run = ChoiceRun(c);
            out.push_back(Segment{mode, i, run});
            i += run;
            previous = mode;
            odd = ChoiceOdd(c);
        }
    }

private:
    // Numeric and the modes before it, alphanumeric with an even and with an odd run, byte, Kanji.
    static constexpr int kStates = emKanji + 2;

    // A choice packed in one word: mode in bits 0-2, odd run in bit 3, run length above.
    static std::uint32_t PackChoice(TQRCode_EncodeMode mode, int run, bool odd) {
        return mode | (odd ? 8u : 0u) | static_cast<std::uint32_t>(run) << 4;
    }
    static TQRCode_EncodeMode ChoiceMode(std::uint32_t c) { return static_cast<TQRCode_EncodeMode>(c & 7u); }
    static bool ChoiceOdd(std::uint32_t c) { return (c & 8u) != 0; }
    static int ChoiceRun(std::uint32_t c) { return static_cast<int>(c >> 4); }

    std::size_t Index(int i, TQRCode_EncodeMode previous, bool odd) const {
        const int state =
            previous < emAlphanumeric ? previous : previous + (previous > emAlphanumeric || odd);
        return static_cast<std::size_t>(i - begin_) * kStates + state;
    }

    // The runs at one position: the numeric and Kanji runs depend on the previous mode only
    // through whether it was byte (or alphanumeric, for digits).
    struct PositionRuns {
        int numeric[3];  // after another mode, after byte, after alphanumeric
        int alphanumeric;
        int byte;
        int kanji[2];  // after another mode, after byte
    };

    PositionRuns RunsAt(int i) const {
        return {{rules_.Numeric(i, emNull), rules_.Numeric(i, emByte), rules_.Numeric(i, emAlphanumeric)},
                rules_.Alphanumeric(i),
                rules_.Byte(i),
                {rules_.Kanji(i, emNull), rules_.Kanji(i, emByte)}};
    }

    static int RunOf(const PositionRuns &runs, TQRCode_EncodeMode mode, TQRCode_EncodeMode previous) {
        switch (mode) {
            case emNumeric:
                return runs.numeric[previous == emByte ? 1 : previous == emAlphanumeric ? 2 : 0];
            case emAlphanumeric:
                return runs.alphanumeric;
            case emByte:
                return runs.byte;
            default:
                return runs.kanji[previous == emByte ? 1 : 0];
        }
    }

    void Decide(int i, const PositionRuns &runs, TQRCode_EncodeMode previous, bool odd) {
        int best = INT_MAX;
        std::uint32_t bestChoice = PackChoice(emByte, 0, false);
        for (TQRCode_EncodeMode mode : kCandidates) {
            const int run = RunOf(runs, mode, previous);
            if (run <= 0) continue;
            int bits = mode == previous ? 0 : headerBits_[mode];
            bool nextOdd = false;
            if (mode == emAlphanumeric && previous == emAlphanumeric && odd) {
                // The first character completes the previous run's last pair.
                bits += 5 + DataBits(mode, run - 1);
                nextOdd = (run - 1) % 2 != 0;
            } else {
                bits += DataBits(mode, run);
                nextOdd = mode == emAlphanumeric && run % 2 != 0;
            }
            if (i + run < end_) bits += cost_[Index(i + run, mode, nextOdd)];
            if (bits < best) {
                best = bits;
                bestChoice = PackChoice(mode, run, nextOdd);
            }
        }
        cost_[Index(i, previous, odd)] = best;
        choice_[Index(i, previous, odd)] = bestChoice;
    }

    const RunRules &rules_;
    int headerBits_[emKanji + 1] = {};
    int begin_ = 0, end_ = 0;
    int *cost_ = nullptr;
    std::uint32_t *choice_ = nullptr;
};

TQRCode_EncodeMode RunMode(const TextRuns &runs, int i, int &length) {
    if (const int pairs = runs.KanjiAllowed() ? runs.KanjiPairs(i) : 0; pairs > 0) {
        length = 2 * pairs;
        return emKanji;
    }
    if ((length = runs.Digits(i)) > 0) return emNumeric;
    if ((length = runs.Alphanumeric(i)) > 0) return emAlphanumeric;
    length = runs.ByteOnly(i);
    return emByte;
}

// Whether every character of `inner` can also be written in `outer`.
bool Holds(TQRCode_EncodeMode outer, TQRCode_EncodeMode inner) {
    if (outer == emByte) return true;
    return outer == emAlphanumeric && inner == emNumeric;
}

// Length from which a run of `inner` inside `outer` data gets its own segment.
int QuickThreshold(TQRCode_EncodeMode outer, TQRCode_EncodeMode inner, CharClass next, bool nextByte, int g) {
    static constexpr Threshold kDigitsInLetters = {13, 15, 17}, kDigitsInLettersBeforeOther = {7, 8, 9};
    static constexpr Threshold kDigitsInBytes = {6, 8, 9}, kDigitsInBytesAtEnd = {4, 4, 5};
    static constexpr Threshold kLettersInBytes = {11, 15, 16}, kLettersInBytesAtEnd = {6, 7, 8};
    static constexpr Threshold kKanjiInBytes = {9, 12, 13}, kKanjiInBytesAtEnd = {5, 5, 6};
    if (outer == emAlphanumeric) {
        return next == ccAlphanumeric ? kDigitsInLetters[g] : kDigitsInLettersBeforeOther[g];
    }
    switch (inner) {
        case emNumeric:
            return nextByte ? kDigitsInBytes[g] : kDigitsInBytesAtEnd[g];
        case emAlphanumeric:
            return nextByte ? kLettersInBytes[g] : kLettersInBytesAtEnd[g];
        default:
            return nextByte ? kKanjiInBytes[g] : kKanjiInBytesAtEnd[g];
    }
}

}  // namespace

SegmentList MixingOptimal(std::string_view text, int version, bool allowKanji) {
    if (text.empty()) return {Segment{emNumeric, 0, 0}};
    TextRuns runs(text, allowKanji);
    // Digits alone: numeric mode is the densest for every one of them and any split adds a
    // header, so one segment is the best.
    if (runs.Digits(0) == static_cast<int>(text.size()))
        return {Segment{emNumeric, 0, static_cast<int>(text.size())}};
    const RunRules rules(runs, version);
    ChunkSearch search(rules, version);
    SegmentList segments;
    // Chunks end after every run of byte-only characters; each is searched on its own, the later
    // ones after a byte segment.
    const int n = static_cast<int>(text.size());
    int chunkStart = 0;
    for (int i = 0; i < n;) {
        const CharClass cls = ClassOf(text[i]);
        if (cls == ccByte || (cls == ccKanjiLead && !allowKanji)) {
            const int chunkEnd = i + std::max(1, runs.ByteOnly(i));
            runs.SetWindowEnd(chunkEnd);
            search.Run(chunkStart, chunkEnd, chunkStart == 0 ? emNull : emByte, segments);
            runs.SetWindowEnd(n);
            chunkStart = i = chunkEnd;
        } else {
            // A Shift JIS character is stepped over whole: its trail byte is no byte-only character.
            i += allowKanji && runs.KanjiPairs(i) > 0 ? 2 : 1;
        }
    }
    if (chunkStart < n) search.Run(chunkStart, n, chunkStart == 0 ? emNull : emByte, segments);
    MergeSameModes(segments);
    return segments;
}

SegmentList MixingQuick(std::string_view text, int version, bool allowKanji) {
    if (text.empty()) return {Segment{emNumeric, 0, 0}};
    const TextRuns runs(text, allowKanji);
    const int g = VersionGroup(version);
    const int n = static_cast<int>(text.size());
    SegmentList segments;
    for (int i = 0; i < n;) {
        int length = 0;
        const TQRCode_EncodeMode mode = RunMode(runs, i, length);
        const CharClass next = runs.ClassAt(i + length);
        const bool nextByte = next == ccByte || next == ccKanjiLead;
        const bool absorb = !segments.empty() && segments.back().Mode != mode &&
                            Holds(segments.back().Mode, mode) &&
                            length < QuickThreshold(segments.back().Mode, mode, next, nextByte, g);
        if (!segments.empty() && (absorb || segments.back().Mode == mode)) {
            segments.back().Length += length;
        } else {
            segments.push_back(Segment{mode, i, length});
        }
        i += length;
    }
    return segments;
}

}  // namespace barcode
