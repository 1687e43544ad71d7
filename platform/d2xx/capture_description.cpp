#include "platform/d2xx/capture_description.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace d2xx {
namespace {

// A fault in one line; the caller adds the line number.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads the items of one line after its keyword.
class LineReader {
public:
    explicit LineReader(std::string_view line) : line_(line) {}

    // The next whitespace-delimited word, empty at the end of the line or at a comment.
    std::string_view Word() {
        SkipBlanks();
        const std::size_t start = pos_;
        while (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != '"' && line_[pos_] != '#') {
            ++pos_;
        }
        return line_.substr(start, pos_ - start);
    }

    // All byte items up to the end of the line.
    Bytes Data() {
        Bytes bytes;
        for (;;) {
            SkipBlanks();
            if (pos_ >= line_.size() || line_[pos_] == '#') return bytes;
            if (line_[pos_] == '"') {
                Quoted(bytes);
            } else {
                HexRun(Word(), bytes);
            }
        }
    }

private:
    void SkipBlanks() {
        while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    }

    static void HexRun(std::string_view word, Bytes &bytes) {
        std::string_view digits = word;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            digits.remove_prefix(2);
        }
        if (digits.empty() || digits.size() % 2 != 0) {
            throw DescriptionError("'" + std::string(word) + "' is not a run of two-digit hexadecimal bytes");
        }
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            const int high = HexDigit(digits[i]);
            const int low = HexDigit(digits[i + 1]);
            if (high < 0 || low < 0) {
                throw DescriptionError("'" + std::string(word) + "' is not hexadecimal");
            }
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
    }

    void Quoted(Bytes &bytes) {
        ++pos_;  // opening quote
        while (pos_ < line_.size() && line_[pos_] != '"') {
            char c = line_[pos_++];
            if (c == '\\')
                bytes.push_back(Escape());
            else
                bytes.push_back(static_cast<std::uint8_t>(c));
        }
        if (pos_ >= line_.size()) throw DescriptionError("unterminated quoted text");
        ++pos_;  // closing quote
    }

    std::uint8_t Escape() {
        if (pos_ >= line_.size()) throw DescriptionError("unterminated quoted text");
        const char c = line_[pos_++];
        if (c == '"' || c == '\\') return static_cast<std::uint8_t>(c);
        if (c == 'x' && pos_ + 1 < line_.size()) {
            const int high = HexDigit(line_[pos_]);
            const int low = HexDigit(line_[pos_ + 1]);
            if (high >= 0 && low >= 0) {
                pos_ += 2;
                return static_cast<std::uint8_t>(high * 16 + low);
            }
        }
        throw DescriptionError("unknown escape in quoted text (use \\\" \\\\ or \\xHH)");
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

Bytes KlineItem(LineReader &reader) {
    Bytes data = reader.Data();
    if (data.empty()) throw DescriptionError("kline needs a source byte");
    const std::uint8_t source = data.front();
    data.erase(data.begin());
    if (data.size() > kKlineMaxData) {
        throw DescriptionError("kline carries at most 255 data bytes, not " + std::to_string(data.size()));
    }
    return EncodeKlineFrame(source, data);
}

Bytes RecordItem(LineReader &reader) {
    const Bytes payload = reader.Data();
    if (payload.size() > kRecordMaxPayload) {
        throw DescriptionError("record carries at most 254 bytes, not " + std::to_string(payload.size()));
    }
    if (std::any_of(payload.begin(), payload.end(), [](std::uint8_t b) { return b == kStx || b == kEtx; })) {
        throw DescriptionError("record data may not contain 02 or 03 (write such bytes with raw)");
    }
    return EncodeMeterRecord(payload);
}

Bytes Item(std::string_view line) {
    LineReader reader(line);
    const std::string_view keyword = reader.Word();
    if (keyword.empty()) {
        if (!reader.Data().empty()) throw DescriptionError("data without a keyword (kline, record or raw)");
        return {};
    }
    if (keyword == "kline") return KlineItem(reader);
    if (keyword == "record") return RecordItem(reader);
    if (keyword == "raw") return reader.Data();
    throw DescriptionError("unknown keyword '" + std::string(keyword) + "' (kline, record or raw)");
}

}  // namespace

bool ParseCaptureDescription(std::string_view text, Bytes &out, std::string &error) {
    Bytes bytes;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        try {
            const Bytes item = Item(line);
            bytes.insert(bytes.end(), item.begin(), item.end());
        } catch (const DescriptionError &fault) {
            error = "line " + std::to_string(number) + ": " + fault.what();
            return false;
        }
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
}

}  // namespace d2xx
