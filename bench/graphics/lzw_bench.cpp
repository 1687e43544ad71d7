// LZW encoding and decoding of 1024 x 1024 8-bit images, ours against giflib in the same run.
// Each iteration runs both coders; the counter giflib_ratio is giflib's time over ours (above 1:
// ours is faster).
#include <benchmark/benchmark.h>

#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/dib.h"
#include "peer_compare.h"
#include "test_images.h"

namespace {

constexpr int kSize = 1024;

std::vector<uint8_t> Image(int kind) {
    return kind == 0 ? test_images::PhotoLike(kSize, kSize) : test_images::Flat(kSize, kSize);
}

void BM_LzwEncode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, kSize, kSize, pixels);
    ComparePeers(
        state, kSize, [&] { benchmark::DoNotOptimize(coder_util::EncodeDIB(dib)); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Encode(kSize, kSize, 8, pixels)); });
}

void BM_LzwDecode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const std::vector<uint8_t> gif = gif_oracle::Encode(kSize, kSize, 8, pixels);
    const std::vector<uint8_t> data = gif_oracle::ImageDataOf(gif, 8);
    TDeviceIndependentBitmap dib(dt8bit, kSize, -kSize);
    ComparePeers(
        state, kSize, [&] { coder_util::DecodeInto(dib, data); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Decode(gif)); });
}

// Argument 0: photo-like image, 1: flat image.
BENCHMARK(BM_LzwEncode)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecode)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
