#include "gif_fixtures.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "coder_util.h"
#include "gif_oracle.h"
#include "tests/support/command_output.h"
#include "graphics/dib_iterators.h"

namespace fs = std::filesystem;

namespace gif_fixtures {

Builder::Builder(const char *version) : bytes_(version, version + std::strlen(version)) {}

void Builder::Word(int value) {
    bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Builder::Table(int bits, const Pixels &colours) {
    for (int i = 0; i < (1 << bits); ++i) {
        const uint32_t c = i < static_cast<int>(colours.size()) ? colours[i] : 0;
        bytes_.insert(bytes_.end(),
                      {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
    }
}

Builder &Builder::Screen(int width, int height, int tableBits, const Pixels &colours, uint8_t background,
                         uint8_t aspect) {
    Word(width);
    Word(height);
    bytes_.push_back(tableBits > 0 ? static_cast<uint8_t>(0x80 | 0x70 | (tableBits - 1)) : 0x70);
    bytes_.push_back(background);
    bytes_.push_back(aspect);
    if (tableBits > 0) Table(tableBits, colours);
    return *this;
}

Builder &Builder::Control(int disposal, int delayHundredths, int transparentIndex, bool userInput) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04});
    bytes_.push_back(
        static_cast<uint8_t>((transparentIndex >= 0 ? 1 : 0) | (userInput ? 2 : 0) | disposal << 2));
    Word(delayHundredths);
    bytes_.push_back(static_cast<uint8_t>(transparentIndex >= 0 ? transparentIndex : 0));
    bytes_.push_back(0);
    return *this;
}

Builder &Builder::Image(int left, int top, int width, int height, const Bytes &indexes, int localBits,
                        const Pixels &localColours, bool interlaced, int codeSize) {
    const TDIBFormat format = codeSize == 2 ? dtMonochrome : codeSize == 4 ? dt4bit : dt8bit;
    const Bytes rows = interlaced ? InterlacedOrder(indexes, width, height) : indexes;
    uint8_t packed = interlaced ? 0x40 : 0;
    if (localBits > 0) packed |= static_cast<uint8_t>(0x80 | (localBits - 1));
    bytes_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    bytes_.push_back(packed);
    if (localBits > 0) Table(localBits, localColours);
    const Bytes data = coder_util::Encode(format, width, height, rows);
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
}

Builder &Builder::ImageWithData(int left, int top, int width, int height, const Bytes &imageData,
                                uint8_t packed) {
    bytes_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    bytes_.push_back(packed);
    bytes_.insert(bytes_.end(), imageData.begin(), imageData.end());
    return *this;
}

Builder &Builder::Extension(uint8_t label, const Bytes &data, int firstBlockLength) {
    bytes_.insert(bytes_.end(), {0x21, label});
    size_t at = 0;
    size_t length = firstBlockLength >= 0 ? static_cast<size_t>(firstBlockLength) : 255;
    while (at < data.size()) {
        const size_t n = std::min(length, data.size() - at);
        bytes_.push_back(static_cast<uint8_t>(n));
        bytes_.insert(bytes_.end(), data.begin() + static_cast<ptrdiff_t>(at),
                      data.begin() + static_cast<ptrdiff_t>(at + n));
        at += n;
        length = 255;
    }
    bytes_.push_back(0);
    return *this;
}

Builder &Builder::Raw(const Bytes &bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

Builder &Builder::Trailer() {
    bytes_.push_back(0x3B);
    return *this;
}

Bytes InterlacedOrder(const Bytes &indexes, int width, int height) {
    static constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    Bytes out;
    for (const auto &pass : kPasses) {
        for (int y = pass[0]; y < height; y += pass[1]) {
            const auto row = indexes.begin() + static_cast<ptrdiff_t>(y) * width;
            out.insert(out.end(), row, row + width);
        }
    }
    return out;
}

Pixels ColoursOf(const TDeviceIndependentBitmap &dib) {
    Pixels colours;
    const auto reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        uint8_t r, g, b;
        while (reader->GetNextPixel(r, g, b)) colours.push_back(uint32_t{r} << 16 | uint32_t{g} << 8 | b);
    }
    return colours;
}

OurStream ReadAll(const Bytes &gif, bool useGlobalFrame) {
    OurStream result;
    TZUB_GIFDecompressor reader;
    reader.UseGlobalFrame = useGlobalFrame;
    reader.OnWarning = [&](TZUBGraphicsEngine &, int code, const std::string &) {
        result.Warnings.push_back(code);
    };
    reader.OnComment = [&](TZUB_CustomGifDecompressor &, const char *text) {
        result.Comments.emplace_back(text);
    };
    graphics::TMemoryStream stream(gif);
    reader.OpenImageStream(stream);
    while (!reader.GetEOF()) {
        OurFrame frame;
        std::unique_ptr<TZUBExtGraphic> graphic;
        reader.ReadGIFGraphicFromStream(stream, graphic, frame.Info);
        if (!graphic) break;
        frame.Width = graphic->GetWidth();
        frame.Height = graphic->GetHeight();
        if (auto *dib = dynamic_cast<TDeviceIndependentBitmap *>(graphic.get())) {
            frame.Colours = ColoursOf(*dib);
            graphic.release();
            frame.Dib.reset(dib);
        }
        result.Frames.push_back(std::move(frame));
    }
    result.LoopCount = reader.GetLoopCount();
    return result;
}

TheirStream Slurp(const Bytes &gif) {
    TheirStream result;
    gif_oracle::MemoryCursor cursor{&gif, 0};
    int error = 0;
    GifFileType *file = gif_oracle::OpenInMemory(cursor, &error);
    if (!file) {
        ADD_FAILURE() << "DGifOpen: " << GifErrorString(error);
        return result;
    }
    if (DGifSlurp(file) == GIF_ERROR) {
        ADD_FAILURE() << "DGifSlurp: " << GifErrorString(file->Error);
        DGifCloseFile(file, &error);
        return result;
    }
    result.Width = file->SWidth;
    result.Height = file->SHeight;
    result.Version = EGifGetGifVersion(file);
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage &image = file->SavedImages[i];
        TheirFrame frame;
        frame.Left = image.ImageDesc.Left;
        frame.Top = image.ImageDesc.Top;
        frame.Width = image.ImageDesc.Width;
        frame.Height = image.ImageDesc.Height;
        frame.Interlaced = image.ImageDesc.Interlace;
        frame.LocalTable = image.ImageDesc.ColorMap != nullptr;
        const ColorMapObject *map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
        frame.TableSize = map ? map->ColorCount : 0;
        result.ExtensionBlocks += image.ExtensionBlockCount;
        const size_t n = static_cast<size_t>(frame.Width) * frame.Height;
        frame.Indexes.assign(image.RasterBits, image.RasterBits + n);
        for (const uint8_t index : frame.Indexes) {
            const GifColorType c =
                map && index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
            frame.Colours.push_back(uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue);
        }
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(file, i, &control) == GIF_OK) {
            frame.HasControl = true;
            frame.DelayHundredths = control.DelayTime;
            frame.Disposal = control.DisposalMode;
            frame.TransparentIndex = control.TransparentColor;
            if (map && control.TransparentColor >= 0 && control.TransparentColor < map->ColorCount) {
                const GifColorType c = map->Colors[control.TransparentColor];
                frame.TransparentColour = uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
            }
        }
        for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock &app = image.ExtensionBlocks[e];
            const ExtensionBlock &data = image.ExtensionBlocks[e + 1];
            if (app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
                std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 && data.Bytes[0] == 1)
                result.LoopCount = data.Bytes[1] | data.Bytes[2] << 8;
        }
        result.Frames.push_back(std::move(frame));
    }
    result.ExtensionBlocks += file->ExtensionBlockCount;
    DGifCloseFile(file, &error);
    return result;
}

Magick::Magick() {
    char name[] = "/tmp/graphics-gif-XXXXXX";
    if (mkdtemp(name)) dir_ = name;
}

Magick::~Magick() {
    if (!dir_.empty()) fs::remove_all(dir_);
}

bool Magick::Available() {
    return std::system("convert -version > /dev/null 2>&1") == 0;
}

Bytes Magick::Make(const std::string &arguments) {
    const std::string command = "cd " + dir_.string() + " && convert " + arguments + " out.gif 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(dir_ / "out.gif", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes Magick::Gifbuild(const std::string &description) {
    {
        std::ofstream out(dir_ / "stream.txt");
        out << description;
    }
    const std::string command = "cd " + dir_.string() + " && gifbuild stream.txt > built.gif";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(dir_ / "built.gif", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string Magick::Save(const Bytes &gif) {
    const fs::path path = dir_ / "in.gif";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(gif.data()), static_cast<std::streamsize>(gif.size()));
    return path.string();
}

Pixels Magick::Colours(const Bytes &gif, int frame) {
    const std::string raw =
        RunCommand("convert '" + Save(gif) + "[" + std::to_string(frame) + "]' -depth 8 rgb:- 2>/dev/null");
    Pixels colours;
    for (size_t i = 0; i + 2 < raw.size(); i += 3) {
        colours.push_back(uint32_t{static_cast<uint8_t>(raw[i])} << 16 |
                          uint32_t{static_cast<uint8_t>(raw[i + 1])} << 8 | static_cast<uint8_t>(raw[i + 2]));
    }
    return colours;
}

std::string Magick::Identify(const Bytes &gif, const std::string &format) {
    return RunCommand("identify -format '" + format + "' '" + Save(gif) + "' 2>/dev/null");
}

}  // namespace gif_fixtures
