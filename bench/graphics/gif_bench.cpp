// Writing and reading whole GIF streams, ours against giflib and cgif on the same pictures in
// alternating batches, in thread CPU time: large 8-bit images of three kinds, forty small icons,
// a dithered black-and-white page at 1 and at 8 bits, and a 16-colour page at 4 bits.
#include <benchmark/benchmark.h>
#include <cgif.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "bench/support/interleaved.h"
#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "test_images.h"

namespace {

// One picture as every coder is given it: palette indexes row by row, the bitmap format ours
// reads them from and the colours of the table.
struct Picture {
    int width = 0, height = 0;
    TDIBFormat format = dt8bit;
    int colours = 256;
    std::vector<uint8_t> indexes;

    // The bits of the smallest power-of-two table that holds the colours (giflib's table size).
    int TableBits() const {
        int bits = 1;
        while ((1 << bits) < colours) ++bits;
        return bits;
    }
};

constexpr int kPageWidth = 1024, kPageHeight = 678;

// A smooth shading of a scanned page reduced by error diffusion to `levels` grey levels.
std::vector<uint8_t> DiffusedShading(int width, int height, int levels) {
    std::vector<double> error(static_cast<size_t>(width) * height, 0.0);
    std::vector<uint8_t> pixels(error.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * width + x;
            const double shade =
                0.5 + 0.45 * std::sin(x * 0.011 + y * 0.004) * std::cos(y * 0.009) + error[at];
            const double level = std::clamp(std::round(shade * (levels - 1)), 0.0, levels - 1.0);
            pixels[at] = static_cast<uint8_t>(level);
            const double e = shade - level / (levels - 1);
            if (x + 1 < width) error[at + 1] += e * 7 / 16;
            if (y + 1 < height) {
                if (x > 0) error[at + width - 1] += e * 3 / 16;
                error[at + width] += e * 5 / 16;
                if (x + 1 < width) error[at + width + 1] += e * 1 / 16;
            }
        }
    }
    return pixels;
}

// Forty 32 x 32 icons of 16 to 32 colours: a shaded disc with an outline on a plain ground, a
// few stray pixels.
std::vector<Picture> Icons() {
    std::vector<Picture> icons;
    std::mt19937 random(5);
    for (int k = 0; k < 40; ++k) {
        Picture icon{32, 32, dt8bit, 16 + k * 17 / 40, {}};
        if (icon.colours <= 16) icon.format = dt4bit;
        icon.indexes.resize(32 * 32);
        const double cx = 12 + random() % 8, cy = 12 + random() % 8, r = 8 + random() % 6;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                int index = 0;
                if (d < r - 1) {
                    index = 2 + static_cast<int>((x + y) * (icon.colours - 3) / 64.0);
                } else if (d < r) {
                    index = 1;
                }
                if (random() % 40 == 0) index = static_cast<int>(random() % icon.colours);
                icon.indexes[static_cast<size_t>(y) * 32 + x] = static_cast<uint8_t>(index);
            }
        }
        icons.push_back(std::move(icon));
    }
    return icons;
}

std::vector<Picture> Pictures(const std::string &kind) {
    constexpr int kLarge = 1024;
    if (kind == "Icons") return Icons();
    if (kind == "BlackWhite1Bit")
        return {{kPageWidth, kPageHeight, dtMonochrome, 2, DiffusedShading(kPageWidth, kPageHeight, 2)}};
    if (kind == "BlackWhite8Bit")
        return {{kPageWidth, kPageHeight, dt8bit, 256, DiffusedShading(kPageWidth, kPageHeight, 2)}};
    if (kind == "Page4Bit")
        return {{kPageWidth, kPageHeight, dt4bit, 16, DiffusedShading(kPageWidth, kPageHeight, 16)}};
    if (kind == "Photo8Bit") return {{kLarge, kLarge, dt8bit, 256, test_images::PhotoLike(kLarge, kLarge)}};
    if (kind == "Flat8Bit") return {{kLarge, kLarge, dt8bit, 256, test_images::Flat(kLarge, kLarge)}};
    return {{kLarge, kLarge, dt8bit, 256, test_images::Dithered(kLarge, kLarge)}};
}

// cgif takes and returns a block of some hundred KiB per image, which the allocator, left as a
// fresh process has it, hands back to the system at once and takes again next time (a third of
// cgif's time on an icon). One block of 1 MiB taken and freed first makes it keep freed blocks up
// to that size, as it does once any such block was freed: every coder runs at its best.
void KeepFreedBlocks() {
    static const bool kept = [] {
        std::free(std::malloc(std::size_t{16} << 20));
        return true;
    }();
    (void)kept;
}

int AppendBytes(void *context, const uint8_t *data, size_t count) {
    auto *out = static_cast<std::vector<uint8_t> *>(context);
    out->insert(out->end(), data, data + count);
    return CGIF_OK;
}

// cgif's GIF of a picture with a grey global table of its colours.
std::vector<uint8_t> CgifEncode(const Picture &picture) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> palette(static_cast<size_t>(picture.colours) * 3);
    for (int i = 0; i < picture.colours; ++i)
        palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] =
            static_cast<uint8_t>(i * 255 / std::max(1, picture.colours - 1));
    CGIF_Config config{};
    config.pGlobalPalette = palette.data();
    config.numGlobalPaletteEntries = static_cast<uint16_t>(picture.colours);
    config.width = static_cast<uint16_t>(picture.width);
    config.height = static_cast<uint16_t>(picture.height);
    config.pWriteFn = AppendBytes;
    config.pContext = &out;
    CGIF *gif = cgif_newgif(&config);
    CGIF_FrameConfig frame{};
    frame.pImageData = const_cast<uint8_t *>(picture.indexes.data());
    cgif_addframe(gif, &frame);
    cgif_close(gif);
    return out;
}

std::vector<uint8_t> GiflibEncode(const Picture &picture) {
    return gif_oracle::Encode(picture.width, picture.height, picture.TableBits(), picture.indexes);
}

void Write(benchmark::State &state, const std::string &kind, bool againstCgif) {
    KeepFreedBlocks();
    const std::vector<Picture> pictures = Pictures(kind);
    std::vector<TDeviceIndependentBitmap> dibs;
    dibs.reserve(pictures.size());
    for (const Picture &p : pictures)
        dibs.push_back(coder_util::IndexedDIB(p.format, p.width, p.height, p.indexes, p.colours));
    bench::Interleaved<bench::ThreadCpuClock>(
        state, 1,
        [&] {
            for (const TDeviceIndependentBitmap &dib : dibs) {
                graphics::TMemoryStream stream;
                TZUB_GIFCompressor writer;
                writer.SaveDIBToStream(dib, stream);
                writer.CloseImageStream();
                benchmark::DoNotOptimize(stream.Bytes().data());
            }
        },
        [&] {
            for (const Picture &p : pictures)
                benchmark::DoNotOptimize(againstCgif ? CgifEncode(p) : GiflibEncode(p));
        });
}

void Read(benchmark::State &state, const std::string &kind) {
    KeepFreedBlocks();
    const std::vector<Picture> pictures = Pictures(kind);
    std::vector<std::vector<uint8_t>> gifs;
    for (const Picture &p : pictures) gifs.push_back(GiflibEncode(p));
    bench::Interleaved<bench::ThreadCpuClock>(
        state, 1,
        [&] {
            for (const auto &gif : gifs) {
                graphics::TMemoryStream stream(gif);
                TZUB_GIFDecompressor reader;
                benchmark::DoNotOptimize(reader.ReadDIBitmapFromStream(stream, dt8bit));
            }
        },
        [&] {
            for (const auto &gif : gifs) benchmark::DoNotOptimize(gif_oracle::Decode(gif));
        });
}

const bool kRegistered = [] {
    for (const char *kind :
         {"Icons", "BlackWhite1Bit", "BlackWhite8Bit", "Page4Bit", "Photo8Bit", "Flat8Bit", "Dithered8Bit"}) {
        for (const bool cgif : {false, true}) {
            const std::string name = std::string("Write/") + kind + (cgif ? "/cgif" : "/giflib");
            benchmark::RegisterBenchmark(name.c_str(),
                                         [kind, cgif](benchmark::State &s) { Write(s, kind, cgif); })
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond)
                ->Apply(bench::Spread);
        }
        const std::string name = std::string("Read/") + kind + "/giflib";
        benchmark::RegisterBenchmark(name.c_str(), [kind](benchmark::State &s) { Read(s, kind); })
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond)
            ->Apply(bench::Spread);
    }
    return true;
}();

}  // namespace
