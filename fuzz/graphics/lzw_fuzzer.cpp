// The LZW reader on any bytes. Input: width byte, height byte, mode byte (depth, whether the rows
// come in interlaced order, whether the writer is told the image's size), then the image data.
// Whatever decodes must encode and decode again to the same pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/dib.h"
#include "graphics/dib_iterators.h"
#include "graphics/errors.h"
#include "graphics/lzw.h"

namespace {

constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

void Decode(graphics::TStream &stream, TDeviceIndependentBitmap &dib, bool interlaced) {
    TZUB_LZWDecompressor coder(stream);
    auto writer = dib.GetWriter();
    auto &mapped = static_cast<TDIBMappedWriter &>(*writer);
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
        mapped.Reset(interlaced ? kPasses[pass][0] : 0, interlaced ? kPasses[pass][1] : 1);
        for (; !mapped.EndOfImage(); mapped.NextRow()) {
            if (!coder.ReadRow(mapped)) return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) return 0;
    const int width = 1 + data[0] % 64, height = 1 + data[1] % 64;
    const TDIBFormat format = data[2] % 3 == 0 ? dtMonochrome : data[2] % 3 == 1 ? dt4bit : dt8bit;
    const bool interlaced = (data[2] & 0x80) != 0;
    TDeviceIndependentBitmap dib(format, width, height);
    graphics::TMemoryStream input(std::vector<uint8_t>(data + 3, data + size));
    try {
        Decode(input, dib, interlaced);
    } catch (const Exception &) {
        // Bad data ends with an error; the rows decoded so far stay in the bitmap.
    }

    graphics::TMemoryStream encoded;
    {
        // Sized for the image as the GIF writer sizes it, or (mode bits 5 and 6) for any image: its
        // table, the largest, costs more to clear than a small image to code.
        const int64_t pixels =
            (data[2] & 0x60) == 0x60 ? int64_t{TZUB_LZWCommon::kMaxCodes} : int64_t{width} * height;
        TZUB_LZWCompressor coder(encoded, format, pixels);
        auto reader = dib.GetReader();
        auto &mapped = static_cast<TDIBMappedReader &>(*reader);
        for (; !mapped.EndOfImage(); mapped.NextRow()) coder.WriteRow(mapped);
    }
    encoded.Seek(0, graphics::TSeekOrigin::soBeginning);
    TDeviceIndependentBitmap again(format, width, height);
    Decode(encoded, again, false);
    if (again.Block() != dib.Block()) __builtin_trap();
    return 0;
}
