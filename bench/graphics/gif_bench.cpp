// Reading and writing whole 1024 x 1024 GIF streams of three kinds of image, ours against giflib
// on the same image in alternating batches.
#include <benchmark/benchmark.h>

#include "bench/support/interleaved.h"
#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "test_images.h"

namespace {

constexpr int kSize = 1024;

// Kind 0: photo-like, 1: flat, 2: dithered.
std::vector<uint8_t> Image(int kind) {
    if (kind == 0) return test_images::PhotoLike(kSize, kSize);
    return kind == 1 ? test_images::Flat(kSize, kSize) : test_images::Dithered(kSize, kSize);
}

void BM_GifWrite(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, kSize, kSize, pixels);
    bench::Interleaved(
        state, 1,
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
    bench::Interleaved(
        state, 1,
        [&] {
            graphics::TMemoryStream stream(gif);
            TZUB_GIFDecompressor reader;
            benchmark::DoNotOptimize(reader.ReadDIBitmapFromStream(stream, dt8bit));
        },
        [&] { benchmark::DoNotOptimize(gif_oracle::Decode(gif)); });
}

BENCHMARK(BM_GifWrite)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(bench::Spread);
BENCHMARK(BM_GifRead)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(bench::Spread);

}  // namespace
