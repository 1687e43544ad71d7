// The LZW coder against giflib in both directions, and its exact output on small cases.
#include "graphics/lzw.h"

#include <gtest/gtest.h>

#include "coder_util.h"
#include "gif_oracle.h"
#include "graphics/errors.h"
#include "test_images.h"

namespace {

using coder_util::Decode;
using coder_util::Encode;

struct ImageCase {
    const char *name;
    TDIBFormat format;
    int bits;  // bits of the colour table giflib is given
    int width;
    int height;
    std::vector<uint8_t> indexes;
};

std::vector<ImageCase> ImageCases() {
    return {
        {"one pixel", dtMonochrome, 1, 1, 1, {1}},
        {"monochrome noise", dtMonochrome, 1, 37, 29, test_images::Noise(37, 29, 1)},
        {"16 colours noise", dt4bit, 4, 64, 50, test_images::Noise(64, 50, 4)},
        {"flat 8 bit", dt8bit, 8, 300, 200, test_images::Flat(300, 200)},
        {"photo-like", dt8bit, 8, 257, 190, test_images::PhotoLike(257, 190)},
        // Enough distinct strings for several dictionary restarts.
        {"256 colours noise", dt8bit, 8, 211, 173, test_images::Noise(211, 173, 8)},
        {"single column", dt8bit, 8, 1, 700, test_images::Noise(1, 700, 3)},
        {"runs of a few colours", dt8bit, 8, 173, 601, test_images::Runs(173, 601)},
        {"16 colours runs", dt4bit, 4, 97, 300, test_images::Runs(97, 300, 2)},
    };
}

TEST(LzwCoder, GiflibDecodesOurDataAndWeDecodeGiflibs) {
    for (const ImageCase &c : ImageCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> ours = Encode(c.format, c.width, c.height, c.indexes);
        EXPECT_EQ(gif_oracle::Decode(gif_oracle::WrapImageData(c.width, c.height, c.bits, ours)), c.indexes);
        EXPECT_EQ(Decode(c.format, c.width, c.height, ours), c.indexes);

        const std::vector<uint8_t> theirs =
            gif_oracle::ImageDataOf(gif_oracle::Encode(c.width, c.height, c.bits, c.indexes), c.bits);
        EXPECT_EQ(Decode(c.format, c.width, c.height, theirs), c.indexes);
    }
}

TEST(LzwCoder, SmallImageGivesExactCodes) {
    // Monochrome: code size 2, clear 4, pixel 1, end 5, each 3 bits wide, packed LSB first.
    EXPECT_EQ(Encode(dtMonochrome, 1, 1, {1}), (std::vector<uint8_t>{2, 2, 0x4C, 0x01, 0}));
    // The first code size byte follows the depth.
    EXPECT_EQ(Encode(dt4bit, 1, 1, {3}).front(), 4);
    EXPECT_EQ(Encode(dt8bit, 1, 1, {3}).front(), 8);
}

TEST(LzwCoder, StringsCarryAcrossRows) {
    // Two rows of one colour code exactly as the single row of all their pixels.
    EXPECT_EQ(Encode(dt8bit, 40, 2, test_images::Flat(40, 2)),
              Encode(dt8bit, 80, 1, test_images::Flat(80, 1)));
    const auto noise = test_images::Noise(90, 1, 8);
    std::vector<uint8_t> split = Encode(dt8bit, 45, 2, noise);
    EXPECT_EQ(split, Encode(dt8bit, 90, 1, noise));
    // Runs cut by row ends at every place, through dictionary restarts.
    const auto runs = test_images::Runs(6000, 20);
    const std::vector<uint8_t> single = Encode(dt8bit, 120000, 1, runs);
    for (int width : {1, 3, 64, 125, 1000}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(Encode(dt8bit, width, 120000 / width, runs), single);
    }
}

TEST(LzwCoder, FullSubBlocksCarryTheirLastByte) {
    const auto noise = test_images::Noise(128, 128, 8);
    const std::vector<uint8_t> data = Encode(dt8bit, 128, 128, noise);
    // Every sub-block but the last is full, and the data ends with the terminator.
    size_t at = 1, blocks = 0;
    while (data[at] != 0) {
        if (at + data[at] + 1 < data.size() - 1) {
            EXPECT_EQ(data[at], 255);
        }
        at += data[at] + 1;
        ++blocks;
    }
    EXPECT_EQ(at, data.size() - 1);
    EXPECT_GT(blocks, 10u);
    EXPECT_EQ(Decode(dt8bit, 128, 128, data), noise);
}

TEST(LzwCoder, InterlacedRowOrderRoundTrips) {
    // The GIF writer feeds the four interlace passes; the reader fills them in the same order.
    const int width = 23, height = 13;
    const auto pixels = test_images::PhotoLike(width, height);
    TDeviceIndependentBitmap source = coder_util::IndexedDIB(dt8bit, width, height, pixels);
    const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    graphics::TMemoryStream stream;
    {
        TZUB_LZWCompressor coder(stream, dt8bit);
        auto reader = source.GetReader();
        auto &mapped = dynamic_cast<TDIBMappedReader &>(*reader);
        for (const auto &pass : passes) {
            for (mapped.Reset(pass[0], pass[1]); !mapped.EndOfImage(); mapped.NextRow())
                coder.WriteRow(mapped);
        }
    }
    TDeviceIndependentBitmap target(dt8bit, width, -height);
    stream.Seek(0, graphics::TSeekOrigin::soBeginning);
    {
        TZUB_LZWDecompressor coder(stream);
        auto writer = target.GetWriter();
        auto &mapped = dynamic_cast<TDIBMappedWriter &>(*writer);
        for (const auto &pass : passes) {
            for (mapped.Reset(pass[0], pass[1]); !mapped.EndOfImage(); mapped.NextRow())
                ASSERT_TRUE(coder.ReadRow(mapped));
        }
    }
    EXPECT_EQ(coder_util::IndexesOf(target), pixels);
}

TEST(LzwCoder, NarrowImagesCodeTheSameThroughEitherDictionary) {
    // Images of at most 32 pixel values go through a plain table sized by the pixel count; the
    // bytes must be those of the hash table, from one row to several dictionary restarts.
    struct Case {
        int width, height, bits;
    };
    for (const Case c : {Case{1, 1, 1}, Case{7, 1, 5}, Case{1, 9, 3}, Case{32, 32, 5}, Case{200, 90, 1},
                         Case{300, 200, 4}, Case{640, 100, 2}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                     std::to_string(c.bits));
        for (const auto &pixels :
             {test_images::Noise(c.width, c.height, c.bits), test_images::Flat(c.width, c.height, 1)}) {
            const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, c.width, c.height, pixels);
            const int64_t count = int64_t{c.width} * c.height;
            const std::vector<uint8_t> hashed = coder_util::EncodeDIB(dib, count, 8);
            EXPECT_EQ(coder_util::EncodeDIB(dib, count, c.bits), hashed);
            // A pixel count below the real one only costs the table's growth, either table's.
            EXPECT_EQ(coder_util::EncodeDIB(dib, 1, c.bits), hashed);
            EXPECT_EQ(coder_util::EncodeDIB(dib, 1, 8), hashed);
            EXPECT_EQ(Decode(dt8bit, c.width, c.height, hashed), pixels);
        }
    }
}

TEST(LzwCoder, RunListsCodeTheSameAsTheDictionaryAlone) {
    // An image of 16384 pixels or more follows runs down per-pixel code lists; a coder told of
    // fewer pixels keeps no lists. Rows of every width cut the runs before, inside and after the
    // length a string must start with to take the lists, and carry them into the next row.
    const int pixels = 24 * 1024;
    std::vector<uint8_t> longRuns;
    for (int length = 1; static_cast<int>(longRuns.size()) < pixels; length = length % 300 + 1)
        longRuns.insert(longRuns.end(), static_cast<size_t>(length), static_cast<uint8_t>(length % 7));
    longRuns.resize(pixels);
    for (const auto &indexes : {test_images::Runs(pixels, 1), longRuns, test_images::Flat(pixels, 1, 3)}) {
        for (const int width : {1, 2, 7, 8, 9, 15, 64, 333, pixels}) {
            SCOPED_TRACE(width);
            const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, width, pixels / width,
                                                                        {indexes.begin(), indexes.end() - pixels % width});
            const std::vector<uint8_t> alone = coder_util::EncodeDIB(dib, 1, 8);
            // Through the hash table and through the plain table.
            EXPECT_EQ(coder_util::EncodeDIB(dib, pixels, 8), alone);
            EXPECT_EQ(coder_util::EncodeDIB(dib, pixels, 4), alone);
        }
    }
}

TEST(LzwCoder, NarrowCoderRejectsAWiderPixel) {
    const TDeviceIndependentBitmap dib = coder_util::IndexedDIB(dt8bit, 4, 1, {0, 1, 2, 3});
    EXPECT_THROW(coder_util::EncodeDIB(dib, 4, 1), ELZWError);
}

TEST(LzwCoder, WriterRejectsDeepFormats) {
    graphics::TMemoryStream stream;
    for (TDIBFormat format : {dt16bit, dt24bit, dt32bit}) {
        EXPECT_THROW(
            {
                try {
                    TZUB_LZWCompressor coder(stream, format);
                } catch (const ELZWError &e) {
                    EXPECT_STREQ(e.what(), "Cannot write an image with more than 256 colours as a GIF");
                    throw;
                }
            },
            ELZWError);
    }
}

}  // namespace
