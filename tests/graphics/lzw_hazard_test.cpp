// The LZW reader on crafted and damaged data: every case ends with the decoded pixels or a clear
// error, never a crash, a hang or a write outside the bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "coder_util.h"
#include "graphics/errors.h"
#include "graphics/lzw.h"
#include "test_images.h"

namespace {

struct Code {
    int value;
    int width;
};

// Image data: the code size byte, the codes packed LSB first in sub-blocks of blockLength bytes,
// and the block terminator.
std::vector<uint8_t> ImageData(int codeSize, const std::vector<Code> &codes, int blockLength = 255) {
    std::vector<uint8_t> packed;
    uint32_t bits = 0;
    int held = 0;
    for (const Code &c : codes) {
        bits |= static_cast<uint32_t>(c.value) << held;
        held += c.width;
        for (; held >= 8; held -= 8, bits >>= 8) packed.push_back(static_cast<uint8_t>(bits));
    }
    if (held > 0) packed.push_back(static_cast<uint8_t>(bits));
    return coder_util::SubBlocks(static_cast<uint8_t>(codeSize), packed, blockLength);
}

template <class E>
std::string ErrorOf(const std::vector<uint8_t> &data, int width, int height = 1) {
    try {
        coder_util::Decode(dt8bit, width, height, data);
    } catch (const E &e) {
        return e.what();
    }
    return "no error";
}

TEST(LzwHazards, UndefinedCodesAreRejected) {
    // Code size 2: clear 4, end 5, first free code 6, width 3.
    const struct {
        const char *name;
        std::vector<Code> codes;
    } cases[] = {
        // A run that starts with a string code would link the dictionary to entries not yet
        // defined (a chain that can close into a cycle).
        {"string code first", {{4, 3}, {6, 3}, {1, 3}, {5, 3}}},
        {"string code first after a clear mid-image", {{4, 3}, {1, 3}, {4, 3}, {7, 3}, {5, 3}}},
        {"code beyond the next free code", {{4, 3}, {1, 3}, {7, 3}, {5, 3}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf<EGIFError>(ImageData(2, c.codes), 8), "Undefined symbol in LZW stream");
    }
}

TEST(LzwHazards, DictionaryStopsGrowingAt4096Codes) {
    // 5000 literal pixels without a clear code: the dictionary fills at 4096 entries and the
    // reader keeps decoding at 12 bits without adding more.
    std::vector<Code> codes = {{256, 9}};
    std::vector<uint8_t> expected;
    int width = 9, limit = 512, next = 258;
    for (int i = 0; i < 5000; ++i) {
        const int pixel = (i * 7) & 0xFF;
        codes.push_back({pixel, width});
        expected.push_back(static_cast<uint8_t>(pixel));
        if (i > 0 && next < 4096 && ++next >= limit && width < 12) {
            ++width;
            limit *= 2;
        }
    }
    ASSERT_EQ(width, 12);
    // A defined string code once the dictionary is full still decodes.
    codes.push_back({258, 12});
    expected.insert(expected.end(), {0, 7});
    codes.push_back({257, 12});
    EXPECT_EQ(coder_util::Decode(dt8bit, 5002, 1, ImageData(8, codes)), expected);
}

TEST(LzwHazards, MinimumCodeSizesOutsideTwoToEightAreRejected) {
    for (int size : {0, 9, 10, 12, 13, 255}) {
        SCOPED_TRACE(size);
        const std::vector<uint8_t> data = {static_cast<uint8_t>(size), 1, 0, 0};
        EXPECT_EQ(ErrorOf<ELZWError>(data, 4), "Unsupported Minimum Code Size - " + std::to_string(size));
    }
    // Size 1 is read as 2: clear 4, pixel 1, end 5 at 3 bits.
    EXPECT_EQ(coder_util::Decode(dt8bit, 1, 1, {1, 2, 0x4C, 0x01, 0}), std::vector<uint8_t>{1});
}

TEST(LzwHazards, ShortSubBlocksAreJoined) {
    const auto pixels = test_images::PhotoLike(61, 33);
    const auto data = coder_util::Encode(dt8bit, 61, 33, pixels);
    for (int length : {1, 2, 3, 7}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(coder_util::Decode(dt8bit, 61, 33, coder_util::Rechunk(data, length)), pixels);
    }
}

TEST(LzwHazards, TruncatedDataEndsWithAnError) {
    const auto data = coder_util::Encode(dt8bit, 50, 40, test_images::Noise(50, 40, 8));
    for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{40}, data.size() / 2, data.size() * 9 / 10}) {
        SCOPED_TRACE(cut);
        const std::vector<uint8_t> part(data.begin(), data.begin() + static_cast<ptrdiff_t>(cut));
        EXPECT_EQ(ErrorOf<ELZWError>(part, 50, 40), "Unexpected end of input stream");
    }
}

TEST(LzwHazards, EndCodeInsideARowEndsTheImage) {
    const auto data = ImageData(2, {{4, 3}, {1, 3}, {0, 3}, {5, 3}});
    graphics::TMemoryStream stream(data);
    TDeviceIndependentBitmap dib(dt8bit, 4, 2);
    auto writer = dib.GetWriter();
    auto &mapped = dynamic_cast<TDIBMappedWriter &>(*writer);
    TZUB_LZWDecompressor coder(stream);
    EXPECT_FALSE(coder.ReadRow(mapped));
    mapped.NextRow();
    EXPECT_FALSE(coder.ReadRow(mapped));
}

TEST(LzwHazards, ReaderLeavesTheStreamBehindTheImageData) {
    // The reader stops after the first row; its destruction skips the remaining sub-blocks.
    auto data = coder_util::Encode(dt8bit, 64, 64, test_images::Noise(64, 64, 8));
    const size_t end = data.size();
    data.push_back(0x3B);
    graphics::TMemoryStream stream(data);
    {
        TDeviceIndependentBitmap dib(dt8bit, 64, 64);
        auto writer = dib.GetWriter();
        TZUB_LZWDecompressor coder(stream);
        ASSERT_TRUE(coder.ReadRow(dynamic_cast<TDIBMappedWriter &>(*writer)));
    }
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(end));
}

}  // namespace
