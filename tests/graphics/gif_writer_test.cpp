// The GIF writer, read back by giflib, ImageMagick and our reader.
#include "graphics/gif_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "gif_fixtures.h"
#include "graphics/dib_iterators.h"
#include "graphics/errors.h"
#include "graphics/gif_reader.h"
#include "test_images.h"

using namespace gif_fixtures;

namespace {

// Distinct colours k = 0..255, each the centre-free corner of its 5-6-5 cell, so that quantising
// keeps it exactly.
uint32_t ColourNumber(int k) {
    return static_cast<uint32_t>((k & 31) << 19 | ((k >> 5) * 9 & 63) << 10 | ((k * 7) & 31) << 3);
}

Pixels Pattern(int width, int height, int colours) {
    Pixels pixels;
    for (int i = 0; i < width * height; ++i) pixels.push_back(ColourNumber((i * 7 + i / width) % colours));
    return pixels;
}

// A bitmap of the format holding the colours (RGB 0xRRGGBB, rows from the top); indexed formats
// get a table of the distinct colours in order of appearance.
TDeviceIndependentBitmap MakeDIB(TDIBFormat format, int width, int height, const Pixels &pixels) {
    TDeviceIndependentBitmap dib(format, width, height);
    if (TDeviceIndependentBitmap::BitsPerPixel(format) <= 8) {
        std::vector<uint32_t> table;
        for (const uint32_t c : pixels)
            if (std::find(table.begin(), table.end(), c) == table.end()) table.push_back(c);
        TLogicalPalette palette;
        palette.ReAlloc(static_cast<int>(table.size()));
        palette.SetCount(static_cast<int>(table.size()));
        for (size_t i = 0; i < table.size(); ++i) {
            palette.SetRed(static_cast<int>(i), static_cast<uint8_t>(table[i] >> 16));
            palette.SetGreen(static_cast<int>(i), static_cast<uint8_t>(table[i] >> 8));
            palette.SetBlue(static_cast<int>(i), static_cast<uint8_t>(table[i]));
        }
        dib.SetColourTable(palette);
    }
    const auto writer = dib.GetWriter();
    size_t i = 0;
    for (; !writer->EndOfImage(); writer->NextRow()) {
        while (i < pixels.size() &&
               writer->SetNextPixel(static_cast<uint8_t>(pixels[i] >> 16),
                                    static_cast<uint8_t>(pixels[i] >> 8), static_cast<uint8_t>(pixels[i])))
            ++i;
    }
    return dib;
}

template <class Configure>
Bytes Write(const TDeviceIndependentBitmap &dib, Configure configure) {
    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    configure(writer);
    writer.SaveDIBToStream(dib, stream);
    writer.CloseImageStream();
    return stream.Bytes();
}

Bytes Write(const TDeviceIndependentBitmap &dib) {
    return Write(dib, [](TZUB_GIFCompressor &) {});
}

TEST(GifWriter, EveryDepthReadsBackWithTheSameColours) {
    struct Case {
        TDIBFormat format;
        int colours;
        bool interlace;
        TGIFType type;
    };
    const Case cases[] = {
        {dtMonochrome, 2, false, gt89a}, {dt4bit, 16, true, gt87a},  {dt8bit, 200, false, gt89a},
        {dt8bit, 17, true, gt89a},       {dt24bit, 2, false, gt89a}, {dt24bit, 256, true, gt87a},
        {dt32bit, 100, false, gt89a},    {dt16bit, 1, true, gt89a},
    };
    Magick magick;
    for (const Case &c : cases) {
        SCOPED_TRACE("format " + std::to_string(c.format) + ", " + std::to_string(c.colours) + " colours");
        // 16-bit pixels hold 5 bits a primary: one colour that survives it.
        const Pixels pixels = c.format == dt16bit ? Pixels(37 * 11, 0x08F8F8) : Pattern(37, 11, c.colours);
        const Bytes gif = Write(MakeDIB(c.format, 37, 11, pixels), [&](TZUB_GIFCompressor &w) {
            w.Interlace = c.interlace;
            w.SetGIFType(c.type);
        });
        const TheirStream theirs = Slurp(gif);
        EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), c.type == gt87a ? "GIF87a" : "GIF89a");
        ASSERT_EQ(theirs.Frames.size(), 1u);
        EXPECT_EQ(theirs.Frames[0].Interlaced, c.interlace);
        EXPECT_EQ(theirs.Frames[0].Colours, pixels);
        EXPECT_EQ(ReadAll(gif).Frames.at(0).Colours, pixels);
        if (Magick::Available()) {
            EXPECT_EQ(magick.Colours(gif, 0), pixels);
            EXPECT_EQ(magick.Identify(gif, "%w %h %n"), "37 11 1");
        }
    }
}

// Indexed images up to 16384 pixels are read whole and coded in one call, larger ones row by row:
// both ways read back alike on either side of the bound, in both row orders, through either
// dictionary (up to 32 colours a plain table, more a hash table).
TEST(GifWriter, IndexedImagesAroundTheSmallImageBound) {
    struct Size {
        int width, height;
    };
    struct Depth {
        TDIBFormat format;
        int colours;
    };
    for (const Size size : {Size{128, 128}, Size{129, 127}, Size{129, 128}, Size{16384, 1}, Size{1, 16385}}) {
        for (const Depth depth : {Depth{dtMonochrome, 2}, Depth{dt4bit, 11}, Depth{dt8bit, 20}, Depth{dt8bit, 40}}) {
            const Pixels pixels = Pattern(size.width, size.height, depth.colours);
            const TDeviceIndependentBitmap dib = MakeDIB(depth.format, size.width, size.height, pixels);
            for (const bool interlace : {false, true}) {
                SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + ", " +
                             std::to_string(depth.colours) + " colours" + (interlace ? ", interlaced" : ""));
                const Bytes gif = Write(dib, [&](TZUB_GIFCompressor &w) { w.Interlace = interlace; });
                const TheirStream theirs = Slurp(gif);
                ASSERT_EQ(theirs.Frames.size(), 1u);
                EXPECT_EQ(theirs.Frames[0].Colours, pixels);
            }
        }
    }
}

// A true-colour image whose colours all have a palette entry of their own keeps every pixel: the
// palette's exact colours survive the copies the writer makes of it. Colours one step apart in the
// cube were mapped to one entry when a copy lost them.
TEST(GifWriter, TrueColourImagesWhoseColoursAllFitKeepEveryPixel) {
    std::vector<Pixels> images = {{0x000000, 0x000008}, {0x000008, 0x000000}, {0x000400, 0x000000}};
    std::mt19937 random(2026);
    for (int n = 0; n < 24; ++n) {
        // Up to 256 distinct cell-aligned colours, the ones a 5-6-5 palette holds exactly.
        std::vector<uint32_t> colours;
        const int count = 2 + static_cast<int>(random() % 255);
        while (static_cast<int>(colours.size()) < count) {
            const uint32_t c = (random() & 0xF8FCF8u);
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
        }
        Pixels pixels;
        for (int i = 0; i < 40 * 30; ++i) pixels.push_back(colours[i < count ? i : random() % count]);
        images.push_back(pixels);
    }
    for (const bool interlace : {false, true}) {
        for (size_t k = 0; k < images.size(); ++k) {
            SCOPED_TRACE("image " + std::to_string(k) + (interlace ? ", interlaced" : ""));
            const Pixels &pixels = images[k];
            const int width = pixels.size() == 2 ? 2 : 40;
            const int height = static_cast<int>(pixels.size()) / width;
            const Bytes gif = Write(MakeDIB(dt24bit, width, height, pixels),
                                    [&](TZUB_GIFCompressor &w) { w.Interlace = interlace; });
            const TheirStream theirs = Slurp(gif);
            ASSERT_EQ(theirs.Frames.size(), 1u);
            EXPECT_EQ(theirs.Frames[0].Colours, pixels);
        }
    }
}

TEST(GifWriter, InterlacedImagesOfEveryShortHeight) {
    for (int height = 1; height <= 9; ++height) {
        SCOPED_TRACE("height " + std::to_string(height));
        const Pixels pixels = Pattern(3, height, 5);
        const Bytes gif =
            Write(MakeDIB(dt4bit, 3, height, pixels), [](TZUB_GIFCompressor &w) { w.Interlace = true; });
        const TheirStream theirs = Slurp(gif);
        ASSERT_EQ(theirs.Frames.size(), 1u);
        EXPECT_EQ(theirs.Frames[0].Colours, pixels);
    }
}

TEST(GifWriter, ManyColoursAreQuantisedAndDithered) {
    const int w = 64, h = 48;
    std::mt19937 random(7);
    Pixels noise(static_cast<size_t>(w) * h);
    for (uint32_t &c : noise) c = random() & 0xFFFFFF;
    const TDeviceIndependentBitmap dib = MakeDIB(dt24bit, w, h, noise);
    std::vector<Pixels> results;
    for (const bool interlace : {false, true}) {
        for (const bool dither : {false, true}) {
            const Bytes gif = Write(dib, [&](TZUB_GIFCompressor &writer) {
                writer.Interlace = interlace;
                writer.FSDither = dither;
            });
            const TheirStream theirs = Slurp(gif);
            ASSERT_EQ(theirs.Frames.size(), 1u);
            EXPECT_EQ(theirs.Frames[0].TableSize, 256);
            results.push_back(theirs.Frames[0].Colours);
            EXPECT_EQ(ReadAll(gif).Frames.at(0).Colours, results.back());
        }
    }
    // Without dithering each pixel takes its nearest entry, whatever the row order.
    EXPECT_EQ(results[0], results[2]);
    EXPECT_NE(results[0], results[1]);
    EXPECT_NE(results[2], results[3]);
}

TEST(GifWriter, ColourTablesAreSizedToTheirPowerOfTwo) {
    // 2 colours: size field 0, two entries, minimum code size 2.
    const Bytes two = Write(MakeDIB(dtMonochrome, 3, 1, {0x102030, 0x405060, 0x102030}));
    EXPECT_EQ(two[10], 0xF8);  // table, resolution 8, sort flag, size field 0
    EXPECT_EQ(two[11], 1);     // the background: the entry nearest to white
    EXPECT_EQ(Bytes(two.begin() + 13, two.begin() + 19), (Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60}));
    EXPECT_EQ(two[19], 0x21);  // the graphic control block follows at once
    EXPECT_EQ(two[19 + 8 + 10], 2);
    // 17 colours: 32 entries, the last 15 black.
    const Bytes seventeen = Write(MakeDIB(dt8bit, 17, 1, Pattern(17, 1, 17)));
    EXPECT_EQ(seventeen[10] & 7, 4);
    EXPECT_EQ(Bytes(seventeen.begin() + 13 + 17 * 3, seventeen.begin() + 13 + 32 * 3), Bytes(15 * 3, 0));
    EXPECT_EQ(Slurp(seventeen).Frames.at(0).TableSize, 32);
}

TEST(GifWriter, FramesWithTheirControlInformationAndLoop) {
    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    writer.GlobalFrame = {8, 6, true};
    writer.Comment = "made here";
    TDeviceIndependentBitmap first = MakeDIB(dt8bit, 8, 6, Pattern(8, 6, 4));
    first.Transparent = true;
    first.TransparentColour = TLogicalPalette::RGBToColor(ColourNumber(2) >> 16, ColourNumber(2) >> 8 & 0xFF,
                                                          ColourNumber(2) & 0xFF);
    const Pixels secondColours = {0xF80000, 0x00FC00, 0x0000F8, 0x080808, 0x101010, 0x181818};
    const TDeviceIndependentBitmap second = MakeDIB(dt24bit, 3, 2, secondColours);
    TGIFGraphicControlInfo firstInfo;
    firstInfo.DelayTime = 125;
    firstInfo.DisposalMethod = dmRestorePrevious;
    firstInfo.UserInput = true;
    TGIFGraphicControlInfo secondInfo;
    secondInfo.Origin = {4, 3};
    secondInfo.DelayTime = 2000;
    secondInfo.DisposalMethod = dmRestoreBackground;
    writer.WriteGIFGraphicToStream(stream, first, firstInfo);
    writer.WriteLoopControl(0);
    writer.WriteGIFGraphicToStream(stream, second, secondInfo);
    writer.CloseImageStream();
    const Bytes gif = stream.Bytes();

    const TheirStream theirs = Slurp(gif);
    EXPECT_EQ(theirs.Width, 8);
    EXPECT_EQ(theirs.Height, 6);
    EXPECT_EQ(theirs.LoopCount, 0);
    ASSERT_EQ(theirs.Frames.size(), 2u);
    EXPECT_EQ(theirs.Frames[0].DelayHundredths, 12);
    EXPECT_EQ(theirs.Frames[0].Disposal, 3);
    EXPECT_EQ(theirs.Frames[0].TransparentColour, ColourNumber(2));
    EXPECT_FALSE(theirs.Frames[0].LocalTable);
    EXPECT_TRUE(theirs.Frames[1].LocalTable);
    EXPECT_EQ(theirs.Frames[1].Left, 4);
    EXPECT_EQ(theirs.Frames[1].Top, 3);
    EXPECT_EQ(theirs.Frames[1].Colours, secondColours);

    const OurStream ours = ReadAll(gif);
    ASSERT_EQ(ours.Frames.size(), 2u);
    firstInfo.DelayTime = 120;
    EXPECT_EQ(ours.Frames[0].Info, firstInfo);
    EXPECT_EQ(ours.Frames[1].Info, secondInfo);
    EXPECT_EQ(ours.Comments, (std::vector<std::string>{"made here", "made here"}));
    EXPECT_EQ(ours.LoopCount, 0);
    if (Magick::Available()) {
        EXPECT_EQ(Magick().Identify(gif, "%T %W %H,"), "12 8 6,200 8 6,");
    }
}

TEST(GifWriter, Gif87aHasNoExtensionBlocks) {
    const TDeviceIndependentBitmap dib = MakeDIB(dt8bit, 4, 4, Pattern(4, 4, 5));
    const Bytes gif = Write(dib, [](TZUB_GIFCompressor &writer) {
        writer.SetGIFType(gt87a);
        writer.Comment = "not in 87a";
    });
    EXPECT_EQ(Bytes(gif.begin(), gif.begin() + 6), (Bytes{'G', 'I', 'F', '8', '7', 'a'}));
    EXPECT_EQ(Slurp(gif).ExtensionBlocks, 0);

    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    writer.SetGIFType(gt87a);
    writer.SetGlobalPalette(TLogicalPalette(dpGrayscale));
    writer.OpenImageStream(stream);
    TPlainText text;
    text.GridWidth = text.GridHeight = 8;
    const std::pair<std::function<void()>, std::string> refusals[] = {
        {[&] { writer.WriteGIFGraphic(text, {}); }, "A Plain Text block cannot be encoded under GIF 87a"},
        {[&] { writer.WriteComment("x"); }, "A Comment block cannot be encoded under GIF 87a"},
        {[&] { writer.WriteLoopControl(1); },
         "A Application Extension block cannot be encoded under GIF 87a"},
        {[&] { writer.SetGIFType(gt89a); }, "Cannot change the GIF type while writing a GIF Stream"},
    };
    for (const auto &[call, message] : refusals) {
        try {
            call();
            ADD_FAILURE() << message;
        } catch (const EGIFError &e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

TEST(GifWriter, PlainTextReadsBack) {
    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    TPlainText text;
    text.GridWidth = 40;
    text.GridHeight = 16;
    text.CellWidth = 8;
    text.CellHeight = 16;
    text.ForegroundColour = 0x000000;
    text.BackgroundColour = 0xFFFFFF;
    text.SetText(std::string(300, 'T'));
    TGIFGraphicControlInfo info;
    info.Origin = {3, 4};
    EXPECT_THROW(writer.WriteGIFGraphicToStream(stream, text, info), EGIFError);  // no global palette yet
    TLogicalPalette blackAndWhite;
    blackAndWhite.ReAlloc(2);
    blackAndWhite.SetCount(2);
    blackAndWhite.SetRed(1, 255);
    blackAndWhite.SetGreen(1, 255);
    blackAndWhite.SetBlue(1, 255);
    writer.SetGlobalPalette(blackAndWhite);
    writer.WriteGIFGraphic(text, info);
    writer.CloseImageStream();

    TZUB_GIFDecompressor reader;
    graphics::TMemoryStream input(stream.Bytes());
    std::unique_ptr<TZUBExtGraphic> graphic;
    TGIFGraphicControlInfo read;
    reader.ReadGIFGraphicFromStream(input, graphic, read);
    const auto *back = dynamic_cast<TPlainText *>(graphic.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(read.Origin, info.Origin);
    EXPECT_EQ(back->Text, text.Text);
    EXPECT_EQ(back->GridWidth, 40);
    EXPECT_EQ(back->CellHeight, 16);
    EXPECT_EQ(back->ForegroundColour, 0u);
    EXPECT_EQ(back->BackgroundColour, 0xFFFFFFu);
}

TEST(GifWriter, StreamsAndTheGlobalPalette) {
    const TDeviceIndependentBitmap dib = MakeDIB(dt8bit, 2, 1, {0x123456, 0x654321});
    graphics::TMemoryStream a, b;
    TZUB_GIFCompressor writer;
    writer.OpenImageStream(a);
    writer.OpenImageStream(a);  // the same stream: no second header
    writer.WriteDIBitmap(dib);
    EXPECT_EQ(writer.GlobalPalette().GetCount(), 2);
    writer.OpenImageStream(b);  // another stream: the first is closed with its trailer
    EXPECT_EQ(writer.GlobalPalette().GetCount(), 0);
    EXPECT_EQ(a.Bytes().back(), 0x3B);
    EXPECT_EQ(Slurp(a.Bytes()).Frames.size(), 1u);
    writer.RetainGlobalPalette = true;
    writer.WriteDIBitmap(dib);
    writer.CloseImageStream();
    EXPECT_EQ(writer.GlobalPalette().GetCount(), 2);
    EXPECT_EQ(Bytes(b.Bytes().begin(), b.Bytes().begin() + 6), (Bytes{'G', 'I', 'F', '8', '9', 'a'}));
    EXPECT_EQ(Slurp(b.Bytes()).Frames.at(0).Colours, (Pixels{0x123456, 0x654321}));
}

TEST(GifWriter, WhatAGifCannotHoldIsRefusedBeforeAnyImageByte) {
    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    writer.OpenImageStream(stream);
    EXPECT_THROW(writer.WriteDIBitmap(TDeviceIndependentBitmap(dt8bit, 70000, 1)), EGIFError);
    writer.ImageXOrigin = -1;
    EXPECT_THROW(writer.WriteDIBitmap(TDeviceIndependentBitmap(dt8bit, 2, 2)), EGIFError);
    EXPECT_EQ(stream.Size(), 6);
    struct Other : TZUBExtGraphic {
        int GetWidth() const override { return 1; }
        int GetHeight() const override { return 1; }
        std::unique_ptr<TZUBExtGraphic> Copy() const override { return std::make_unique<Other>(); }
    };
    EXPECT_THROW(writer.WriteGIFGraphic(Other(), {}), EGIFError);
}

TEST(GifWriter, AspectDelayAndProgress) {
    TDeviceIndependentBitmap dib = MakeDIB(dt24bit, 30, 40, Pattern(30, 40, 300));
    dib.SetAspectRatio(0.5);
    std::vector<int> reports;
    graphics::TMemoryStream stream;
    TZUB_GIFCompressor writer;
    writer.Interlace = true;
    writer.OnProgressReport = [&](TZUBGraphicsEngine &engine) { reports.push_back(engine.GetPercentDone()); };
    TGIFGraphicControlInfo info;
    info.DelayTime = 10'000'000;
    writer.WriteGIFGraphicToStream(stream, dib, info);
    writer.CloseImageStream();
    const Bytes &gif = stream.Bytes();
    EXPECT_EQ(gif[12], 17);  // trunc(0.5 x 64) - 15
    EXPECT_EQ(Slurp(gif).Frames.at(0).DelayHundredths, 0xFFFF);
    // Dithering and coding each count half; reports come in steps of at least 5.
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 100);
    for (size_t i = 1; i < reports.size(); ++i) EXPECT_GE(reports[i] - reports[i - 1], 5);
    EXPECT_GE(reports.size(), 15u);
}

}  // namespace
