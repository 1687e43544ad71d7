// Reading and writing whole 1024 x 1024 GIF streams, ours against giflib in the same run (the
// counter giflib_ratio is giflib's time over ours; above 1: ours is faster).
#include <benchmark/benchmark.h>

#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "peer_compare.h"
#include "test_images.h"

namespace {

constexpr int kSize = 1024;

std::vector<uint8_t> Image(int kind) {
    return kind == 0 ? test_images::PhotoLike(kSize, kSize) : test_images::Flat(kSize, kSize);
}

void BM_GifWrite(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, kSize, kSize, pixels);
    ComparePeers(
        state, kSize,
        [&] {
            graphics::TMemoryStream stream;
            TZUB_GIFCompressor writer;
            writer.SaveDIBToStream(dib, stream);
            writer.CloseImageStream();
            benchmark::DoNotOptimize(stream.Bytes().data());
        },
        [&] { benchmark::DoNotOptimize(gif_oracle::Encode(kSize, kSize, 8, pixels)); });
}

void BM_GifRead(benchmark::State &state) {
    const std::vector<uint8_t> gif =
        gif_oracle::Encode(kSize, kSize, 8, Image(static_cast<int>(state.range(0))));
    ComparePeers(
        state, kSize,
        [&] {
            graphics::TMemoryStream stream(gif);
            TZUB_GIFDecompressor reader;
            benchmark::DoNotOptimize(reader.ReadDIBitmapFromStream(stream, dt8bit));
        },
        [&] { benchmark::DoNotOptimize(gif_oracle::Decode(gif)); });
}

// Argument 0: photo-like image, 1: flat image.
BENCHMARK(BM_GifWrite)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifRead)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
