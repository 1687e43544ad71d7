#include "barcode/escapes.h"

#include "barcode/segmentation.h"

namespace barcode {

namespace {

constexpr char kGroupSeparator = 0x1D;
constexpr unsigned kMaxEciDesignator = 999999;
constexpr unsigned kLetterIndicatorOffset = 100;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

class EscapeParser {
public:
    EscapeParser(std::string_view text, EscapedText &out) : text_(text), out_(out) {}

    int Parse() {
        out_.data.clear();
        out_.items.clear();
        while (pos_ < Size()) {
            if (text_[pos_] != '\\') {
                AddData(text_[pos_++]);
                continue;
            }
            if (const int failure = Escape(); failure != 0) return failure;
        }
        ClosePiece(true);
        return 0;
    }

private:
    int Size() const { return static_cast<int>(text_.size()); }
    char At(int i) const { return i < Size() ? text_[i] : '\0'; }
    // 1-based position of index i (the length + 1 past the end).
    static int Position(int i) { return i + 1; }

    void AddData(char c) {
        out_.data.push_back(c);
        inData_ = true;
    }

    void ClosePiece(bool last) {
        const int length = static_cast<int>(out_.data.size()) - pieceStart_;
        if (length > 0 || (last && !havePiece_)) {
            out_.items.push_back(Segment{emNull, pieceStart_, length});
            havePiece_ = true;
        }
        pieceStart_ = static_cast<int>(out_.data.size());
    }

    // One escape sequence at pos_ (a backslash); 0 or the failure position.
    int Escape() {
        const int letter = pos_ + 1;
        if (letter >= Size()) return Position(pos_);
        const char e = text_[letter];
        if (e < '\\' || e > 't') return Position(letter);
        const bool prefix = !inData_;
        switch (e) {
            case '\\':
                AddData('\\');
                pos_ += 2;
                return 0;
            case 's':
                return pos_ == 0 ? StructuredAppend() : Position(letter);
            case 'e':
                return Eci();
            case 'f':
                return prefix ? FncAfterF() : GroupSeparator();
            case 't':
                return prefix ? FncFirst(letter + 1) : GroupSeparator();
            case 'd':
                return prefix ? FncWithIndicator() : GroupSeparator();
            case 'g':
                return GroupSeparator();
            default:
                if (IsLetter(e)) return Position(letter);
                AddData('\\');
                AddData(e);
                pos_ += 2;
                return 0;
        }
    }

    int GroupSeparator() {
        AddData(kGroupSeparator);
        pos_ += 2;
        return 0;
    }

    // Blanks, a decimal number within [low, high], blanks; i moves past them.
    int Number(int &i, unsigned low, unsigned high, unsigned &value) {
        SkipBlanks(i);
        if (!IsDigit(At(i))) return Position(i);
        value = 0;
        const int first = i;
        for (; IsDigit(At(i)); ++i) {
            value = value * 10 + static_cast<unsigned>(At(i) - '0');
            if (value > high) return Position(i);
        }
        if (value < low) return Position(first);
        SkipBlanks(i);
        return 0;
    }

    void SkipBlanks(int &i) const {
        while (At(i) == ' ' || At(i) == '\t') ++i;
    }

    int Expect(int i, char c) const { return At(i) == c ? 0 : Position(i); }

    // \s[position,total,parity]
    int StructuredAppend() {
        int i = pos_ + 2;
        unsigned position = 0, total = 0, parity = 0;
        int failure = Expect(i++, '[');
        if (failure == 0) failure = Number(i, 1, 16, position);
        if (failure == 0) failure = Expect(i++, ',');
        const int totalStart = i;
        if (failure == 0) failure = Number(i, 2, 16, total);
        if (failure == 0 && position > total) failure = Position(totalStart);
        if (failure == 0) failure = Expect(i++, ',');
        if (failure == 0) failure = Number(i, 0, 255, parity);
        if (failure == 0) failure = Expect(i++, ']');
        if (failure != 0) return failure;
        out_.items.push_back(Segment{emStructAppend, 0, 0, (position - 1) << 4 | (total - 1), parity});
        pos_ = i;
        return 0;
    }

    // \e[designator]: a new data piece starts after it.
    int Eci() {
        int i = pos_ + 2;
        unsigned designator = 0;
        int failure = Expect(i++, '[');
        if (failure == 0) failure = Number(i, 0, kMaxEciDesignator, designator);
        if (failure == 0) failure = Expect(i++, ']');
        if (failure != 0) return failure;
        ClosePiece(false);
        out_.items.push_back(Segment{emECI, 0, 0, designator});
        pos_ = i;
        return 0;
    }

    // \f before the data: FNC1 in first position before a digit, in second position with [x].
    int FncAfterF() {
        const int next = pos_ + 2;
        if (At(next) != '[') return FncFirst(next);
        int i = next + 1;
        SkipBlanks(i);
        unsigned indicator = 0;
        if (IsLetter(At(i))) {
            indicator = static_cast<unsigned char>(At(i++)) + kLetterIndicatorOffset;
            SkipBlanks(i);
        } else if (const int failure = Number(i, 0, 255, indicator); failure != 0) {
            return failure;
        }
        if (const int failure = Expect(i++, ']'); failure != 0) return failure;
        return AddFncSecond(indicator, i);
    }

    // FNC1 in first position: the data must begin with a digit at `next`.
    int FncFirst(int next) {
        if (!IsDigit(At(next))) return Position(next);
        out_.items.push_back(Segment{emFNC1A});
        pos_ = next;
        inData_ = true;
        return 0;
    }

    // \d with one letter or two digits: FNC1 in second position.
    int FncWithIndicator() {
        const int next = pos_ + 2;
        if (IsLetter(At(next))) {
            return AddFncSecond(static_cast<unsigned char>(At(next)) + kLetterIndicatorOffset, next + 1);
        }
        if (!IsDigit(At(next))) return Position(next);
        if (!IsDigit(At(next + 1))) return Position(next + 1);
        return AddFncSecond(static_cast<unsigned>((At(next) - '0') * 10 + (At(next + 1) - '0')), next + 2);
    }

    int AddFncSecond(unsigned indicator, int after) {
        out_.items.push_back(Segment{emFNC1B, 0, 0, indicator});
        pos_ = after;
        inData_ = true;
        return 0;
    }

    std::string_view text_;
    EscapedText &out_;
    int pos_ = 0;
    int pieceStart_ = 0;
    bool inData_ = false;
    bool havePiece_ = false;
};

bool HasFnc1(const SegmentList &items) {
    for (const Segment &item : items) {
        if (item.Mode == emFNC1A || item.Mode == emFNC1B) return true;
    }
    return false;
}

// Under FNC1 a reader turns "%" of an alphanumeric segment into a group separator ("%%" into "%"),
// so every "%" goes into a byte segment of its own; neighbouring segments of one mode are joined.
void KeepPercentOutOfAlphanumeric(const std::string &data, SegmentList &segments) {
    SegmentList result;
    auto add = [&result](TQRCode_EncodeMode mode, int start, int length) {
        if (length == 0) return;
        if (mode == emByte && !result.empty() && result.back().Mode == emByte) {
            result.back().Length += length;
        } else {
            result.push_back(Segment{mode, start, length});
        }
    };
    for (const Segment &segment : segments) {
        if (segment.Mode != emAlphanumeric) {
            if (segment.Mode == emByte) {
                add(emByte, segment.Start, segment.Length);
            } else {
                result.push_back(segment);
            }
            continue;
        }
        int runStart = segment.Start;
        for (int i = segment.Start; i < segment.Start + segment.Length; ++i) {
            if (data[i] != '%') continue;
            add(emAlphanumeric, runStart, i - runStart);
            add(emByte, i, 1);
            runStart = i + 1;
        }
        add(emAlphanumeric, runStart, segment.Start + segment.Length - runStart);
    }
    segments = std::move(result);
}

}  // namespace

int ParseEscapes(std::string_view text, EscapedText &out) {
    return EscapeParser(text, out).Parse();
}

void AnalyseEscaped(const EscapedText &escaped, int version, TQRCode_EncodePolicy policy, bool allowKanji,
                    SegmentList &segments, TEncodeStatistic &statistic) {
    segments.clear();
    for (const Segment &item : escaped.items) {
        if (item.Mode != emNull) {
            segments.push_back(item);
            continue;
        }
        SegmentList piece;
        TEncodeStatistic unused;
        Analyse(std::string_view(escaped.data).substr(item.Start, item.Length), version, policy, allowKanji,
                piece, unused);
        for (Segment &segment : piece) {
            segment.Start += item.Start;
            segments.push_back(segment);
        }
    }
    if (HasFnc1(escaped.items)) KeepPercentOutOfAlphanumeric(escaped.data, segments);
    statistic = ListStatistic(segments, version);
}

}  // namespace barcode

int VerifyEscape(std::string_view Data) {
    barcode::EscapedText unused;
    return barcode::ParseEscapes(Data, unused);
}

void FilterEscape(std::string_view Data, int &CharCount, int &ExtraBits) {
    barcode::EscapedText escaped;
    if (barcode::ParseEscapes(Data, escaped) != 0) {
        CharCount = static_cast<int>(Data.size());
        ExtraBits = 0;
        return;
    }
    CharCount = static_cast<int>(escaped.data.size());
    ExtraBits = 0;
    for (const barcode::Segment &item : escaped.items) {
        if (item.Mode != emNull) ExtraBits += barcode::SegmentStatistic(item, 1).BitCount;
    }
}

unsigned char GetParity(std::string_view Text, bool Escaped, int &BadIndex) {
    BadIndex = 0;
    std::string_view bytes = Text;
    barcode::EscapedText escaped;
    if (Escaped) {
        BadIndex = barcode::ParseEscapes(Text, escaped);
        if (BadIndex != 0) return 0;
        bytes = escaped.data;
    }
    unsigned char parity = 0;
    for (char c : bytes) parity ^= static_cast<unsigned char>(c);
    return parity;
}
