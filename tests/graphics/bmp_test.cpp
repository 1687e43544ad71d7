// BMP files and the clipboard format: round trips, ImageMagick as the reference reader and
// writer, and the validation of damaged headers.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "graphics/dib.h"
#include "graphics/dib_block.h"
#include "graphics/dib_iterators.h"
#include "graphics/errors.h"

namespace {

namespace fs = std::filesystem;
using RGB = std::array<uint8_t, 3>;

std::vector<RGB> AllPixels(const TDeviceIndependentBitmap &dib) {
    std::vector<RGB> pixels;
    auto reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        RGB c;
        while (reader->GetNextPixel(c[0], c[1], c[2])) pixels.push_back(c);
    }
    return pixels;
}

// A test image of `colours` distinct colours, width x height, row by row from the top.
std::vector<RGB> TestColours(int width, int height, int colours) {
    std::vector<RGB> pixels;
    for (int i = 0; i < width * height; ++i) {
        const int k = (i * 7 + i / width) % colours;
        pixels.push_back({static_cast<uint8_t>(k * 37 % 256), static_cast<uint8_t>(255 - k * 5),
                          static_cast<uint8_t>(k * 91 % 256)});
    }
    return pixels;
}

class ImageMagick : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("convert -version > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "ImageMagick is not installed";
        char name[] = "/tmp/graphics-bmp-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }
    std::string Path(const std::string &name) const { return (dir_ / name).string(); }
    void Convert(const std::string &arguments) {
        const std::string command = "cd " + dir_.string() + " && convert " + arguments + " 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void WritePpm(const std::string &name, int width, int height, const std::vector<RGB> &pixels) {
        std::ofstream out(Path(name), std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        for (const RGB &c : pixels) out.write(reinterpret_cast<const char *>(c.data()), 3);
    }
    std::vector<RGB> ReadRgb(const std::string &name) {
        std::ifstream in(Path(name), std::ios::binary);
        std::vector<RGB> pixels;
        RGB c;
        while (in.read(reinterpret_cast<char *>(c.data()), 3)) pixels.push_back(c);
        return pixels;
    }

    fs::path dir_;
};

// Rewrites a bottom-up BMP file as top-down: the rows in reverse order under a negative height.
std::vector<uint8_t> TopDownCopy(const std::vector<uint8_t> &file, int64_t rowBytes) {
    std::vector<uint8_t> out = file;
    const uint32_t offset = graphics::GetU32(file.data() + 10);
    const int32_t height = graphics::GetI32(file.data() + 14 + graphics::kBiHeight);
    graphics::PutU32(out.data() + 14 + graphics::kBiHeight, static_cast<uint32_t>(-height));
    for (int32_t y = 0; y < height; ++y) {
        std::copy_n(file.begin() + offset + y * rowBytes, rowBytes,
                    out.begin() + offset + (height - 1 - y) * rowBytes);
    }
    return out;
}

std::vector<uint8_t> ReadFile(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ImageMagick, ItsBitmapsLoadWithTheRightPixels) {
    const struct {
        const char *name;
        int colours;
        const char *options;
        int bits;
    } cases[] = {
        {"1 bit", 2, "-type Bilevel BMP3:", 1},           {"4 bits", 11, "-type Palette BMP3:", 4},
        {"8 bits", 40, "-type Palette BMP3:", 8},         {"24 bits", 60, "-type TrueColor BMP3:", 24},
        {"32 bits", 60, "-type TrueColorAlpha BMP:", 32},
    };
    const int width = 13, height = 7;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<RGB> pixels = TestColours(width, height, c.colours);
        if (c.colours == 2) {
            for (RGB &p : pixels) p = p[0] > 128 ? RGB{255, 255, 255} : RGB{0, 0, 0};
        }
        WritePpm("in.ppm", width, height, pixels);
        Convert(std::string("in.ppm -compress None ") + c.options + "out.bmp");
        const std::vector<uint8_t> file = ReadFile(Path("out.bmp"));

        TDeviceIndependentBitmap dib(Path("out.bmp"));
        EXPECT_EQ(dib.GetColourBits(), c.bits);
        EXPECT_FALSE(dib.IsTopDown());
        EXPECT_EQ(AllPixels(dib), pixels);

        // This ImageMagick writes bottom-up only: the same file turned top-down.
        const int64_t rowBytes = TDeviceIndependentBitmap::CalcDIBSize(dib.GetDIBType(), width, 1);
        graphics::TMemoryStream topDown(TopDownCopy(file, rowBytes));
        TDeviceIndependentBitmap flipped(dtMonochrome, 1, 1);
        flipped.LoadFromStream(topDown);
        EXPECT_TRUE(flipped.IsTopDown());
        EXPECT_EQ(AllPixels(flipped), pixels);
    }
}

TEST_F(ImageMagick, ReadsOurBitmaps) {
    const int width = 11, height = 5;
    for (int f = dtMonochrome; f <= dt32bit; ++f) {
        for (int sign : {1, -1}) {
            SCOPED_TRACE(std::to_string(f) + (sign > 0 ? " bottom-up" : " top-down"));
            const auto format = static_cast<TDIBFormat>(f);
            TDeviceIndependentBitmap dib(format, width, height * sign);
            if (TDeviceIndependentBitmap::BitsPerPixel(format) <= 8) {
                TLogicalPalette palette(dpGrayscale);
                palette.SetCount(std::min(64, 1 << TDeviceIndependentBitmap::BitsPerPixel(format)));
                dib.SetColourTable(palette);
            }
            // Channels of 0 and 248 only: 5-bit channels widen to 8 bits differently by reader.
            std::vector<RGB> pixels = TestColours(width, height, 8);
            for (RGB &p : pixels) {
                for (auto &v : p) v = v >= 128 ? 248 : 0;
            }
            auto writer = dib.GetWriter();
            size_t i = 0;
            for (; !writer->EndOfImage(); writer->NextRow()) {
                for (int x = 0; x < width; ++x, ++i)
                    writer->SetNextPixel(pixels[i][0], pixels[i][1], pixels[i][2]);
            }
            dib.SaveToFile(Path("ours.bmp"));
            Convert("ours.bmp -depth 8 rgb:ours.rgb");
            std::vector<RGB> expected = AllPixels(dib);
            if (format == dt16bit) {
                for (RGB &p : expected) {
                    for (auto &v : p) v = v == 248 ? 255 : v;
                }
            }
            EXPECT_EQ(ReadRgb("ours.rgb"), expected);
        }
    }
}

TEST(Bmp, RoundTripsKeepTheBlock) {
    for (int f = dtMonochrome; f <= dt32bit; ++f) {
        for (int sign : {1, -1}) {
            TDeviceIndependentBitmap dib(static_cast<TDIBFormat>(f), 7, 3 * sign);
            for (size_t i = 0; i < static_cast<size_t>(dib.GetSize()); ++i)
                dib.PixelRows()[i] = static_cast<uint8_t>(i * 13);
            graphics::TMemoryStream stream;
            dib.SaveToStream(stream);
            stream.Seek(0, graphics::TSeekOrigin::soBeginning);
            TDeviceIndependentBitmap loaded(dtMonochrome, 1, 1);
            loaded.LoadFromStream(stream);
            EXPECT_EQ(loaded.Block(), dib.Block());

            TDeviceIndependentBitmap pasted(dtMonochrome, 1, 1);
            pasted.LoadFromClipboardFormat(dib.SaveToClipboardFormat());
            EXPECT_EQ(pasted.Block(), dib.Block());
        }
    }
}

TEST(Bmp, BitFieldMasks) {
    // A 16-bit 5-6-5 block and a 32-bit block whose green mask is empty (green reads 0).
    const struct {
        uint16_t bits;
        uint32_t masks[3];
        std::vector<uint8_t> pixel;
        RGB colour;
    } cases[] = {
        {16, {0xF800, 0x07E0, 0x001F}, {0xFF, 0xFF, 0, 0}, {248, 252, 248}},
        {16, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00, 0, 0}, {0, 0, 248}},
        {32, {0xFF000000, 0, 0x0000FF00}, {0x11, 0x22, 0x33, 0x44}, {0x44, 0, 0x22}},
    };
    for (const auto &c : cases) {
        std::vector<uint8_t> block(40 + 12);
        graphics::PutU32(block.data() + graphics::kBiSize, 40);
        graphics::PutU32(block.data() + graphics::kBiWidth, 1);
        graphics::PutU32(block.data() + graphics::kBiHeight, 1);
        graphics::PutU16(block.data() + graphics::kBiPlanes, 1);
        graphics::PutU16(block.data() + graphics::kBiBitCount, c.bits);
        graphics::PutU32(block.data() + graphics::kBiCompression, graphics::kBiBitFields);
        for (int i = 0; i < 3; ++i) graphics::PutU32(block.data() + 40 + 4 * i, c.masks[i]);
        block.insert(block.end(), c.pixel.begin(), c.pixel.end());
        TDeviceIndependentBitmap dib(dtMonochrome, 1, 1);
        dib.LoadFromClipboardFormat(block);
        EXPECT_EQ(AllPixels(dib), std::vector<RGB>{c.colour});
        // Writing goes through the same masks.
        dib.GetWriter()->SetNextPixel(c.colour[0], c.colour[1], c.colour[2]);
        EXPECT_EQ(AllPixels(dib), std::vector<RGB>{c.colour});
    }
}

// A valid 2 x 2 8-bit file with two colours, for damaging one field at a time.
std::vector<uint8_t> SmallFile() {
    TDeviceIndependentBitmap dib(dt8bit, 2, 2);
    TLogicalPalette palette(dpGrayscale);
    palette.SetCount(2);
    dib.SetColourTable(palette);
    graphics::TMemoryStream stream;
    dib.SaveToStream(stream);
    return stream.Bytes();
}

TEST(Bmp, DamagedHeadersAreRejected) {
    using graphics::PutU16;
    using graphics::PutU32;
    constexpr int h = 14;  // the information header follows the file header
    const struct {
        const char *name;
        std::function<void(std::vector<uint8_t> &)> damage;
    } cases[] = {
        {"wrong magic", [](auto &f) { f[1] = 'X'; }},
        {"cut in the file header", [](auto &f) { f.resize(10); }},
        {"cut in the information header", [](auto &f) { f.resize(30); }},
        {"cut in the colour table", [](auto &f) { f.resize(h + 40 + 4); }},
        {"one pixel byte short", [](auto &f) { f.pop_back(); }},
        {"unknown header size", [](auto &f) { PutU32(f.data() + h, 12); }},
        {"huge header size", [](auto &f) { PutU32(f.data() + h, 0xFFFFFFF0); }},
        {"width 0", [](auto &f) { PutU32(f.data() + h + 4, 0); }},
        {"negative width", [](auto &f) { PutU32(f.data() + h + 4, static_cast<uint32_t>(-2)); }},
        {"height 0", [](auto &f) { PutU32(f.data() + h + 8, 0); }},
        {"smallest height", [](auto &f) { PutU32(f.data() + h + 8, 0x80000000); }},
        {"beyond the pixel budget",
         [](auto &f) { PutU32(f.data() + h + 4, 100000), PutU32(f.data() + h + 8, 100000); }},
        {"larger than the data",
         [](auto &f) { PutU32(f.data() + h + 4, 1000), PutU32(f.data() + h + 8, 1000); }},
        {"planes 0", [](auto &f) { PutU16(f.data() + h + 12, 0); }},
        {"7 bits per pixel", [](auto &f) { PutU16(f.data() + h + 14, 7); }},
        {"run-length compression", [](auto &f) { PutU32(f.data() + h + 16, 1); }},
        {"bit fields at 8 bits", [](auto &f) { PutU32(f.data() + h + 16, 3); }},
        {"more colours than 8 bits hold", [](auto &f) { PutU32(f.data() + h + 32, 257); }},
        {"pixel offset beyond the end", [](auto &f) { PutU32(f.data() + 10, 0x7FFFFFFF); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = SmallFile();
        c.damage(file);
        graphics::TMemoryStream stream(file);
        TDeviceIndependentBitmap dib(dt24bit, 3, 1);
        const std::vector<uint8_t> before = dib.Block();
        try {
            dib.LoadFromStream(stream);
            ADD_FAILURE() << "loaded";
        } catch (const EDIBError &e) {
            EXPECT_STREQ(e.what(), "Invalid DIB Header");
        }
        EXPECT_EQ(dib.Block(), before);  // the old image is kept

        if (file.size() > 14) {
            // The clipboard format is the same block without the file header.
            TDeviceIndependentBitmap pasted(dt24bit, 3, 1);
            const std::vector<uint8_t> block(file.begin() + 14, file.end());
            if (std::string(c.name) != "wrong magic" &&
                std::string(c.name) != "pixel offset beyond the end") {
                EXPECT_THROW(pasted.LoadFromClipboardFormat(block), EDIBError);
            }
        }
    }
}

}  // namespace
