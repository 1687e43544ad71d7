// Bitmap blocks and the row iterators of every depth.
#include "graphics/dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "coder_util.h"
#include "graphics/dib_iterators.h"
#include "graphics/dither.h"
#include "graphics/errors.h"

namespace {

using RGB = std::array<uint8_t, 3>;

TDIBMappedWriter &Mapped(std::unique_ptr<TDIBWriter> &writer) {
    return dynamic_cast<TDIBMappedWriter &>(*writer);
}

std::vector<RGB> ReadRow(TDIBReader &reader) {
    std::vector<RGB> row;
    RGB c;
    while (reader.GetNextPixel(c[0], c[1], c[2])) row.push_back(c);
    return row;
}

std::vector<RGB> AllPixels(const TDeviceIndependentBitmap &dib) {
    std::vector<RGB> pixels;
    auto reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        const auto row = ReadRow(*reader);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    return pixels;
}

std::vector<TColourIndex> ReadIndexes(TDIBMappedReader &reader) {
    std::vector<TColourIndex> row;
    TColourIndex i;
    while (reader.GetNextColourIndex(i)) row.push_back(i);
    return row;
}

TEST(Dib, BlockSizes) {
    EXPECT_EQ(TDeviceIndependentBitmap::CalcDIBSize(dt24bit, 3, 2), 24);
    EXPECT_EQ(TDeviceIndependentBitmap::CalcDIBSize(dtMonochrome, 3, 2), 8);
    EXPECT_EQ(TDeviceIndependentBitmap::CalcDIBSize(dt4bit, 3, 2), 8);
    EXPECT_EQ(TDeviceIndependentBitmap::CalcDIBSize(dt32bit, 65535, 65535), int64_t{65535} * 65535 * 4);
    const int infoSizes[] = {48, 104, 1064, 40, 40, 40};
    for (int f = dtMonochrome; f <= dt32bit; ++f) {
        EXPECT_EQ(TDeviceIndependentBitmap::GetBitmapInfoSize(static_cast<TDIBFormat>(f)), infoSizes[f]);
        EXPECT_EQ(TDeviceIndependentBitmap(static_cast<TDIBFormat>(f), 3, 2).GetInfoSize(), infoSizes[f]);
    }
    graphics::TMemoryStream file;
    TDeviceIndependentBitmap(dt8bit, 2, 2).SaveToStream(file);
    ASSERT_EQ(file.Size(), 1086);
    EXPECT_EQ(file.Bytes()[10] | file.Bytes()[11] << 8, 1078);
}

TEST(Dib, SizesOfZeroOrBeyondTheBudgetAreRejected) {
    const int sizes[][2] = {{0, 5}, {5, 0}, {-3, 5}, {65535, 65535}, {8193, 8192}};
    for (const auto &s : sizes) {
        SCOPED_TRACE(std::to_string(s[0]) + " x " + std::to_string(s[1]));
        EXPECT_THROW(TDeviceIndependentBitmap(dt8bit, s[0], s[1]), EDIBError);
    }
    EXPECT_NO_THROW(TDeviceIndependentBitmap(dtMonochrome, 8192, 8192));
}

TEST(Dib, ResetVisitsEveryStepthRow) {
    // Rows hold their displayed index; bottom-up and top-down bitmaps read alike.
    for (int sign : {1, -1}) {
        TDeviceIndependentBitmap dib(dt8bit, 1, 20 * sign);
        auto writer = dib.GetWriter();
        for (int y = 0; !writer->EndOfImage(); ++y, writer->NextRow()) Mapped(writer).SetNextIndex(y);
        // The first displayed row sits at the end of a bottom-up block.
        EXPECT_EQ(dib.PixelRows()[sign > 0 ? 19 * 4 : 0], 0);

        auto reader = dib.GetReader();
        auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
        const struct {
            int first, step;
            std::vector<TColourIndex> rows;
        } cases[] = {{3, 8, {3, 11, 19}}, {0, 8, {0, 8, 16}}, {4, 8, {4, 12}}, {19, 1, {19}}, {20, 1, {}}};
        for (const auto &c : cases) {
            std::vector<TColourIndex> rows;
            for (mapped.Reset(c.first, c.step); !mapped.EndOfImage(); mapped.NextRow()) {
                const auto row = ReadIndexes(mapped);
                rows.insert(rows.end(), row.begin(), row.end());
            }
            EXPECT_EQ(rows, c.rows) << c.first << "/" << c.step;
        }
    }
}

TEST(Dib, InterlacePassesOfShortImagesEnd) {
    // A pass that has no rows in a short image ends at once instead of walking off the block.
    for (int height = 1; height <= 9; ++height) {
        TDeviceIndependentBitmap dib(dt8bit, 3, height);
        auto writer = dib.GetWriter();
        std::vector<int> visited(height, 0);
        int y = 0;
        const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (const auto &pass : passes) {
            for (writer->Reset(pass[0], pass[1]); !writer->EndOfImage(); writer->NextRow()) {
                while (Mapped(writer).SetNextIndex(static_cast<TColourIndex>(y))) {
                }
                ++y;
            }
        }
        EXPECT_EQ(y, height);
        const auto indexes = coder_util::IndexesOf(dib);
        for (int row = 0; row < height; ++row) ++visited[indexes[static_cast<size_t>(row) * 3]];
        EXPECT_EQ(visited, std::vector<int>(height, 1)) << "height " << height;
    }
}

TEST(Dib, PixelsRoundTripAtEveryDepth) {
    const std::vector<RGB> colours = {{0, 0, 0}, {248, 0, 8}, {16, 248, 128}, {248, 248, 248}, {88, 40, 200}};
    for (int f = dt16bit; f <= dt32bit; ++f) {
        SCOPED_TRACE(f);
        for (int sign : {1, -1}) {
            TDeviceIndependentBitmap dib(static_cast<TDIBFormat>(f), 5, 3 * sign);
            auto writer = dib.GetWriter();
            for (int y = 0; !writer->EndOfImage(); ++y, writer->NextRow()) {
                for (int x = 0; x < 5; ++x) {
                    const RGB &c = colours[(x + y) % 5];
                    ASSERT_TRUE(writer->SetNextPixel(c[0], c[1], c[2]));
                }
                EXPECT_FALSE(writer->SetNextPixel(1, 2, 3));  // the row is full
            }
            const auto pixels = AllPixels(dib);
            for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(pixels[i], colours[(i % 5 + i / 5) % 5]);
        }
    }
    for (int f = dtMonochrome; f <= dt8bit; ++f) {
        SCOPED_TRACE(f);
        const int count = 1 << TDeviceIndependentBitmap::BitsPerPixel(static_cast<TDIBFormat>(f));
        std::vector<uint8_t> indexes(13 * 4);
        for (size_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<uint8_t>((i * 7) % count);
        EXPECT_EQ(coder_util::IndexesOf(coder_util::IndexedDIB(static_cast<TDIBFormat>(f), 13, 4, indexes)),
                  indexes);
    }
}

TEST(Dib, MaskedPixelLayout) {
    TDeviceIndependentBitmap dib16(dt16bit, 1, 1);
    dib16.PixelRows()[0] = 0xFF;
    dib16.PixelRows()[1] = 0x7F;
    EXPECT_EQ(AllPixels(dib16), (std::vector<RGB>{{248, 248, 248}}));
    dib16.GetWriter()->SetNextPixel(255, 0, 8);
    EXPECT_EQ(dib16.PixelRows()[0] | dib16.PixelRows()[1] << 8, 0x7C01);

    TDeviceIndependentBitmap dib32(dt32bit, 1, 1);
    dib32.GetWriter()->SetNextPixel(1, 2, 3);
    EXPECT_EQ(std::vector<uint8_t>(dib32.PixelRows(), dib32.PixelRows() + 4),
              (std::vector<uint8_t>{3, 2, 1, 0}));
}

TEST(Dib, MonochromeRowForwardsAndBackwards) {
    const std::vector<TColourIndex> row = {1, 0, 1, 1, 0, 0, 0, 0, 1, 1};
    TDeviceIndependentBitmap dib(dtMonochrome, 10, 1);
    auto writer = dib.GetWriter();
    for (TColourIndex i : row) Mapped(writer).SetNextIndex(i);
    writer->NextRow();
    EXPECT_EQ(dib.PixelRows()[0], 0xB0);
    EXPECT_EQ(dib.PixelRows()[1], 0xC0);
    auto reader = dib.GetReader();
    reader->SetBackwardsScan(true);
    EXPECT_EQ(ReadIndexes(dynamic_cast<TDIBMappedReader &>(*reader)),
              std::vector<TColourIndex>(row.rbegin(), row.rend()));
}

TEST(Dib, RunsOfIndexesMatchSinglePixels) {
    // Runs written and read at once, in pieces of every parity, clipped at odd and even columns,
    // forwards and backwards, give the bytes and indexes that one pixel at a time gives.
    struct Clip {
        int left, right;
    };
    for (TDIBFormat format : {dtMonochrome, dt4bit, dt8bit}) {
        for (const Clip clip : {Clip{0, 16}, Clip{1, 16}, Clip{3, 12}, Clip{2, 9}}) {
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(std::to_string(format) + " clip " + std::to_string(clip.left) + "-" +
                             std::to_string(clip.right) + (backwards ? " backwards" : ""));
                const int mask = format == dtMonochrome ? 1 : 15;
                std::vector<TColourIndex> values(17);
                for (size_t i = 0; i < values.size(); ++i)
                    values[i] = static_cast<TColourIndex>((i * 7 + 3) & mask);
                TDeviceIndependentBitmap single =
                    coder_util::IndexedDIB(format, 17, 1, std::vector<uint8_t>(17, 1));
                TDeviceIndependentBitmap runs(single);
                auto one = single.GetWriter(), many = runs.GetWriter();
                for (auto *writer : {one.get(), many.get()}) {
                    writer->SetClipRect(clip.left, 0, clip.right, 0);
                    writer->SetBackwardsScan(backwards);
                }
                for (TColourIndex v : values) Mapped(one).SetNextIndex(v);
                for (size_t at = 0, piece = 1; at < values.size(); at += piece, piece = piece % 4 + 1) {
                    const int wanted = static_cast<int>(std::min(piece, values.size() - at));
                    Mapped(many).SetNextIndexes(values.data() + at, wanted);
                }
                one->NextRow();
                many->NextRow();
                const int rowBytes = (17 * TDeviceIndependentBitmap::BitsPerPixel(format) + 31) / 32 * 4;
                EXPECT_EQ(std::vector<uint8_t>(runs.PixelRows(), runs.PixelRows() + rowBytes),
                          std::vector<uint8_t>(single.PixelRows(), single.PixelRows() + rowBytes));

                auto reader = runs.GetReader();
                reader->SetClipRect(clip.left, 0, clip.right, 0);
                reader->SetBackwardsScan(backwards);
                auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
                std::vector<TColourIndex> read(17),
                    expected(values.begin(), values.begin() + (clip.right - clip.left + 1));
                int got = 0;
                for (int piece = 1; got < 17; piece = piece % 4 + 1) {
                    const int n = mapped.GetNextColourIndexes(read.data() + got, piece);
                    if (n == 0) break;
                    got += n;
                }
                read.resize(got);
                EXPECT_EQ(read, expected);
            }
        }
    }
}

TEST(Dib, ClippingRectangle) {
    TDeviceIndependentBitmap dib(dt4bit, 10, 10);
    auto writer = dib.GetWriter();
    writer->SetClipRect(-5, -5, 1000, 1000);
    EXPECT_EQ(writer->GetWidth(), 10);
    EXPECT_EQ(writer->GetHeight(), 10);
    try {
        writer->SetClipRect(5, 0, 4, 9);
        FAIL() << "no error";
    } catch (const EScanError &e) {
        EXPECT_STREQ(e.what(), "Invalid Clipping rectangle");
    }
}

TEST(Dib, ClippedWritesKeepTheirNeighbours) {
    // Pixels that share a byte with a clipped area keep their indexes, at 1 and 4 bits.
    for (TDIBFormat format : {dtMonochrome, dt4bit, dt8bit}) {
        SCOPED_TRACE(format);
        TDeviceIndependentBitmap dib = coder_util::IndexedDIB(format, 12, 3, std::vector<uint8_t>(36, 1));
        auto writer = dib.GetWriter();
        writer->SetClipRect(3, 1, 6, 1);
        while (Mapped(writer).SetNextIndex(0)) {
        }
        writer->NextRow();
        std::vector<uint8_t> expected(36, 1);
        for (int x = 3; x <= 6; ++x) expected[12 + x] = 0;
        EXPECT_EQ(coder_util::IndexesOf(dib), expected);

        // A clipped row read backwards runs from the clip's right edge to its left edge.
        std::vector<uint8_t> ramp(36);
        for (int i = 0; i < 36; ++i) ramp[i] = static_cast<uint8_t>(i % 12 < 2 ? 0 : 1);
        TDeviceIndependentBitmap stripes = coder_util::IndexedDIB(format, 12, 3, ramp);
        auto reader = stripes.GetReader();
        reader->SetClipRect(1, 0, 4, 0);
        reader->SetBackwardsScan(true);
        EXPECT_EQ(ReadIndexes(dynamic_cast<TDIBMappedReader &>(*reader)),
                  (std::vector<TColourIndex>{1, 1, 1, 0}));
    }
}

TEST(Dib, IndexesBeyondTheColourTableReadAsBlack) {
    TDeviceIndependentBitmap dib(dt8bit, 2, 1);
    TLogicalPalette two;
    two.ReAlloc(2);
    two.SetCount(2);
    two.SetRed(0, 10);
    two.SetRed(1, 20);
    dib.SetColourTable(two);
    EXPECT_EQ(dib.GetInfoSize(), 48);
    auto writer = dib.GetWriter();
    Mapped(writer).SetNextIndex(1);
    Mapped(writer).SetNextIndex(200);
    EXPECT_EQ(AllPixels(dib), (std::vector<RGB>{{20, 0, 0}, {0, 0, 0}}));
}

TEST(Dib, CopiesCheckTheirShapes) {
    TDeviceIndependentBitmap a(dt24bit, 4, 3), narrow(dt24bit, 3, 3), shorter(dt24bit, 4, 2);
    auto writer = a.GetWriter();
    auto reader = narrow.GetReader();
    try {
        writer->SetRowFrom(*reader);
        FAIL() << "no error";
    } catch (const EScanError &e) {
        EXPECT_STREQ(e.what(), "Cannot Set a Row from a DIB with a different number of coloums");
    }
    try {
        writer->CopyDIB(shorter);
        FAIL() << "no error";
    } catch (const EScanError &e) {
        EXPECT_STREQ(e.what(), "Cannot copy DIBs with different numbers of rows");
    }
}

TEST(Dib, ConversionBetweenDepths) {
    // A 24-bit image of four colours converts to every depth and back without change (a colour
    // alone in its cell of the quantiser's cube comes back as the cell's lower corner).
    TDeviceIndependentBitmap source(dt24bit, 9, 5);
    const std::vector<RGB> colours = {{0, 0, 0}, {248, 252, 248}, {200, 16, 40}, {8, 100, 248}};
    auto writer = source.GetWriter();
    for (int y = 0; !writer->EndOfImage(); ++y, writer->NextRow()) {
        for (int x = 0; x < 9; ++x)
            writer->SetNextPixel(colours[(x * y) % 4][0], colours[(x * y) % 4][1], colours[(x * y) % 4][2]);
    }
    const auto pixels = AllPixels(source);
    for (TDIBFormat format : {dt4bit, dt8bit, dt24bit, dt32bit}) {
        SCOPED_TRACE(format);
        TDeviceIndependentBitmap converted(source, format, nullptr, &TFSDitherer::Create);
        EXPECT_EQ(converted.GetDIBType(), format);
        EXPECT_EQ(AllPixels(converted), pixels);
    }
    // Without a palette a 1-bit target gets one that its two-entry colour table can hold.
    TDeviceIndependentBitmap mono(source, dtMonochrome, nullptr, nullptr);
    EXPECT_EQ(mono.GetNumColours(), 2);
    // A given palette larger than the target's table cannot be stored with it.
    TLogicalPalette grey(dpGrayscale);
    EXPECT_THROW(TDeviceIndependentBitmap(source, dt4bit, &grey, nullptr), EDIBError);
}

}  // namespace
