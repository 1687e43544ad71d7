// Palettes and their nearest-colour search, the median-cut quantiser and the ditherers.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "graphics/dib.h"
#include "graphics/dib_iterators.h"
#include "graphics/dither.h"
#include "graphics/errors.h"
#include "graphics/quantizer.h"

namespace {

using RGB = std::array<uint8_t, 3>;

TLogicalPalette PaletteOf(const std::vector<RGB> &colours) {
    TLogicalPalette palette;
    palette.ReAlloc(static_cast<int>(colours.size()));
    palette.SetCount(static_cast<int>(colours.size()));
    for (size_t i = 0; i < colours.size(); ++i) {
        palette.SetRed(static_cast<int>(i), colours[i][0]);
        palette.SetGreen(static_cast<int>(i), colours[i][1]);
        palette.SetBlue(static_cast<int>(i), colours[i][2]);
    }
    return palette;
}

std::vector<RGB> EntriesOf(const TLogicalPalette &palette) {
    std::vector<RGB> entries;
    for (int i = 0; i < palette.GetCount(); ++i)
        entries.push_back({palette.GetRed(i), palette.GetGreen(i), palette.GetBlue(i)});
    return entries;
}

// A 24-bit bitmap of the pixels, width x height.
TDeviceIndependentBitmap TrueColour(int width, int height, const std::vector<RGB> &pixels) {
    TDeviceIndependentBitmap dib(dt24bit, width, height);
    auto writer = dib.GetWriter();
    size_t i = 0;
    for (; !writer->EndOfImage(); writer->NextRow()) {
        for (int x = 0; x < width; ++x, ++i) writer->SetNextPixel(pixels[i][0], pixels[i][1], pixels[i][2]);
    }
    return dib;
}

std::vector<RGB> PhotoPixels(int width, int height) {
    std::mt19937 random(3);
    std::vector<RGB> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back({static_cast<uint8_t>(x * 255 / width),
                              static_cast<uint8_t>((x + y) * 2 + random() % 9),
                              static_cast<uint8_t>(255 - y * 255 / height)});
        }
    }
    return pixels;
}

TEST(Palette, GreyPaletteAndAccessors) {
    const TLogicalPalette grey(dpGrayscale);
    ASSERT_EQ(grey.GetCount(), 64);
    const int expected[][2] = {{0, 0}, {1, 6}, {2, 13}, {62, 255}, {63, 255}};
    for (const auto &e : expected) EXPECT_EQ(grey.GetRed(e[0]), e[1]);
    EXPECT_EQ(grey.GetColour(1), 0x060606u);
    try {
        grey.GetGreen(64);
        FAIL() << "no error";
    } catch (const ELogPalError &e) {
        EXPECT_STREQ(e.what(), "Invalid palette index (64)");
    }
    uint8_t r, g, b;
    EXPECT_THROW(grey.GetRGBColours(-1, r, g, b), Exception);
    TLogicalPalette empty;
    EXPECT_THROW(empty.GetNearestIndex(1, 2, 3), ELogPalError);
}

TEST(Palette, SubPalettes) {
    const TLogicalPalette a = PaletteOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    EXPECT_TRUE(a.IsSubPalette(a));
    EXPECT_TRUE(a.IsSubPalette(PaletteOf({{1, 2, 3}, {4, 5, 6}})));
    EXPECT_TRUE(a.IsSubPalette(TLogicalPalette()));
    EXPECT_FALSE(a.IsSubPalette(PaletteOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}})));
    EXPECT_FALSE(PaletteOf({{1, 2, 3}}).IsSubPalette(a));
    EXPECT_EQ(a.GetColourIndex(TLogicalPalette::RGBToColor(4, 5, 6)), 1);
}

TEST(Palette, NearestEntryWeighsTheChannels) {
    TLogicalPalette bw = PaletteOf({{0, 0, 0}, {255, 255, 255}});
    EXPECT_EQ(bw.GetNearestIndex(100, 100, 100), 0);
    EXPECT_EQ(bw.GetNearestIndex(140, 140, 140), 1);
    // A difference in green counts three times, in red twice, in blue once.
    TLogicalPalette rgb = PaletteOf({{128, 0, 0}, {0, 128, 0}, {0, 0, 128}});
    EXPECT_EQ(rgb.GetNearestIndex(60, 60, 60), 2);
    EXPECT_EQ(rgb.GetNearestIndex(60, 60, 30), 0);
}

TEST(Palette, InverseMapMatchesAnExhaustiveSearch) {
    // The answer for a colour is the entry nearest to the centre of its cell, earlier entries
    // winning ties, whether the box search is cached or not.
    std::mt19937 random(7);
    std::vector<RGB> colours;
    for (int i = 0; i < 37; ++i)
        colours.push_back(
            {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random())});
    TLogicalPalette cached = PaletteOf(colours), uncached = PaletteOf(colours);
    cached.InitCache();
    for (int r = 0; r < 32; r += 3) {
        for (int g = 0; g < 64; g += 5) {
            for (int b = 0; b < 32; b += 2) {
                const int cr = 8 * r + 4, cg = 4 * g + 2, cb = 8 * b + 4;
                int best = 0, bestDistance = INT32_MAX;
                for (int i = 0; i < 37; ++i) {
                    const int dr = 2 * (cr - colours[i][0]), dg = 3 * (cg - colours[i][1]),
                              db = cb - colours[i][2];
                    const int d = dr * dr + dg * dg + db * db;
                    if (d < bestDistance) best = i, bestDistance = d;
                }
                const auto R = static_cast<uint8_t>(8 * r + 1), G = static_cast<uint8_t>(4 * g + 3),
                           B = static_cast<uint8_t>(8 * b + 6);
                ASSERT_EQ(cached.GetNearestIndex(R, G, B), best) << r << "," << g << "," << b;
                ASSERT_EQ(uncached.GetNearestIndex(R, G, B), best);
            }
        }
    }
}

TEST(Palette, OneCellAnswersAsItsWholeBox) {
    // Palettes with equal distances (repeated entries, evenly spaced greys, black and white):
    // the single cell must keep the box's choice among ties.
    std::vector<RGB> repeated = {{10, 20, 30}, {200, 100, 50}, {10, 20, 30}, {200, 100, 50}, {0, 0, 0}};
    std::vector<RGB> greys, blackWhite = {{0, 0, 0}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i)
        greys.push_back(
            {static_cast<uint8_t>(i * 17), static_cast<uint8_t>(i * 17), static_cast<uint8_t>(i * 17)});
    for (const auto &colours : {repeated, greys, blackWhite}) {
        const TLogicalPalette palette = PaletteOf(colours);
        for (int r = 0; r < 32; ++r) {
            for (int g = 0; g < 64; g += 3) {
                for (int b = 0; b < 32; ++b) {
                    const TBestColourList box = palette.GetBestColours(r, g, b);
                    ASSERT_EQ(palette.NearestInBox(r, g, b),
                              box.Indices[(r & 3) * 32 + (g & 7) * 4 + (b & 3)])
                        << colours.size() << " entries, cell " << r << "," << g << "," << b;
                }
            }
        }
    }
}

TEST(Quantiser, FewColoursComeBackExactly) {
    // Three colours in three cells: each becomes its cell's lower corner.
    const std::vector<RGB> pixels = {{10, 20, 30}, {200, 100, 50}, {90, 250, 7}, {10, 20, 30}};
    const TDeviceIndependentBitmap dib = TrueColour(2, 2, pixels);
    for (int asked : {3, 4, 256}) {
        SCOPED_TRACE(asked);
        // Asking for more colours than the image has gives what it has.
        const TQuantizedPalette palette(dib, asked);
        EXPECT_TRUE(palette.Exact());
        std::vector<RGB> entries = EntriesOf(palette);
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (std::vector<RGB>{{8, 20, 24}, {88, 248, 0}, {200, 100, 48}}));
    }
    EXPECT_THROW(TQuantizedPalette(dib, 257), EQuantError);
    EXPECT_THROW(TQuantizedPalette(dib, 0), EQuantError);
}

TEST(Quantiser, TwoColourImageGivesTwoEntries) {
    std::vector<RGB> pixels(64 * 48, RGB{255, 255, 255});
    for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = {0, 0, 128};
    const TDeviceIndependentBitmap dib = TrueColour(64, 48, pixels);
    EXPECT_EQ(TQuantizedPalette(dib, 256).GetCount(), 2);
    // So a conversion to 8 bits without a palette works and keeps both colours apart.
    const TDeviceIndependentBitmap indexed(dib, dt8bit, nullptr, &TFSDitherer::Create);
    EXPECT_EQ(indexed.GetNumColours(), 2);
}

TEST(Quantiser, MergedCellsTakeTheMeanOfTheirCentres) {
    // Red cells 0 and 1 merged into one entry: red floor((7 + 15) / 2 + 1/2) = 11.
    const TDeviceIndependentBitmap dib = TrueColour(2, 1, {{0, 0, 0}, {8, 0, 0}});
    const TQuantizedPalette palette(dib, 1);
    EXPECT_FALSE(palette.Exact());
    EXPECT_EQ(EntriesOf(palette), (std::vector<RGB>{{11, 3, 7}}));
}

TEST(Dither, ErrorLimits) {
    TDeviceIndependentBitmap dib(dt8bit, 4, 1);
    auto writer = dib.GetWriter();
    TFSDitherer ditherer(dynamic_cast<TDIBMappedWriter &>(*writer),
                         dynamic_cast<TDIBMappedWriter &>(*writer).Palette());
    const int cases[][2] = {{15, 15}, {16, 16}, {17, 17}, {18, 17}, {47, 32}, {200, 32}, {-20, -18}, {0, 0}};
    for (const auto &c : cases) EXPECT_EQ(ditherer.ErrorLimit(c[0]), c[1]) << c[0];
}

TEST(Dither, OutputUsesOnlyPaletteEntries) {
    const int width = 96, height = 64;
    const TDeviceIndependentBitmap source = TrueColour(width, height, PhotoPixels(width, height));
    const TQuantizedPalette palette(source, 16);
    ASSERT_EQ(palette.GetCount(), 16);
    for (TDithererClass ditherer : {&TNoDither::Create, &TFSDitherer::Create}) {
        const TDeviceIndependentBitmap indexed(source, dt8bit, &palette, ditherer);
        ASSERT_EQ(indexed.GetNumColours(), 16);
        auto reader = indexed.GetReader();
        auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
        for (; !mapped.EndOfImage(); mapped.NextRow()) {
            TColourIndex index;
            while (mapped.GetNextColourIndex(index)) ASSERT_LT(index, 16);
        }
    }
}

TEST(Dither, MidGreyBecomesAMixOfBlackAndWhite) {
    const int width = 32, height = 32;
    const TDeviceIndependentBitmap grey =
        TrueColour(width, height, std::vector<RGB>(width * height, RGB{128, 128, 128}));
    const TLogicalPalette bw = PaletteOf({{0, 0, 0}, {255, 255, 255}});
    const auto whiteShare = [&](TDithererClass ditherer) {
        const TDeviceIndependentBitmap indexed(grey, dtMonochrome, &bw, ditherer);
        auto reader = indexed.GetReader();
        auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
        int white = 0;
        for (; !mapped.EndOfImage(); mapped.NextRow()) {
            TColourIndex index;
            while (mapped.GetNextColourIndex(index)) white += index;
        }
        return static_cast<double>(white) / (width * height);
    };
    EXPECT_EQ(whiteShare(&TNoDither::Create), 1.0);
    const double share = whiteShare(&TFSDitherer::Create);
    EXPECT_GT(share, 0.3);
    EXPECT_LT(share, 0.7);
}

TEST(Dither, NoDitherTakesTheNearestEntry) {
    const std::vector<RGB> pixels = PhotoPixels(40, 30);
    const TDeviceIndependentBitmap source = TrueColour(40, 30, pixels);
    TLogicalPalette grey(dpGrayscale);
    const TDeviceIndependentBitmap indexed(source, dt8bit, &grey, &TNoDither::Create);
    auto reader = indexed.GetReader();
    auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
    size_t i = 0;
    for (; !mapped.EndOfImage(); mapped.NextRow()) {
        TColourIndex index;
        while (mapped.GetNextColourIndex(index)) {
            EXPECT_EQ(index, grey.GetNearestIndex(pixels[i][0], pixels[i][1], pixels[i][2]));
            ++i;
        }
    }
    EXPECT_EQ(i, pixels.size());
}

}  // namespace
