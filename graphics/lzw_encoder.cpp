#include <string>

#include "graphics/errors.h"
#include "graphics/lzw.h"

TZUB_LZWCommon::TZUB_LZWCommon(graphics::TStream &stream, int minimumCodeSize) : stream_(stream) {
    if (minimumCodeSize == 1) minimumCodeSize = 2;
    // Above 8 bits the pixels would not fit the suffix bytes and the first codes would
    // already fill the dictionary.
    if (minimumCodeSize < 2 || minimumCodeSize > 8)
        throw ELZWError("Unsupported Minimum Code Size - " + std::to_string(minimumCodeSize));
    minimumCodeSize_ = minimumCodeSize;
    clearCode_ = static_cast<uint16_t>(1 << minimumCodeSize);
    endCode_ = static_cast<uint16_t>(clearCode_ + 1);
}

void TZUB_LZWCommon::InitDictionary() {
    codeWidth_ = minimumCodeSize_ + 1;
    codeLimit_ = static_cast<uint16_t>(1 << codeWidth_);
    nextCode_ = static_cast<uint16_t>(clearCode_ + 2);
}

namespace {
int MinimumCodeSizeFor(TDIBFormat format) {
    switch (format) {
        case dtMonochrome:
            return 2;
        case dt4bit:
            return 4;
        case dt8bit:
            return 8;
        default:
            throw ELZWError("Cannot write an image with more than 256 colours as a GIF");
    }
}
}  // namespace

TZUB_LZWCompressor::TZUB_LZWCompressor(graphics::TStream &stream, TDIBFormat format)
    : TZUB_LZWCommon(stream, MinimumCodeSizeFor(format)) {
    const auto size = static_cast<uint8_t>(minimumCodeSize_);
    WriteBlock(&size, 1);
}

TZUB_LZWCompressor::~TZUB_LZWCompressor() {
    try {
        Finish();
    } catch (const Exception &) {
        // A stream that refuses bytes has already been reported by the row that failed.
    }
}

void TZUB_LZWCompressor::WriteBlock(const uint8_t *data, int count) {
    if (stream_.Write(data, count) != count) throw ELZWError("Error writing to output stream");
}

void TZUB_LZWCompressor::StartDictionary() {
    InitDictionary();
    slots_.fill(0);
}

TDictionaryIndex TZUB_LZWCompressor::FindChildNode(uint16_t prefix, uint16_t pixel) const {
    const int hash = ((pixel << 4) ^ prefix) & 0xFFFF;
    const int step = hash == 0 ? 1 : kTableSize - hash;
    const uint32_t key = pixel | static_cast<uint32_t>(prefix) << 8;
    int slot = hash;
    do {
        const uint32_t entry = slots_[slot];
        if (entry == 0 || (entry & 0xFFFFF) == key) return slot;
        slot = step > slot ? slot + kTableSize - step : slot - step;
    } while (slot != hash);
    return kTableSize;
}

bool TZUB_LZWCompressor::WriteRow(TDIBMappedReader &reader) {
    const int width = reader.GetWidth();
    if (row_.size() < static_cast<size_t>(width)) row_.resize(static_cast<size_t>(width));
    const int count = reader.GetNextColourIndexes(row_.data(), width);
    int i = 0;
    if (!started_ && count > 0) {
        StartDictionary();
        WriteBits(clearCode_, codeWidth_);
        currentPrefix_ = row_[i++];
        started_ = true;
    }
    // The string matched so far stays in a register: the row's bytes could alias the member.
    uint16_t prefix = currentPrefix_;
    for (; i < count; ++i) {
        const TColourIndex pixel = row_[i];
        const TDictionaryIndex slot = FindChildNode(prefix, pixel);
        if (slot < kTableSize && slots_[slot] != 0) {
            prefix = static_cast<uint16_t>(slots_[slot] >> 20);
            continue;
        }
        if (slot < kTableSize) {
            slots_[slot] =
                pixel | static_cast<uint32_t>(prefix) << 8 | static_cast<uint32_t>(nextCode_) << 20;
            ++nextCode_;
        }
        WriteBits(prefix, codeWidth_);
        prefix = pixel;
        if (slot == kTableSize || nextCode_ >= kMaxCodes) {
            WriteBits(clearCode_, codeWidth_);
            StartDictionary();
        } else if (nextCode_ > codeLimit_) {
            ++codeWidth_;
            codeLimit_ = static_cast<uint16_t>(codeLimit_ * 2);
        }
    }
    currentPrefix_ = prefix;
    return count == width;
}

void TZUB_LZWCompressor::WriteBits(uint16_t code, int width) {
    uint8_t *p = buffer_.data() + position_;
    const uint32_t v = (static_cast<uint32_t>(code) << bitOffset_) | p[0];
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    bitOffset_ += width;
    position_ += bitOffset_ >> 3;
    bitOffset_ &= 7;
    if (position_ >= 255) {
        const uint8_t length = 255;
        WriteBlock(&length, 1);
        WriteBlock(buffer_.data(), 255);
        // The partly filled byte (and any completed one past the block) starts the next block.
        const int carried = position_ - 255 + 1;
        for (int i = 0; i < carried; ++i) buffer_[i] = buffer_[255 + i];
        buffer_[carried] = 0;
        position_ -= 255;
    }
}

void TZUB_LZWCompressor::Finish() {
    if (!started_) return;
    started_ = false;
    WriteBits(currentPrefix_, codeWidth_);
    WriteBits(endCode_, codeWidth_);
    if (position_ > 0 || bitOffset_ > 0) {
        const auto count = static_cast<uint8_t>(position_ + (bitOffset_ > 0 ? 1 : 0));
        WriteBlock(&count, 1);
        WriteBlock(buffer_.data(), count);
    }
    const uint8_t terminator = 0;
    WriteBlock(&terminator, 1);
}
