#pragma once
// giflib as the reference coder: GIF files made from raw LZW image data and decoded by giflib,
// and GIF files giflib encodes from which the raw image data is cut out again.
#include <gif_lib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif_oracle {

// giflib's reader over bytes in memory; the cursor is read from as the file is read and must
// outlive it.
struct MemoryCursor {
    const std::vector<uint8_t> *bytes;
    size_t position;
};
GifFileType *OpenInMemory(MemoryCursor &cursor, int *error);

// A one-image GIF around LZW image data (code size byte, sub-blocks, terminator), with a grey
// global colour table of 2^bits entries.
std::vector<uint8_t> WrapImageData(int width, int height, int bits, const std::vector<uint8_t> &imageData);

// giflib's decoding of a one-image GIF: the pixel indexes row by row. Fails the test (and
// returns an empty vector) when giflib reports an error.
std::vector<uint8_t> Decode(const std::vector<uint8_t> &gif);

// giflib's encoding of the indexes as a one-image GIF with a colour table of 2^bits entries.
std::vector<uint8_t> Encode(int width, int height, int bits, const std::vector<uint8_t> &indexes);

// The image data (code size byte to terminator) of a GIF made by WrapImageData or Encode.
std::vector<uint8_t> ImageDataOf(const std::vector<uint8_t> &gif, int bits);

}  // namespace gif_oracle
