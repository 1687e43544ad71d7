// The whole GIF reader on any bytes. Input: an option byte (bit 0: images on the logical screen),
// then the stream. Every image that reads must write and read back with the same colours.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/dib_iterators.h"
#include "graphics/errors.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"

namespace {

// Small enough that a hostile size costs little time (every pixel is read twice more for the
// round trip), large enough for every starting file.
constexpr int64_t kPixelBudget = int64_t{1} << 14;

std::vector<uint32_t> Colours(const TDeviceIndependentBitmap &dib) {
    std::vector<uint32_t> colours;
    const auto reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        uint8_t r, g, b;
        while (reader->GetNextPixel(r, g, b)) colours.push_back(uint32_t{r} << 16 | uint32_t{g} << 8 | b);
    }
    return colours;
}

void CheckRoundTrip(const TDeviceIndependentBitmap &dib) {
    graphics::TMemoryStream written;
    {
        TZUB_GIFCompressor writer;
        writer.SaveDIBToStream(dib, written);
    }
    written.Seek(0, graphics::TSeekOrigin::soBeginning);
    TZUB_GIFDecompressor reader;
    const auto again = reader.ReadDIBitmapFromStream(written, dt8bit);
    if (!again || Colours(*again) != Colours(dib)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    graphics::TMemoryStream input(std::vector<uint8_t>(data + 1, data + size));
    TZUB_GIFDecompressor reader;
    reader.UseGlobalFrame = (data[0] & 1) != 0;
    reader.PixelBudget = kPixelBudget;
    reader.OnComment = [](TZUB_CustomGifDecompressor &, const char *) {};
    reader.OnAppExtension = [](TZUB_CustomGifDecompressor &, const TAppID &, const TAuthCode &,
                               const uint8_t *, int) {};
    reader.OnWarning = [](TZUBGraphicsEngine &, int, const std::string &) {};
    std::vector<std::unique_ptr<TDeviceIndependentBitmap>> images;
    try {
        reader.OpenImageStream(input);
        while (!reader.GetEOF()) {
            auto dib = reader.ReadDIBitmap(dt8bit);
            if (!dib) break;
            images.push_back(std::move(dib));
        }
    } catch (const Exception &) {
        // A broken stream ends with an error; the images read before it stay.
    }
    if (!images.empty()) CheckRoundTrip(*images.front());
    return 0;
}
