#pragma once
// Our coder driven over whole index images, for the tests and the benchmark.
#include <cstdint>
#include <vector>

#include "graphics/dib.h"

namespace coder_util {

// A top-down bitmap of the format holding the indexes row by row, with a grey colour table of
// `colours` entries (0: as many as the format holds).
TDeviceIndependentBitmap IndexedDIB(TDIBFormat format, int width, int height,
                                    const std::vector<uint8_t> &indexes, int colours = 0);
// The indexes of a 1-, 4- or 8-bit bitmap row by row from the top.
std::vector<uint8_t> IndexesOf(const TDeviceIndependentBitmap &dib);

// LZW image data (code size byte to terminator) of the bitmap's rows.
// `pixels` and `indexBits` are the coder's hints (see TZUB_LZWCompressor); 0 leaves its default.
std::vector<uint8_t> EncodeDIB(const TDeviceIndependentBitmap &dib, int64_t pixels = 0, int indexBits = 0);
std::vector<uint8_t> Encode(TDIBFormat format, int width, int height, const std::vector<uint8_t> &indexes);
// Decodes image data into a fresh bitmap of the format; rows the data does not fill stay 0.
void DecodeInto(TDeviceIndependentBitmap &dib, const std::vector<uint8_t> &imageData);
std::vector<uint8_t> Decode(TDIBFormat format, int width, int height, const std::vector<uint8_t> &imageData);

// The same image data cut into sub-blocks of the given length.
std::vector<uint8_t> Rechunk(const std::vector<uint8_t> &imageData, int blockLength);
// Image data of packed code bytes: the code size byte, sub-blocks, the terminator.
std::vector<uint8_t> SubBlocks(uint8_t codeSize, const std::vector<uint8_t> &codes, int blockLength);

}  // namespace coder_util
