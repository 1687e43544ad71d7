// LZW encoding and decoding of 1024 x 1024 8-bit images of three kinds, ours against giflib on
// the same image in alternating batches.
#include <benchmark/benchmark.h>

#include "bench/support/interleaved.h"
#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/dib.h"
#include "test_images.h"

namespace {

constexpr int kSize = 1024;

// Kind 0: photo-like, 1: flat, 2: dithered.
std::vector<uint8_t> Image(int kind) {
    if (kind == 0) return test_images::PhotoLike(kSize, kSize);
    return kind == 1 ? test_images::Flat(kSize, kSize) : test_images::Dithered(kSize, kSize);
}

void BM_LzwEncode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, kSize, kSize, pixels);
    bench::Interleaved(
        state, 1, [&] { benchmark::DoNotOptimize(coder_util::EncodeDIB(dib)); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Encode(kSize, kSize, 8, pixels)); });
}

void BM_LzwDecode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const std::vector<uint8_t> gif = gif_oracle::Encode(kSize, kSize, 8, pixels);
    const std::vector<uint8_t> data = gif_oracle::ImageDataOf(gif, 8);
    TDeviceIndependentBitmap dib(dt8bit, kSize, -kSize);
    bench::Interleaved(
        state, 1, [&] { coder_util::DecodeInto(dib, data); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Decode(gif)); });
}

BENCHMARK(BM_LzwEncode)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(bench::Spread);
BENCHMARK(BM_LzwDecode)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(bench::Spread);

}  // namespace
