// Reading and writing BMP files and the clipboard's DIB format. Every header is validated
// before anything is allocated from it, and the bitmap keeps its block until a new one has
// loaded completely.
#include <cstdlib>
#include <cstring>

#include "graphics/dib.h"
#include "graphics/dib_block.h"
#include "graphics/errors.h"

using namespace graphics;

namespace {

constexpr int kFileHeaderSize = 14;

[[noreturn]] void InvalidHeader() {
    throw EDIBError("Invalid DIB Header");
}

void ReadExactly(TStream &stream, uint8_t *buffer, int64_t count) {
    if (stream.Read(buffer, count) != count) InvalidHeader();
}

bool KnownHeaderSize(uint32_t size) {
    // The plain header and its later, longer versions (which we read as the plain one).
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Reads an information header with its masks and colour table and turns it into a block with a
// plain 40-byte header, sized for the pixel rows that follow. Answers the block; pixelBytes is
// the size of the rows still to be read into its end.
std::vector<uint8_t> ReadInfo(TStream &stream, int64_t &pixelBytes) {
    uint8_t header[124];
    ReadExactly(stream, header, 4);
    const uint32_t headerSize = GetU32(header);
    if (!KnownHeaderSize(headerSize)) InvalidHeader();
    ReadExactly(stream, header + 4, headerSize - 4);

    const int32_t width = GetI32(header + kBiWidth);
    const int32_t height = GetI32(header + kBiHeight);
    const uint16_t bits = GetU16(header + kBiBitCount);
    const uint32_t compression = GetU32(header + kBiCompression);
    const uint32_t used = GetU32(header + kBiClrUsed);
    if (width < 1 || height == 0 || height == INT32_MIN) InvalidHeader();
    if (int64_t{width} * std::abs(int64_t{height}) > kMaxDIBPixels) InvalidHeader();
    if (GetU16(header + kBiPlanes) != 1) InvalidHeader();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidHeader();
    const bool bitFields = compression == kBiBitFields;
    if (!(compression == kBiRgb || (bitFields && (bits == 16 || bits == 32)))) InvalidHeader();
    if (used > (bits <= 8 ? 1u << bits : 256u)) InvalidHeader();

    const int64_t tableEntries = used != 0 ? used : bits <= 8 ? 1 << bits : 0;
    const int64_t masksSize = bitFields ? 12 : 0;
    const int64_t infoSize = kInfoHeaderSize + masksSize + 4 * tableEntries;
    const int64_t rowBytes = (int64_t{width} * bits + 31) / 32 * 4;
    pixelBytes = rowBytes * std::abs(int64_t{height});

    std::vector<uint8_t> block(static_cast<size_t>(infoSize));
    std::memcpy(block.data(), header, kInfoHeaderSize);
    PutU32(block.data() + kBiSize, kInfoHeaderSize);
    PutU32(block.data() + kBiSizeImage, static_cast<uint32_t>(pixelBytes));
    if (bitFields && headerSize > kInfoHeaderSize) {
        std::memcpy(block.data() + kInfoHeaderSize, header + kInfoHeaderSize, 12);  // masks inside the header
    } else if (bitFields) {
        ReadExactly(stream, block.data() + kInfoHeaderSize, 12);
    }
    ReadExactly(stream, block.data() + kInfoHeaderSize + masksSize, 4 * tableEntries);
    return block;
}

// Appends the pixel rows; the stream must hold them all before the block grows.
void ReadPixels(TStream &stream, std::vector<uint8_t> &block, int64_t pixelBytes) {
    if (stream.Remaining() < pixelBytes) InvalidHeader();
    const size_t infoSize = block.size();
    block.resize(infoSize + static_cast<size_t>(pixelBytes));
    ReadExactly(stream, block.data() + infoSize, pixelBytes);
}

void WriteExactly(TStream &stream, const void *buffer, int64_t count) {
    if (stream.Write(buffer, count) != count) throw EDIBError("Error writing to output stream");
}

}  // namespace

void TDeviceIndependentBitmap::LoadFromFile(const std::string &name) {
    TFileStream stream(name, TFileMode::fmOpenRead);
    LoadFromStream(stream);
}

void TDeviceIndependentBitmap::SaveToFile(const std::string &name) const {
    TFileStream stream(name, TFileMode::fmCreate);
    SaveToStream(stream);
}

void TDeviceIndependentBitmap::LoadFromStream(TStream &stream) {
    const int64_t start = stream.Position();
    uint8_t fileHeader[kFileHeaderSize];
    ReadExactly(stream, fileHeader, kFileHeaderSize);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') InvalidHeader();
    const uint32_t pixelOffset = GetU32(fileHeader + 10);
    int64_t pixelBytes = 0;
    std::vector<uint8_t> block = ReadInfo(stream, pixelBytes);
    // Some writers leave a gap (or a longer header's extra data) before the rows.
    const int64_t here = stream.Position() - start;
    if (pixelOffset > here) {
        if (stream.Remaining() < pixelOffset - here) InvalidHeader();
        stream.Seek(pixelOffset - here, TSeekOrigin::soCurrent);
    }
    ReadPixels(stream, block, pixelBytes);
    ReplaceBlock(std::move(block));
}

void TDeviceIndependentBitmap::SaveToStream(TStream &stream) const {
    const int64_t dataSize = static_cast<int64_t>(infoSize_) + GetSize();
    uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
    PutU32(fileHeader + 2, static_cast<uint32_t>(dataSize + kFileHeaderSize));
    PutU32(fileHeader + 10, static_cast<uint32_t>(infoSize_ + kFileHeaderSize));
    WriteExactly(stream, fileHeader, kFileHeaderSize);
    WriteExactly(stream, block_.data(), dataSize);
}

void TDeviceIndependentBitmap::LoadFromClipboardFormat(const std::vector<uint8_t> &data) {
    TMemoryStream stream(data);
    int64_t pixelBytes = 0;
    std::vector<uint8_t> block = ReadInfo(stream, pixelBytes);
    ReadPixels(stream, block, pixelBytes);
    ReplaceBlock(std::move(block));
}

std::vector<uint8_t> TDeviceIndependentBitmap::SaveToClipboardFormat() const {
    return block_;
}
