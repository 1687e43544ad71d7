#pragma once
// The runs the segmentation works with: how far each class of characters reaches from a position,
// and how long a run each mode would take there.
#include <algorithm>
#include <string_view>
#include <vector>

#include "barcode/qr_types.h"
#include "barcode/segmentation.h"

namespace barcode {

// Thresholds by version group (1-9, 10-26, 27-40).
using Threshold = int[3];

// Run lengths that start at every position of a text: digits, alphanumeric-only characters (class
// 2), byte-only characters and Shift JIS pairs. Each is found once, from the end, so that every
// run question is answered in constant time; a window end limits the answers to one chunk.
class TextRuns {
public:
    TextRuns(std::string_view text, bool allowKanji);

    void SetWindowEnd(int end) { end_ = end; }
    bool KanjiAllowed() const { return kanji_; }

    CharClass ClassAt(int i) const { return i >= end_ ? ccEnd : ClassOf(text_[i]); }
    // A character that only the byte mode holds (a Kanji lead counts as one when Kanji is off).
    bool IsByteChar(CharClass cls) const { return cls == ccByte || (cls == ccKanjiLead && !kanji_); }
    bool IsKanjiLead(CharClass cls) const { return cls == ccKanjiLead && kanji_; }

    int Digits(int i) const { return i >= end_ ? 0 : std::min(runs_[i].digits, end_ - i); }
    int Alphanumeric(int i) const { return i >= end_ ? 0 : std::min(runs_[i].alphanumeric, end_ - i); }
    int ByteOnly(int i) const { return i >= end_ ? 0 : std::min(runs_[i].byteOnly, end_ - i); }
    // Shift JIS characters (two bytes each).
    int KanjiPairs(int i) const { return i >= end_ ? 0 : std::min(runs_[i].kanjiPairs, (end_ - i) / 2); }

private:
    // The four runs of a position side by side: the search asks for several at once.
    struct Lengths {
        int digits = 0, alphanumeric = 0, byteOnly = 0, kanjiPairs = 0;
    };

    std::string_view text_;
    bool kanji_;
    int end_;
    std::vector<Lengths> runs_;
};

// Lengths (bytes) of the runs each mode would take at a position, given the previous mode; 0 when
// the mode does not start there.
class RunRules {
public:
    RunRules(const TextRuns &runs, int version);

    int Numeric(int i, TQRCode_EncodeMode previous) const;
    int Alphanumeric(int i) const;
    int Byte(int i) const;
    int Kanji(int i, TQRCode_EncodeMode previous) const;

private:
    int ByteExtension(int p) const;
    int Stretch(int p, int length, const Threshold &beforeByte, const Threshold &atEnd) const;

    const TextRuns &runs_;
    int g_;
};

}  // namespace barcode
