// LZW encoding and decoding of 1024 x 1024 8-bit images, ours against giflib in the same run.
// Each iteration runs both coders; the counter giflib_ratio is giflib's time over ours (above 1:
// ours is faster).
#include <benchmark/benchmark.h>

#include <chrono>

#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/dib.h"
#include "test_images.h"

namespace {

constexpr int kSize = 1024;

std::vector<uint8_t> Image(int kind) {
    return kind == 0 ? test_images::PhotoLike(kSize, kSize) : test_images::Flat(kSize, kSize);
}

template <class Ours, class Theirs>
void Compare(benchmark::State &state, Ours ours, Theirs theirs) {
    using Clock = std::chrono::steady_clock;
    double oursSeconds = 0, theirsSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        ours();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        oursSeconds += elapsed;
        state.SetIterationTime(elapsed);
        start = Clock::now();
        theirs();
        theirsSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double pixels = static_cast<double>(state.iterations()) * kSize * kSize;
    state.counters["ours_Mpx_s"] = pixels / oursSeconds / 1e6;
    state.counters["giflib_Mpx_s"] = pixels / theirsSeconds / 1e6;
    state.counters["giflib_ratio"] = theirsSeconds / oursSeconds;
}

void BM_LzwEncode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, kSize, kSize, pixels);
    Compare(
        state, [&] { benchmark::DoNotOptimize(coder_util::EncodeDIB(dib)); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Encode(kSize, kSize, 8, pixels)); });
}

void BM_LzwDecode(benchmark::State &state) {
    const std::vector<uint8_t> pixels = Image(static_cast<int>(state.range(0)));
    const std::vector<uint8_t> gif = gif_oracle::Encode(kSize, kSize, 8, pixels);
    const std::vector<uint8_t> data = gif_oracle::ImageDataOf(gif, 8);
    TDeviceIndependentBitmap dib(dt8bit, kSize, -kSize);
    Compare(
        state, [&] { coder_util::DecodeInto(dib, data); },
        [&] { benchmark::DoNotOptimize(gif_oracle::Decode(gif)); });
}

// Argument 0: photo-like image, 1: flat image.
BENCHMARK(BM_LzwEncode)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecode)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
