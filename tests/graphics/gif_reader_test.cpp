// The GIF reader against giflib and ImageMagick, and on hostile streams.
#include "graphics/gif_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "gif_fixtures.h"
#include "graphics/errors.h"

using namespace gif_fixtures;

namespace {

const Pixels kFour = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

Bytes Ramp(int width, int height, int modulo) {
    Bytes indexes(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = static_cast<uint8_t>((i * 7 + i / width) % modulo);
    return indexes;
}

Pixels Lookup(const Bytes &indexes, const Pixels &table) {
    Pixels colours;
    for (const uint8_t i : indexes) colours.push_back(i < table.size() ? table[i] : 0);
    return colours;
}

// A one-image stream over a 4-colour global table.
Bytes OneImage(int width, int height, const Bytes &indexes, bool interlaced = false) {
    return Builder()
        .Screen(width, height, 2, kFour)
        .Image(0, 0, width, height, indexes, 0, {}, interlaced)
        .Trailer()
        .Get();
}

// Our frames against giflib's: geometry, timing, disposal, transparency and colours, and against
// ImageMagick's colours for frames without transparency.
void ExpectSameAsOracles(const Bytes &gif, Magick &magick) {
    const OurStream ours = ReadAll(gif);
    const TheirStream theirs = Slurp(gif);
    ASSERT_EQ(ours.Frames.size(), theirs.Frames.size());
    EXPECT_EQ(ours.LoopCount, std::max(theirs.LoopCount, 0));
    for (size_t i = 0; i < ours.Frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const OurFrame &our = ours.Frames[i];
        const TheirFrame &their = theirs.Frames[i];
        EXPECT_EQ(our.Info.Origin, (graphics::TPoint{their.Left, their.Top}));
        EXPECT_EQ(our.Width, their.Width);
        EXPECT_EQ(our.Height, their.Height);
        EXPECT_EQ(our.Info.DelayTime, their.DelayHundredths * 10);
        EXPECT_EQ(our.Info.DisposalMethod, their.Disposal);
        EXPECT_EQ(our.Colours, their.Colours);
        // Transparency stays in force until the next control block.
        if (their.HasControl) {
            EXPECT_EQ(our.Dib->Transparent, their.TransparentIndex >= 0);
        } else {
            EXPECT_EQ(our.Dib->Transparent, i > 0 && ours.Frames[i - 1].Dib->Transparent);
        }
        if (their.TransparentIndex >= 0) {
            uint8_t r, g, b;
            TLogicalPalette::ColorToRGB(our.Dib->TransparentColour, r, g, b);
            EXPECT_EQ(uint32_t{r} << 16 | uint32_t{g} << 8 | b, their.TransparentColour);
        } else if (!our.Dib->Transparent) {
            EXPECT_EQ(our.Colours, magick.Colours(gif, static_cast<int>(i)));
        }
    }
}

class ImageMagickFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Magick::Available()) GTEST_SKIP() << "ImageMagick is not installed";
    }
    Magick magick_;
};

TEST_F(ImageMagickFiles, StillAndAnimatedFilesReadAsGiflibAndImageMagickReadThem) {
    const char *const cases[] = {
        "-size 37x23 gradient:red-blue",
        "-size 37x23 gradient:red-blue -interlace GIF",
        "-size 17x5 pattern:gray50",
        "-size 40x30 plasma:fractal -colors 200",
        // Frames with their own tables, positions, delays, a loop count, a transparent frame,
        // disposal methods, and frames reaching past the logical screen.
        ("-delay 7 -loop 3 -page +0+0 -size 6x4 gradient:red-yellow -page +1+1 -size 5x3 gradient:blue-green "
         "-dispose Background -page +2+0 \\( -size 4x4 xc:none -fill red -draw 'rectangle 1,1 2,2' \\) "
         "-dispose Previous -delay 150 -page +3+2 -size 3x2 xc:purple"),
        ("-delay 20 -loop 0 -size 10x10 xc:white \\( -size 10x10 xc:none -fill blue -draw 'circle 5,5 5,2' "
         "\\) "
         "-interlace GIF"),
    };
    for (const char *arguments : cases) {
        SCOPED_TRACE(arguments);
        ExpectSameAsOracles(magick_.Make(arguments), magick_);
    }
}

TEST_F(ImageMagickFiles, InterlacedImagesOfEveryShortHeight) {
    for (int height = 1; height <= 9; ++height) {
        SCOPED_TRACE("height " + std::to_string(height));
        ExpectSameAsOracles(
            magick_.Make("-size 5x" + std::to_string(height) + " gradient:red-blue -interlace GIF"), magick_);
    }
}

TEST(GifReader, AFileBuiltByGiflibsTools) {
    if (std::system("gifbuild -h > /dev/null 2>&1") > 256) GTEST_SKIP() << "giflib's tools are not installed";
    Magick scratch;
    const Bytes gif = scratch.Gifbuild(R"(screen width 6
screen height 4
screen colors 4
screen background 1
screen map
	rgb 255 000 000 is 0
	rgb 000 255 000 is 1
	rgb 000 000 255 is 2
	rgb 255 255 255 is 3
end
netscape loop 5
comment
a comment from the tools
end
extension 99
some unknown data
end
graphics control
	disposal mode 2
	user input flag on
	delay 25
	transparent index 2
end
image # 1
image left 0
image top 0
image interlaced
image bits 6 by 4
012301
123012
230123
301230
image # 2
image left 1
image top 1
image map
	rgb 010 020 030 is 0
	rgb 040 050 060 is 1
end
image bits 3 by 2
010
101
)");
    const OurStream ours = ReadAll(gif);
    EXPECT_EQ(ours.LoopCount, 5);
    EXPECT_EQ(ours.Comments, std::vector<std::string>{"a comment from the tools"});
    EXPECT_EQ(ours.Warnings, std::vector<int>{4097});
    ASSERT_EQ(ours.Frames.size(), 2u);
    EXPECT_TRUE(ours.Frames[0].Info.UserInput);
    EXPECT_EQ(ours.Frames[0].Colours,
              Lookup({0, 1, 2, 3, 0, 1, 1, 2, 3, 0, 1, 2, 2, 3, 0, 1, 2, 3, 3, 0, 1, 2, 3, 0}, kFour));
    EXPECT_EQ(ours.Frames[1].Colours, (Pixels{0x0A141E, 0x28323C, 0x0A141E, 0x28323C, 0x0A141E, 0x28323C}));
    ExpectSameAsOracles(gif, scratch);
}

TEST(GifReader, InterlacedRowsLandInTheirPlaces) {
    for (int height = 1; height <= 17; ++height) {
        const Bytes indexes = Ramp(3, height, 4);
        const OurStream ours = ReadAll(OneImage(3, height, indexes, true));
        ASSERT_EQ(ours.Frames.size(), 1u);
        EXPECT_EQ(ours.Frames[0].Colours, Lookup(indexes, kFour)) << "height " << height;
    }
}

TEST(GifReader, ScreenDescriptorAndExtensionsAreRead) {
    TZUB_GIFDecompressor reader;
    std::vector<std::string> comments;
    std::vector<std::string> extensions;
    reader.OnComment = [&](TZUB_CustomGifDecompressor &, const char *text) { comments.emplace_back(text); };
    reader.OnAppExtension = [&](TZUB_CustomGifDecompressor &, const TAppID &id, const TAuthCode &code,
                                const uint8_t *data, int count) {
        extensions.push_back(id + "/" + code + "/" + std::string(data, data + count));
    };
    const std::string comment(300, 'c');
    const Bytes gif =
        Builder("GIF87a")
            .Screen(4, 2, 2, kFour, 2, 17)
            .Extension(0xFE, Bytes(comment.begin(), comment.end()))
            .Extension(0xFF, Bytes{'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 1, 0x34, 0x12}, 11)
            .Extension(0xFF, Bytes{'M', 'Y', 'A', 'P', 'P', 'L', 'I', 'C', 'A', 'B', 'C', 'x', 'y'}, 11)
            .Image(0, 0, 4, 2, Ramp(4, 2, 4))
            .Trailer()
            .Get();
    graphics::TMemoryStream stream(gif);
    reader.OpenImageStream(stream);
    EXPECT_EQ(reader.GetGIFType(), gt87a);
    EXPECT_EQ(reader.GetScreenWidth(), 4);
    EXPECT_EQ(reader.GetScreenHeight(), 2);
    EXPECT_EQ(reader.GetColourResolution(), 7);
    EXPECT_DOUBLE_EQ(reader.GetAspectRatio(), 0.5);     // (17 + 15) / 64
    EXPECT_EQ(reader.GetBackgroundColor(), 0xFF0000u);  // index 2 = blue, as a BGR colour value
    EXPECT_EQ(reader.GetLoopCount(), 0x1234);
    EXPECT_EQ(comments, std::vector<std::string>{comment});
    EXPECT_EQ(extensions, std::vector<std::string>{"MYAPPLIC/ABC/xy"});
    EXPECT_FALSE(reader.GetEOF());
    const auto dib = reader.ReadDIBitmap(dt24bit);
    ASSERT_TRUE(dib);
    EXPECT_DOUBLE_EQ(dib->GetAspectRatio(), 0.5);
    EXPECT_TRUE(reader.GetEOF());
    EXPECT_EQ(reader.ReadDIBitmap(dt24bit), nullptr);
}

TEST(GifReader, GraphicControlTimingDisposalAndTransparency) {
    const Bytes gif = Builder()
                          .Screen(2, 1, 2, kFour)
                          .Control(2, 12, 1, true)
                          .Image(0, 0, 2, 1, {0, 1})
                          .Image(0, 0, 2, 1, {1, 2})  // no control block: timing resets, transparency stays
                          .Control(5, 0, 9)           // undefined disposal, index beyond the table
                          .Image(0, 0, 2, 1, {2, 3})
                          .Control(1, 3)
                          .Image(0, 0, 2, 1, {3, 0})
                          .Trailer()
                          .Get();
    const OurStream ours = ReadAll(gif);
    ASSERT_EQ(ours.Frames.size(), 4u);
    TGIFGraphicControlInfo first;
    first.DisposalMethod = dmRestoreBackground;
    first.UserInput = true;
    first.DelayTime = 120;
    EXPECT_EQ(ours.Frames[0].Info, first);
    EXPECT_EQ(ours.Frames[1].Info, TGIFGraphicControlInfo{});
    EXPECT_EQ(ours.Frames[2].Info.DisposalMethod, dmNone);
    EXPECT_EQ(ours.Frames[3].Info.DelayTime, 30);
    const uint32_t green = 0x00FF00;  // index 1; colour values are BGR, green sits in the middle
    EXPECT_TRUE(ours.Frames[0].Dib->Transparent);
    EXPECT_EQ(ours.Frames[0].Dib->TransparentColour, green);
    EXPECT_TRUE(ours.Frames[1].Dib->Transparent);
    EXPECT_EQ(ours.Frames[1].Dib->TransparentColour, green);
    EXPECT_TRUE(ours.Frames[2].Dib->Transparent);
    EXPECT_EQ(ours.Frames[2].Dib->TransparentColour, 0xFFFFFFu);
    EXPECT_FALSE(ours.Frames[3].Dib->Transparent);
}

TEST(GifReader, MissingOrShortColourTablesAndStrayIndexes) {
    // No table at all: the default colours. A 4-entry table and indexes up to 255: black beyond it.
    const OurStream bare = ReadAll(Builder().Screen(3, 1, 0).Image(0, 0, 3, 1, {0, 13, 7}).Trailer().Get());
    EXPECT_EQ(bare.Frames.at(0).Colours, (Pixels{0x000000, 0xFF0000, 0xC0C0C0}));
    const OurStream stray = ReadAll(OneImage(3, 1, {3, 4, 200}));
    EXPECT_EQ(stray.Frames.at(0).Colours, (Pixels{0xFFFFFF, 0, 0}));
    EXPECT_EQ(stray.Frames.at(0).Dib->GetDIBType(), dt8bit);  // deep enough for code size 8
    const OurStream local = ReadAll(
        Builder().Screen(2, 1, 2, kFour).Image(0, 0, 2, 1, {0, 1}, 1, {0x123456, 0xABCDEF}).Trailer().Get());
    EXPECT_EQ(local.Frames.at(0).Colours, (Pixels{0x123456, 0xABCDEF}));
}

TEST(GifReader, WarningsAndSkippedBlocks) {
    Bytes gif =
        Builder()
            .Screen(2, 1, 2, kFour)
            .Extension(0x99, {1, 2, 3})                                   // unknown extension
            .Extension(0xFF, {'S', 'H', 'O', 'R', 'T'})                   // application block without header
            .Raw({0x21, 0x01, 11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0})  // plain text of the wrong size
            .Image(0, 0, 2, 1, {1, 2})
            .Trailer()
            .Get();
    gif[5] = '0';  // "GIF890"
    const OurStream ours = ReadAll(gif);
    EXPECT_EQ(ours.Warnings, (std::vector<int>{4096, 4097, 4099, 4098}));
    ASSERT_EQ(ours.Frames.size(), 1u);
    EXPECT_EQ(ours.Frames[0].Colours, (Pixels{0x00FF00, 0x0000FF}));
}

TEST(GifReader, PlainTextBlocks) {
    const Bytes gif =
        Builder()
            .Screen(20, 10, 2, kFour)
            .Raw({0x21, 0x01, 12, 2, 0, 3, 0, 8, 0, 4, 0, 4, 4, 2, 1, 5, 'H', 'e', 'l', 'l', 'o', 0})
            .Image(0, 0, 2, 1, {1, 2})
            .Trailer()
            .Get();
    const OurStream ours = ReadAll(gif);
    ASSERT_EQ(ours.Frames.size(), 2u);
    EXPECT_EQ(ours.Frames[0].Info.Origin, (graphics::TPoint{2, 3}));
    EXPECT_EQ(ours.Frames[0].Width, 8);
    EXPECT_EQ(ours.Frames[0].Height, 4);

    TZUB_GIFDecompressor reader;
    graphics::TMemoryStream stream(gif);
    reader.OpenImageStream(stream);
    std::unique_ptr<TZUBExtGraphic> graphic;
    TGIFGraphicControlInfo info;
    reader.ReadGIFGraphicFromStream(stream, graphic, info);
    const auto *text = dynamic_cast<TPlainText *>(graphic.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, "Hello");
    EXPECT_EQ(text->ForegroundColour, 0xFF0000u);  // index 2 (blue) as a BGR colour value
    EXPECT_EQ(text->BackgroundColour, 0x00FF00u);
    // As a bitmap: the grid's size in the text's background colour.
    reader.CloseImageStream();
    graphics::TMemoryStream again(gif);
    const auto dib = reader.ReadDIBitmapFromStream(again, dt8bit);
    ASSERT_TRUE(dib);
    EXPECT_EQ(ColoursOf(*dib), Pixels(32, 0x00FF00));
}

TEST(GifReader, FramesOnTheLogicalScreen) {
    const Pixels table = {0x000000, 0x111111, 0x222222, 0x333333};
    // Background index 3. Frames inside, reaching past the right and bottom edges, and wholly outside.
    const Bytes gif = Builder()
                          .Screen(4, 3, 2, table, 3)
                          .Image(1, 1, 2, 2, {0, 1, 2, 0})
                          .Image(3, 2, 3, 2, {1, 2, 0, 0, 0, 0})
                          .Image(9, 9, 1, 1, {0})
                          .Trailer()
                          .Get();
    const OurStream ours = ReadAll(gif, true);
    ASSERT_EQ(ours.Frames.size(), 3u);
    const uint32_t b = 0x333333;
    EXPECT_EQ(ours.Frames[0].Colours, (Pixels{b, b, b, b, b, 0, 0x111111, b, b, 0x222222, 0, b}));
    EXPECT_EQ(ours.Frames[1].Colours, (Pixels{b, b, b, b, b, b, b, b, b, b, b, 0x111111}));
    EXPECT_EQ(ours.Frames[2].Colours, Pixels(12, b));
    // A screen without area frames nothing.
    const OurStream bare =
        ReadAll(Builder().Screen(0, 0, 2, table).Image(5, 5, 2, 1, {1, 2}).Trailer().Get(), true);
    EXPECT_EQ(bare.Frames.at(0).Colours, (Pixels{0x111111, 0x222222}));
}

TEST(GifReader, AMissingTrailerLosesNoImage) {
    Bytes gif = Builder().Screen(2, 1, 2, kFour).Image(0, 0, 2, 1, {0, 1}).Image(0, 0, 2, 1, {2, 3}).Get();
    EXPECT_EQ(ReadAll(gif).Frames.size(), 2u);
}

TEST(GifReader, AnErrorAfterACompleteImageComesWithTheNextRead) {
    const Bytes good = Builder().Screen(2, 1, 2, kFour).Image(0, 0, 2, 1, {0, 1}).Get();
    const std::vector<std::pair<Bytes, std::string>> tails = {
        {{0x21, 0xF9, 0x05, 0, 0, 0, 0, 0, 0}, "Illegal Graphic control block size"},
        {{0x21, 0xFE, 10, 'a'}, "Unexpected end of input stream"},
        {{0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0}, "Unexpected end of image"},
    };
    for (const auto &[tail, message] : tails) {
        SCOPED_TRACE(message);
        Bytes gif = good;
        gif.insert(gif.end(), tail.begin(), tail.end());
        TZUB_GIFDecompressor reader;
        graphics::TMemoryStream stream(gif);
        reader.OpenImageStream(stream);
        const auto first = reader.ReadDIBitmap(dt8bit);
        ASSERT_TRUE(first);
        EXPECT_EQ(ColoursOf(*first), (Pixels{0xFF0000, 0x00FF00}));
        EXPECT_FALSE(reader.GetEOF());
        try {
            reader.ReadDIBitmap(dt8bit);
            ADD_FAILURE() << "no error";
        } catch (const Exception &e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_TRUE(reader.GetEOF());
    }
}

TEST(GifReader, BadStreamsEndWithAClearError) {
    const Bytes screen = Builder().Screen(2, 2, 2, kFour).Get();
    auto with = [&](const Bytes &tail) {
        Bytes gif = screen;
        gif.insert(gif.end(), tail.begin(), tail.end());
        return gif;
    };
    const Bytes descriptor2x2 = {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0};
    auto image = [&](const Bytes &data) {
        Bytes tail = descriptor2x2;
        tail.insert(tail.end(), data.begin(), data.end());
        return with(tail);
    };
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {{}, "Not a GIF Image stream"},
        {{'P', 'N', 'G', '8', '9', 'a'}, "Not a GIF Image stream"},
        {{'G', 'I', 'F', '8'}, "Unexpected end of input stream"},
        {{'G', 'I', 'F', '8', '9', 'a', 2, 0, 2}, "Unexpected end of input stream"},
        {with({0x21, 0xF9, 0x04, 0, 0, 0, 0, 7}), "Block Terminator Expected but none found"},
        {with({0x21, 0xF9, 0x03, 0, 0, 0, 0}), "Illegal Graphic control block size"},
        {with({0x21, 0x99, 200, 1, 2}), "Unexpected end of input stream"},
        {with({0x2C, 0, 0, 0, 0, 0, 0, 2, 0, 0, 2, 0}), "Invalid image size"},
        {with({0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 2, 0}), "Image too large"},
        {with({0x21, 0x01, 12, 0, 0, 0, 0, 0, 0, 9, 0, 8, 8, 0, 0, 0}), "Invalid image size"},
        {image({0}), "Unsupported Minimum Code Size - 0"},
        {image({9}), "Unsupported Minimum Code Size - 9"},
        {image({12}), "Unsupported Minimum Code Size - 12"},
        {image({}), "Unexpected end of input stream"},
        {image({2, 1, 0x04, 0}), "Unexpected end of input stream"},        // no end code
        {image({2, 2, 0x44, 0x01, 0}), "Unexpected end of image"},         // end code after one pixel
        {image({2, 2, 0x3C, 0x00, 0}), "Undefined symbol in LZW stream"},  // clear, then code 7
        {image({2, 200, 0x04}), "Unexpected end of input stream"},         // sub-block cut short
    };
    for (const auto &[gif, message] : cases) {
        SCOPED_TRACE(message);
        try {
            ReadAll(gif);
            ADD_FAILURE() << "no error";
        } catch (const Exception &e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

TEST(GifReader, ThePixelBudgetBoundsTheScreenAndTheImage) {
    const Bytes gif = Builder().Screen(300, 300, 2, kFour).Image(0, 0, 2, 1, {0, 1}).Trailer().Get();
    TZUB_GIFDecompressor reader;
    reader.PixelBudget = 1000;
    graphics::TMemoryStream stream(gif);
    EXPECT_TRUE(reader.ReadDIBitmapFromStream(stream, dt8bit));
    reader.CloseImageStream();
    reader.UseGlobalFrame = true;
    graphics::TMemoryStream again(gif);
    EXPECT_THROW(reader.ReadDIBitmapFromStream(again, dt8bit), EGIFError);
}

}  // namespace
