#include "barcode/segment_search.h"

#include <algorithm>
#include <climits>

#include "barcode/qr_tables.h"
#include "barcode/segmentation.h"

namespace barcode {

namespace {

// Thresholds by version group (1-9, 10-26, 27-40).
using Threshold = int[3];

// Run lengths that start at every position of a text: digits, alphanumeric-only characters (class
// 2), byte-only characters and Shift JIS pairs. Each is found once, from the end, so that every
// run question is answered in constant time; a window end limits the answers to one chunk.
class TextRuns {
public:
    TextRuns(std::string_view text, bool allowKanji)
        : text_(text), kanji_(allowKanji), end_(static_cast<int>(text.size())) {
        const int n = end_;
        digits_.assign(n + 2, 0);
        alphanumeric_.assign(n + 2, 0);
        byteOnly_.assign(n + 2, 0);
        kanjiPairs_.assign(n + 2, 0);
        for (int i = n - 1; i >= 0; --i) {
            const CharClass cls = ClassOf(text[i]);
            const bool pair = kanji_ && i + 1 < n && IsShiftJisPair(text[i], text[i + 1]);
            digits_[i] = cls == ccDigit ? digits_[i + 1] + 1 : 0;
            alphanumeric_[i] = cls == ccAlphanumeric ? alphanumeric_[i + 1] + 1 : 0;
            byteOnly_[i] = cls == ccByte || (cls == ccKanjiLead && !pair) ? byteOnly_[i + 1] + 1 : 0;
            kanjiPairs_[i] = pair ? kanjiPairs_[i + 2] + 1 : 0;
        }
    }

    void SetWindowEnd(int end) { end_ = end; }
    bool KanjiAllowed() const { return kanji_; }

    CharClass ClassAt(int i) const { return i >= end_ ? ccEnd : ClassOf(text_[i]); }
    // A character that only the byte mode holds (a Kanji lead counts as one when Kanji is off).
    bool IsByteChar(CharClass cls) const { return cls == ccByte || (cls == ccKanjiLead && !kanji_); }
    bool IsKanjiLead(CharClass cls) const { return cls == ccKanjiLead && kanji_; }

    int Digits(int i) const { return Limit(digits_, i); }
    int Alphanumeric(int i) const { return Limit(alphanumeric_, i); }
    int ByteOnly(int i) const { return Limit(byteOnly_, i); }
    // Shift JIS characters (two bytes each).
    int KanjiPairs(int i) const { return i >= end_ ? 0 : std::min(kanjiPairs_[i], (end_ - i) / 2); }

private:
    int Limit(const std::vector<int> &runs, int i) const {
        return i >= end_ ? 0 : std::min(runs[i], end_ - i);
    }

    std::string_view text_;
    bool kanji_;
    int end_;
    std::vector<int> digits_, alphanumeric_, byteOnly_, kanjiPairs_;
};

// Lengths (bytes) of the runs each mode would take at a position, given the previous mode.
class RunRules {
public:
    RunRules(const TextRuns &runs, int version) : runs_(runs), g_(VersionGroup(version)) {}

    int Numeric(int i, TQRCode_EncodeMode previous) const {
        static constexpr Threshold kByteBoth = {6, 8, 9}, kAfterAlphanumeric = {7, 8, 9}, kNear = {4, 4, 5};
        const int digits = runs_.Digits(i);
        if (digits == 0) return 0;
        const CharClass next = runs_.ClassAt(i + digits);
        const bool nextByte = next == ccByte || next == ccKanjiLead;
        int threshold = 1;
        if (previous == emByte && nextByte) {
            threshold = kByteBoth[g_];
        } else if (previous == emAlphanumeric) {
            threshold = kAfterAlphanumeric[g_];
        } else if (next == ccAlphanumeric || previous == emByte || nextByte) {
            threshold = kNear[g_];
        }
        return digits >= threshold ? digits : 0;
    }

    int Alphanumeric(int i) const {
        static constexpr Threshold kFewLetters = {6, 7, 8}, kShortDigits = {7, 8, 9}, kDigits = {14, 15, 17};
        int run = runs_.Digits(i);
        run += runs_.Alphanumeric(i + run);
        const int d2 = runs_.Digits(i + run);
        if (d2 == 0) return run;
        const int a2 = runs_.Alphanumeric(i + run + d2);
        if (a2 < kFewLetters[g_]) {
            if (d2 < kShortDigits[g_]) run += d2;
        } else if (d2 < kDigits[g_]) {
            run += d2 + a2;
        }
        return run;
    }

    int Byte(int i) const {
        const int kanji = runs_.KanjiAllowed() ? runs_.KanjiPairs(i) : 0;
        int run = kanji > 0 ? 2 * kanji : Alphanumeric(i);
        run += runs_.ByteOnly(i + run);
        return run + ByteExtension(i + run);
    }

    int Kanji(int i, TQRCode_EncodeMode previous) const {
        static constexpr Threshold kByteBoth = {9, 12, 13}, kNear = {5, 5, 6};
        if (!runs_.KanjiAllowed()) return 0;
        const int pairs = runs_.KanjiPairs(i);
        if (pairs == 0) return 0;
        const CharClass next = runs_.ClassAt(i + 2 * pairs);
        const bool nextByte = next == ccByte || next == ccKanjiLead;
        int threshold = 1;
        if (previous == emByte && nextByte) {
            threshold = kByteBoth[g_];
        } else if (previous == emByte || nextByte) {
            threshold = kNear[g_];
        }
        return pairs >= threshold ? 2 * pairs : 0;
    }

private:
    // What a byte run at p takes beyond its own bytes: a short stretch of Kanji, digits or
    // alphanumeric characters that a mode switch would cost more than it saves.
    int ByteExtension(int p) const {
        static constexpr Threshold kKanjiBeforeByte = {9, 12, 13}, kKanji = {5, 5, 6};
        static constexpr Threshold kDigitsBeforeByte = {6, 8, 9}, kDigitsAtEnd = {4, 4, 5};
        static constexpr Threshold kLettersBeforeByte = {11, 15, 16}, kLettersAtEnd = {6, 7, 8};
        if (const int pairs = runs_.KanjiAllowed() ? runs_.KanjiPairs(p) : 0; pairs > 0) {
            const int q = p + 2 * pairs;
            const CharClass next = runs_.ClassAt(q);
            if (runs_.IsByteChar(next) || next == ccKanjiLead) {
                return pairs < kKanjiBeforeByte[g_] ? q - p + runs_.ByteOnly(q) : 0;
            }
            return pairs < kKanji[g_] ? q - p : 0;
        }
        if (const int digits = runs_.Digits(p); digits > 0) {
            return Stretch(p, digits, kDigitsBeforeByte, kDigitsAtEnd);
        }
        if (const int letters = runs_.Alphanumeric(p); letters > 0) {
            return Stretch(p, letters, kLettersBeforeByte, kLettersAtEnd);
        }
        return 0;
    }

    int Stretch(int p, int length, const Threshold &beforeByte, const Threshold &atEnd) const {
        const int q = p + length;
        const CharClass next = runs_.ClassAt(q);
        if (runs_.IsByteChar(next)) return length < beforeByte[g_] ? length + runs_.ByteOnly(q) : 0;
        if (next == ccEnd || runs_.IsKanjiLead(next)) return length < atEnd[g_] ? length : 0;
        return 0;
    }

    const TextRuns &runs_;
    int g_;
};

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
        cost_.assign(static_cast<std::size_t>(end - begin + 1) * kStates, 0);
        choice_.assign(cost_.size(), Choice{});
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
            const Choice &c = choice_[Index(i, previous, odd)];
            out.push_back(Segment{c.mode, i, c.run});
            i += c.run;
            previous = c.mode;
            odd = c.odd;
        }
    }

private:
    static constexpr int kStates = (emKanji + 1) * 2;

    struct Choice {
        TQRCode_EncodeMode mode = emByte;
        int run = 0;
        bool odd = false;
    };

    std::size_t Index(int i, TQRCode_EncodeMode previous, bool odd) const {
        return static_cast<std::size_t>(i - begin_) * kStates + previous * 2 + (odd ? 1 : 0);
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
        Choice bestChoice;
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
                bestChoice = Choice{mode, run, nextOdd};
            }
        }
        cost_[Index(i, previous, odd)] = best;
        choice_[Index(i, previous, odd)] = bestChoice;
    }

    const RunRules &rules_;
    int headerBits_[emKanji + 1] = {};
    int begin_ = 0, end_ = 0;
    std::vector<int> cost_;
    std::vector<Choice> choice_;
};

void MergeSameModes(SegmentList &segments) {
    SegmentList merged;
    for (const Segment &segment : segments) {
        if (!merged.empty() && merged.back().Mode == segment.Mode) {
            merged.back().Length += segment.Length;
        } else {
            merged.push_back(segment);
        }
    }
    segments = std::move(merged);
}

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
