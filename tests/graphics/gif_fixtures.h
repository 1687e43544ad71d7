#pragma once
// GIF streams for the reader and writer tests: crafted byte by byte, made by ImageMagick, and
// decoded by giflib and ImageMagick as the reference readers; our reader's frames as colours.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "graphics/dib.h"
#include "graphics/gif_reader.h"

namespace gif_fixtures {

using Bytes = std::vector<uint8_t>;
// Colours as 0xRRGGBB, row by row from the top.
using Pixels = std::vector<uint32_t>;

// A GIF stream put together block by block.
class Builder {
public:
    explicit Builder(const char *version = "GIF89a");
    // Screen descriptor; `tableBits` > 0 adds a global table of 2^tableBits entries from `colours`
    // (black beyond them).
    Builder &Screen(int width, int height, int tableBits, const Pixels &colours = {}, uint8_t background = 0,
                    uint8_t aspect = 0);
    Builder &Control(int disposal, int delayHundredths, int transparentIndex = -1, bool userInput = false);
    // An image of 8-bit indexes coded by our LZW writer at minimum code size 8 (or `codeSize`
    // bits for indexes below 2^codeSize, 2 or 4 coded as such); `localBits` > 0 adds a local table.
    Builder &Image(int left, int top, int width, int height, const Bytes &indexes, int localBits = 0,
                   const Pixels &localColours = {}, bool interlaced = false, int codeSize = 8);
    // An image descriptor followed by raw image data.
    Builder &ImageWithData(int left, int top, int width, int height, const Bytes &imageData,
                           uint8_t packed = 0);
    Builder &Extension(uint8_t label, const Bytes &subBlockData, int firstBlockLength = -1);
    Builder &Raw(const Bytes &bytes);
    Builder &Trailer();
    const Bytes &Get() const { return bytes_; }

private:
    void Word(int value);
    void Table(int bits, const Pixels &colours);
    Bytes bytes_;
};

// The image indexes in GIF row order (interlace passes) from rows top to bottom.
Bytes InterlacedOrder(const Bytes &indexes, int width, int height);

// Every graphic our reader returns, with its control information and colours.
struct OurFrame {
    TGIFGraphicControlInfo Info;
    std::unique_ptr<TDeviceIndependentBitmap> Dib;
    int Width = 0, Height = 0;
    Pixels Colours;
};
struct OurStream {
    std::vector<OurFrame> Frames;
    int LoopCount = 0;
    std::vector<int> Warnings;
    std::vector<std::string> Comments;
};
Pixels ColoursOf(const TDeviceIndependentBitmap &dib);
// Reads to the end; the reader's exception passes.
OurStream ReadAll(const Bytes &gif, bool useGlobalFrame = false);

// giflib's reading of a stream (DGifSlurp): frames, colours through the table in use, graphic
// control blocks and the loop count (-1 when there is no loop block).
struct TheirFrame {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    Pixels Colours;
    Bytes Indexes;
    int DelayHundredths = 0;
    int Disposal = 0;
    bool HasControl = false;  // a graphic control block precedes the frame
    int TransparentIndex = -1;
    uint32_t TransparentColour = 0;  // of the table in use, 0 beyond it
    bool Interlaced = false;
    bool LocalTable = false;
    int TableSize = 0;  // entries of the table in use
};
struct TheirStream {
    int Width = 0, Height = 0;
    int LoopCount = -1;
    std::string Version;
    int ExtensionBlocks = 0;  // of every kind, all frames together
    std::vector<TheirFrame> Frames;
};
TheirStream Slurp(const Bytes &gif);

// ImageMagick in a scratch folder of its own.
class Magick {
public:
    Magick();
    ~Magick();
    static bool Available();
    // `convert <arguments> out.gif` and the file written.
    Bytes Make(const std::string &arguments);
    // The colours of one frame (`convert file[frame] rgb:-`), the frame at its own size.
    Pixels Colours(const Bytes &gif, int frame);
    // giflib's gifbuild on a text description of a stream.
    Bytes Gifbuild(const std::string &description);
    // `identify -format <format>` of the stream.
    std::string Identify(const Bytes &gif, const std::string &format);

private:
    std::string Save(const Bytes &gif);
    std::filesystem::path dir_;
};

}  // namespace gif_fixtures
