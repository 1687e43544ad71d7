#pragma once
// Byte-level pieces of a GIF stream: little-endian words and data sub-blocks (a length byte
// 1..255 and that many bytes, repeated, closed by a zero length byte).
#include <array>
#include <cstdint>
#include <vector>

#include "graphics/palette.h"
#include "graphics/stream.h"

namespace gif {

// Both raise EGIFError "Unexpected end of input stream" when the stream runs out.
uint8_t ReadByte(graphics::TStream &stream);
uint16_t ReadWord(graphics::TStream &stream);
void WriteByte(graphics::TStream &stream, uint8_t value);
void WriteWord(graphics::TStream &stream, uint16_t value);

// The bytes of a short fixed block (a header or descriptor, at most 16), gathered and written
// in one call.
class TBlockBytes {
public:
    TBlockBytes &Byte(uint8_t value) {
        bytes_[count_++] = value;
        return *this;
    }
    TBlockBytes &Word(uint16_t value) {
        return Byte(static_cast<uint8_t>(value)).Byte(static_cast<uint8_t>(value >> 8));
    }
    // Raises EGIFError "Error writing to output stream" when the stream takes fewer bytes.
    void WriteTo(graphics::TStream &stream) const;

private:
    std::array<uint8_t, 16> bytes_;  // written before read: left uninitialised
    int count_ = 0;
};

// The bytes of the sub-blocks up to the zero length; a stream that ends first raises
// "Unexpected end of input stream".
std::vector<uint8_t> ReadDataBlock(graphics::TStream &stream);
// Steps over sub-blocks up to the zero length, with the same error.
void SkipBlocks(graphics::TStream &stream);
// The bytes as sub-blocks of at most 255 bytes and the zero length byte.
void WriteDataBlock(graphics::TStream &stream, const uint8_t *data, size_t count);

}  // namespace gif

// A GIF colour table: count entries of red, green, blue. Bytes the stream does not deliver
// count as 0.
class TGIFPalette : public TLogicalPalette {
public:
    TGIFPalette(graphics::TStream &stream, int count);
};
