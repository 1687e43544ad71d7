// BMP files and the clipboard's DIB format on any bytes: a bitmap that loads can be read pixel by
// pixel, converted and saved, and loads again to the same block.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "graphics/dib.h"
#include "graphics/dib_iterators.h"
#include "graphics/dither.h"
#include "graphics/errors.h"

namespace {

// `quantise`: also convert to 16 colours. The quantiser fills, copies and scans tables of 65536
// colour cells whatever the image, so it runs for one input in sixty-four and the rest run fast.
// The choice goes by a hash of the whole input: by its length, the mutations of a chosen input
// (most keep the length) would all be chosen again.
void Exercise(const TDeviceIndependentBitmap &dib, bool quantise) {
    auto reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        uint8_t r, g, b;
        while (reader->GetNextPixel(r, g, b)) {
        }
    }
    if (quantise && int64_t{dib.GetWidth()} * dib.GetHeight() <= 4096) {
        const TDeviceIndependentBitmap indexed(dib, dt4bit, nullptr, &TFSDitherer::Create);
    }
    graphics::TMemoryStream saved;
    dib.SaveToStream(saved);
    saved.Seek(0, graphics::TSeekOrigin::soBeginning);
    TDeviceIndependentBitmap again(dtMonochrome, 1, 1);
    again.LoadFromStream(saved);
    if (again.Block() != dib.Block()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const bool quantise =
        std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char *>(data), size)) % 64 == 0;
    TDeviceIndependentBitmap dib(dtMonochrome, 1, 1);
    try {
        graphics::TMemoryStream stream(bytes);
        dib.LoadFromStream(stream);
        Exercise(dib, quantise);
    } catch (const EDIBError &) {
    }
    try {
        dib.LoadFromClipboardFormat(bytes);
        Exercise(dib, quantise);
    } catch (const EDIBError &) {
    }
    return 0;
}
