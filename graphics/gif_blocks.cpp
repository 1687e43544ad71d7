#include "graphics/gif_blocks.h"

#include <algorithm>

#include "graphics/errors.h"

namespace gif {
namespace {

[[noreturn]] void EndOfInput() {
    throw EGIFError("Unexpected end of input stream");
}

void WriteAll(graphics::TStream &stream, const void *data, int64_t count) {
    if (stream.Write(data, count) != count) throw EGIFError("Error writing to output stream");
}

}  // namespace

uint8_t ReadByte(graphics::TStream &stream) {
    uint8_t value = 0;
    if (stream.Read(&value, 1) != 1) EndOfInput();
    return value;
}

uint16_t ReadWord(graphics::TStream &stream) {
    uint8_t bytes[2];
    if (stream.Read(bytes, 2) != 2) EndOfInput();
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

void WriteByte(graphics::TStream &stream, uint8_t value) {
    WriteAll(stream, &value, 1);
}

void TBlockBytes::WriteTo(graphics::TStream &stream) const {
    WriteAll(stream, bytes_.data(), count_);
}

void WriteWord(graphics::TStream &stream, uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    WriteAll(stream, bytes, 2);
}

std::vector<uint8_t> ReadDataBlock(graphics::TStream &stream) {
    std::vector<uint8_t> data;
    for (uint8_t length = ReadByte(stream); length != 0; length = ReadByte(stream)) {
        const size_t start = data.size();
        data.resize(start + length);
        if (stream.Read(data.data() + start, length) != length) EndOfInput();
    }
    return data;
}

void SkipBlocks(graphics::TStream &stream) {
    for (uint8_t length = ReadByte(stream); length != 0; length = ReadByte(stream)) {
        if (stream.Remaining() < length) EndOfInput();
        stream.Seek(length, graphics::TSeekOrigin::soCurrent);
    }
}

void WriteDataBlock(graphics::TStream &stream, const uint8_t *data, size_t count) {
    while (count > 0) {
        const auto length = static_cast<uint8_t>(std::min<size_t>(count, 255));
        WriteByte(stream, length);
        WriteAll(stream, data, length);
        data += length;
        count -= length;
    }
    WriteByte(stream, 0);
}

}  // namespace gif

TGIFPalette::TGIFPalette(graphics::TStream &stream, int count) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * 3, 0);
    stream.Read(bytes.data(), static_cast<int64_t>(bytes.size()));
    ReAlloc(count);
    SetCount(count);
    for (int i = 0; i < count; ++i) SetEntry(i, bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
}
