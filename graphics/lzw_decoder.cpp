// The reader of GIF image data. It is hardened against hostile data: the first code after a
// clear must be a pixel, codes must be defined, the dictionary stops growing at 4096 entries,
// and short sub-blocks are joined until a whole code is held.
#include <cstring>

#include "graphics/errors.h"
#include "graphics/lzw.h"

namespace {

uint8_t ReadMinimumCodeSize(graphics::TStream &stream) {
    uint8_t size = 0;
    if (stream.Read(&size, 1) != 1) throw ELZWError("Unexpected end of input stream");
    return size;
}

[[noreturn]] void UndefinedSymbol() {
    throw EGIFError("Undefined symbol in LZW stream");
}

}  // namespace

TZUB_LZWDecompressor::TZUB_LZWDecompressor(graphics::TStream &stream)
    : TZUB_LZWCommon(stream, ReadMinimumCodeSize(stream)) {
    position_ = blockEnd_;  // nothing held yet: the first read fetches the first sub-block
}

TZUB_LZWDecompressor::~TZUB_LZWDecompressor() {
    if (endOfData_) return;
    try {
        uint8_t length = 0;
        while (stream_.Read(&length, 1) == 1 && length > 0) {
            stream_.Seek(length, graphics::TSeekOrigin::soCurrent);
        }
    } catch (...) {
        // A stream that fails while the rest is skipped has nothing more to give.
    }
}

void TZUB_LZWDecompressor::Refill() {
    const int kept = blockEnd_ > position_ ? blockEnd_ - position_ : 0;
    std::memmove(buffer_.data(), buffer_.data() + position_, static_cast<size_t>(kept));
    int held = kept;
    // Sub-blocks may be as short as one byte: join them until a code of 12 bits at any bit
    // offset is held (3 bytes) or the data ends.
    while (held < 3 && !endOfData_) {
        uint8_t length = 0;
        int64_t got = 0;
        if (stream_.Read(&length, 1) == 1 && length > 0) got = stream_.Read(buffer_.data() + held, length);
        if (got == 0) endOfData_ = true;
        held += static_cast<int>(got);
    }
    std::memset(buffer_.data() + held, 0, 3);
    blockEnd_ = held;
    position_ = 0;
}

uint16_t TZUB_LZWDecompressor::ReadBits(int width) {
    try {
        if (position_ >= blockEnd_ - 2 && !endOfData_) Refill();
        if (position_ >= blockEnd_ && endOfData_) throw ELZWError("Unexpected end of input stream");
    } catch (...) {
        endOfData_ = true;
        throw;
    }
    const uint8_t *p = buffer_.data() + position_;
    const uint32_t w = p[0] | p[1] << 8 | p[2] << 16;
    const auto code = static_cast<uint16_t>((w >> bitOffset_) & ((1u << width) - 1));
    bitOffset_ += width;
    position_ += bitOffset_ >> 3;
    bitOffset_ &= 7;
    return code;
}

uint16_t TZUB_LZWDecompressor::DecodeString(uint16_t count, uint16_t code) {
    while (code >= clearCode_) {
        // Every defined code links to an earlier one, so a string never outgrows the stack;
        // the check keeps it so whatever the tables hold.
        if (count >= stack_.size() - 1 || code >= kMaxCodes) UndefinedSymbol();
        stack_[count++] = suffix_[code];
        code = prefix_[code];
    }
    stack_[count] = code;
    return static_cast<uint16_t>(count + 1);
}

bool TZUB_LZWDecompressor::ReadRow(TDIBMappedWriter &writer) {
    if (finished_) return false;
    const int width = writer.GetWidth();
    if (row_.size() < static_cast<size_t>(width)) row_.resize(static_cast<size_t>(width));
    int filled = 0;
    // The pixels decoded so far reach the bitmap also when the data turns out to be bad.
    struct RowFlush {
        TDIBMappedWriter &writer;
        const TColourIndex *pixels;
        const int &count;
        ~RowFlush() { writer.SetNextIndexes(pixels, count); }
    } flush{writer, row_.data(), filled};

    TColourIndex *row = row_.data();
    while (!finished_ && filled < width) {
        if (!started_) {
            InitDictionary();
            const uint16_t c = ReadBits(codeWidth_);
            if (c == endCode_) {
                finished_ = true;
                break;
            }
            if (c == clearCode_) continue;
            if (c > clearCode_) UndefinedSymbol();  // a run must start with a pixel
            previousCode_ = firstPixel_ = c;
            row[filled++] = static_cast<TColourIndex>(c);
            started_ = true;
        }
        while (!finished_ && filled < width) {
            while (filled < width && stackCount_ > 0)
                row[filled++] = static_cast<TColourIndex>(stack_[--stackCount_]);
            if (filled == width) break;  // the rest of the string belongs to the next row
            const uint16_t c = ReadBits(codeWidth_);
            if (c == endCode_) {
                started_ = false;
                finished_ = true;
                break;
            }
            if (c == clearCode_) {
                started_ = false;
                break;
            }
            if (c > nextCode_) UndefinedSymbol();
            if (c == nextCode_) {
                stack_[0] = firstPixel_;  // the string being defined: previous string + its first pixel
                stackCount_ = DecodeString(1, previousCode_);
            } else {
                stackCount_ = DecodeString(0, c);
            }
            firstPixel_ = stack_[stackCount_ - 1];
            if (nextCode_ < kMaxCodes) {
                // A full dictionary is kept as it is until the next clear code.
                prefix_[nextCode_] = previousCode_;
                suffix_[nextCode_] = static_cast<uint8_t>(firstPixel_);
                ++nextCode_;
                if (nextCode_ >= codeLimit_ && codeWidth_ < 12) {
                    codeLimit_ = static_cast<uint16_t>(codeLimit_ * 2);
                    ++codeWidth_;
                }
            }
            previousCode_ = c;
        }
    }
    return filled == width;
}
