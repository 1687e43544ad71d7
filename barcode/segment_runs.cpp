#include "barcode/segment_runs.h"

#include "barcode/qr_tables.h"

namespace barcode {

TextRuns::TextRuns(std::string_view text, bool allowKanji)
    : text_(text), kanji_(allowKanji), end_(static_cast<int>(text.size())) {
    const int n = end_;
    runs_.resize(n + 2);
    for (int i = n - 1; i >= 0; --i) {
        const CharClass cls = ClassOf(text[i]);
        const bool pair = kanji_ && i + 1 < n && IsShiftJisPair(text[i], text[i + 1]);
        const Lengths &next = runs_[i + 1];
        Lengths &here = runs_[i];
        here.digits = cls == ccDigit ? next.digits + 1 : 0;
        here.alphanumeric = cls == ccAlphanumeric ? next.alphanumeric + 1 : 0;
        here.byteOnly = cls == ccByte || (cls == ccKanjiLead && !pair) ? next.byteOnly + 1 : 0;
        here.kanjiPairs = pair ? runs_[i + 2].kanjiPairs + 1 : 0;
    }
}

RunRules::RunRules(const TextRuns &runs, int version) : runs_(runs), g_(VersionGroup(version)) {}

int RunRules::Numeric(int i, TQRCode_EncodeMode previous) const {
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

int RunRules::Alphanumeric(int i) const {
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

int RunRules::Byte(int i) const {
    const int kanji = runs_.KanjiAllowed() ? runs_.KanjiPairs(i) : 0;
    int run = kanji > 0 ? 2 * kanji : Alphanumeric(i);
    run += runs_.ByteOnly(i + run);
    return run + ByteExtension(i + run);
}

int RunRules::Kanji(int i, TQRCode_EncodeMode previous) const {
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

// What a byte run at p takes beyond its own bytes: a short stretch of Kanji, digits or
// alphanumeric characters that a mode switch would cost more than it saves.
int RunRules::ByteExtension(int p) const {
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

int RunRules::Stretch(int p, int length, const Threshold &beforeByte, const Threshold &atEnd) const {
    const int q = p + length;
    const CharClass next = runs_.ClassAt(q);
    if (runs_.IsByteChar(next)) return length < beforeByte[g_] ? length + runs_.ByteOnly(q) : 0;
    if (next == ccEnd || runs_.IsKanjiLead(next)) return length < atEnd[g_] ? length : 0;
    return 0;
}

}  // namespace barcode
