#include "graphics/gif_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics/dib_iterators.h"
#include "graphics/errors.h"
#include "graphics/gif_blocks.h"
#include "graphics/lzw.h"

using namespace gif;

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

std::string Format(const char *pattern, int value) {
    char text[80];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// The smallest depth whose pixels hold every index of a colour table of `count` entries.
TDIBFormat FormatForColours(int count) {
    return count > 16 ? dt8bit : count > 1 ? dt4bit : dtMonochrome;
}

void CheckSize(int64_t width, int64_t height, int64_t budget) {
    if (width == 0 || height == 0) throw EGIFError("Invalid image size");
    if (width * height > budget) throw EGIFError("Image too large");
}

uint32_t ColourOr(const TLogicalPalette &palette, int index, uint32_t fallback) {
    return index < palette.GetCount() ? palette.GetColour(index) : fallback;
}

}  // namespace

TZUB_CustomGifDecompressor::TZUB_CustomGifDecompressor() = default;

TZUB_CustomGifDecompressor::~TZUB_CustomGifDecompressor() {
    CloseImageStream();
}

void TZUB_CustomGifDecompressor::OpenImageStream(graphics::TStream &stream) {
    TZUBGraphicsEngine::OpenImageStream(stream);
    if (open_) return;
    loopCount_ = 0;
    globalPalette_.Assign(TLogicalPalette(dpColour));
    backgroundColour_ = kWhite;
    pendingInfo_ = currentInfo_ = {};
    transparent_ = false;
    transparentIndex_ = 0;
    try {
        ReadGIFHeader();
        ReadLogicalScreenDescriptor();
        IdentifyNextBlock();
    } catch (...) {
        CloseImageStream();
        throw;
    }
    open_ = true;
}

void TZUB_CustomGifDecompressor::CloseImageStream() {
    TZUBGraphicsEngine::CloseImageStream();
    open_ = false;
    pendingError_ = nullptr;
    nextBlock_ = gbTrailer;
}

bool TZUB_CustomGifDecompressor::GetEOF() const {
    return ImageStream() && nextBlock_ == gbTrailer && !pendingError_;
}

void TZUB_CustomGifDecompressor::ReadGIFHeader() {
    char header[6] = {};
    const int64_t got = Stream().Read(header, 6);
    if (got < 3 || std::memcmp(header, "GIF", 3) != 0) throw EGIFError("Not a GIF Image stream");
    if (got < 6) throw EGIFError("Unexpected end of input stream");
    if (std::memcmp(header + 3, "87a", 3) == 0) {
        gifType_ = gt87a;
    } else {
        gifType_ = gt89a;
        if (std::memcmp(header + 3, "89a", 3) != 0) Warning(kWarningUnknownType, "Unknown GIF type");
    }
}

void TZUB_CustomGifDecompressor::ReadLogicalScreenDescriptor() {
    graphics::TStream &stream = Stream();
    screenWidth_ = ReadWord(stream);
    screenHeight_ = ReadWord(stream);
    const uint8_t packed = ReadByte(stream);
    const uint8_t backgroundIndex = ReadByte(stream);
    const uint8_t aspect = ReadByte(stream);
    aspectRatio_ = aspect == 0 ? 1.0 : (aspect + 15) / 64.0;
    colourResolution_ = (packed & 0x70) >> 4;
    if (packed & kColourTableFlag) {
        globalPalette_.Assign(TGIFPalette(stream, 1 << ((packed & 7) + 1)));
        backgroundColour_ = ColourOr(globalPalette_, backgroundIndex, kWhite);
    }
}

void TZUB_CustomGifDecompressor::IdentifyNextBlock() {
    graphics::TStream &stream = Stream();
    for (;;) {
        uint8_t introducer = 0;
        // A stream that ends where a block should start has lost only its trailer.
        if (stream.Read(&introducer, 1) != 1) {
            nextBlock_ = gbTrailer;
            return;
        }
        if (introducer == kImageSeparator) {
            nextBlock_ = gbImage;
            return;
        }
        if (introducer == kTrailer) {
            nextBlock_ = gbTrailer;
            return;
        }
        if (introducer != kExtensionIntroducer) {
            SkipUnknownBlock(introducer, 0);
            continue;
        }
        const uint8_t label = ReadByte(stream);
        switch (label) {
            case kPlainTextLabel:
                nextBlock_ = gbPlainText;
                return;
            case kGraphicControlLabel:
                ReadGraphicControlBlock();
                break;
            case kCommentLabel:
                ReadComment();
                break;
            case kApplicationLabel:
                ReadApplicationExtension();
                break;
            default:
                SkipUnknownBlock(introducer, label);
        }
    }
}

void TZUB_CustomGifDecompressor::IdentifyNextBlockKeepingImage() {
    try {
        IdentifyNextBlock();
    } catch (...) {
        pendingError_ = std::current_exception();
        nextBlock_ = gbTrailer;
    }
}

void TZUB_CustomGifDecompressor::SkipUnknownBlock(uint8_t introducer, uint8_t label) {
    Warning(kWarningUnknownBlock, Format("Unknown Block (%2x) found in GIF stream", introducer));
    if (!UnknownBlockHandler(introducer, label)) SkipBlocks(Stream());
}

bool TZUB_CustomGifDecompressor::UnknownBlockHandler(uint8_t, uint8_t) {
    return false;
}

void TZUB_CustomGifDecompressor::ReadGraphicControlBlock() {
    graphics::TStream &stream = Stream();
    if (ReadByte(stream) != 4) throw EGIFError("Illegal Graphic control block size");
    const uint8_t packed = ReadByte(stream);
    const uint16_t delay = ReadWord(stream);
    const uint8_t index = ReadByte(stream);
    if (ReadByte(stream) != 0) throw EGIFError("Block Terminator Expected but none found");
    const int disposal = (packed & 0x1C) >> 2;
    pendingInfo_ = {};
    // Codes 4 to 7 are not defined: the image is left to the next one as with no disposal.
    pendingInfo_.DisposalMethod =
        disposal <= dmRestorePrevious ? static_cast<TDisposalMethods>(disposal) : dmNone;
    pendingInfo_.UserInput = (packed & 0x02) != 0;
    pendingInfo_.DelayTime = delay * 10;
    transparent_ = (packed & 0x01) != 0;
    transparentIndex_ = index;
}

void TZUB_CustomGifDecompressor::ReadComment() {
    std::vector<uint8_t> text = ReadDataBlock(Stream());
    text.push_back(0);
    if (OnComment) OnComment(*this, reinterpret_cast<const char *>(text.data()));
}

void TZUB_CustomGifDecompressor::ReadApplicationExtension() {
    const std::vector<uint8_t> data = ReadDataBlock(Stream());
    if (data.size() < 11) {
        Warning(kWarningShortAppExtension,
                Format("Invalid Length (%d) for Application Extension", static_cast<int>(data.size())));
        return;
    }
    const TAppID appId(data.begin(), data.begin() + 8);
    const TAuthCode authCode(data.begin() + 8, data.begin() + 11);
    HandleAppExtension(appId, authCode, data.data() + 11, static_cast<int>(data.size() - 11));
}

void TZUB_CustomGifDecompressor::HandleAppExtension(const TAppID &appId, const TAuthCode &authCode,
                                                    const uint8_t *data, int count) {
    if (appId == "NETSCAPE" && authCode == "2.0" && count == 3) {
        if (data[0] == 1) loopCount_ = data[1] | data[2] << 8;
        return;
    }
    if (OnAppExtension) OnAppExtension(*this, appId, authCode, data, count);
}

void TZUB_CustomGifDecompressor::TakePendingControlInfo() {
    currentInfo_ = pendingInfo_;
    pendingInfo_ = {};
}

std::unique_ptr<TZUBExtGraphic> TZUB_CustomGifDecompressor::ReadGraphic() {
    if (pendingError_) {
        const std::exception_ptr error = pendingError_;
        pendingError_ = nullptr;
        std::rethrow_exception(error);
    }
    try {
        for (;;) {
            switch (nextBlock_) {
                case gbTrailer:
                    return nullptr;
                case gbImage:
                    return ReadDIB();
                case gbPlainText:
                    // A plain-text block of the wrong size is skipped; the next graphic follows.
                    if (auto text = ReadPlainText()) return text;
                    break;
                default:
                    throw EGIFError("An image block was expected in the GIF stream, but not found");
            }
        }
    } catch (...) {
        // Where a broken block ends is unknown: nothing more is read from this stream.
        nextBlock_ = gbTrailer;
        throw;
    }
}

void TZUB_CustomGifDecompressor::ReadGIFGraphicFromStream(graphics::TStream &stream,
                                                          std::unique_ptr<TZUBExtGraphic> &graphic,
                                                          TGIFGraphicControlInfo &info) {
    OpenImageStream(stream);
    graphic = ReadGraphic();
    info = currentInfo_;
}

std::unique_ptr<TDeviceIndependentBitmap> TZUB_CustomGifDecompressor::ReadDIBitmap(TDIBFormat) {
    std::unique_ptr<TZUBExtGraphic> graphic = ReadGraphic();
    if (!graphic) return nullptr;
    if (auto *text = dynamic_cast<TPlainText *>(graphic.get())) {
        const bool onScreen = UseGlobalFrame && screenWidth_ > 0 && screenHeight_ > 0;
        if (onScreen) CheckSize(screenWidth_, screenHeight_, PixelBudget);
        return text->AsDIB(dt8bit, onScreen ? currentInfo_.Origin : graphics::TPoint{},
                           onScreen ? screenWidth_ : text->GridWidth,
                           onScreen ? screenHeight_ : text->GridHeight, text->BackgroundColour);
    }
    return std::unique_ptr<TDeviceIndependentBitmap>(
        static_cast<TDeviceIndependentBitmap *>(graphic.release()));
}

std::unique_ptr<TDeviceIndependentBitmap> TZUB_CustomGifDecompressor::ReadDIB() {
    graphics::TStream &stream = Stream();
    TakePendingControlInfo();
    currentInfo_.Origin.X = ReadWord(stream);
    currentInfo_.Origin.Y = ReadWord(stream);
    const int width = ReadWord(stream);
    const int height = ReadWord(stream);
    const uint8_t packed = ReadByte(stream);
    CheckSize(width, height, PixelBudget);
    std::unique_ptr<TLogicalPalette> local;
    if (packed & kColourTableFlag) local = std::make_unique<TGIFPalette>(stream, 1 << ((packed & 7) + 1));
    const TLogicalPalette &table = local ? *local : globalPalette_;

    std::unique_ptr<TDeviceIndependentBitmap> dib;
    {
        TZUB_LZWDecompressor coder(stream);
        // Deep enough for every index the data can carry: those beyond the table read as black.
        const int indexes = std::max(table.GetCount(), 1 << coder.MinimumCodeSize());
        dib = std::make_unique<TDeviceIndependentBitmap>(FormatForColours(indexes), width, height);
        dib->SetColourTable(table);
        dib->SetAspectRatio(aspectRatio_);
        percentDone_ = 0;
        totalRows_ = height;
        rowsRead_ = 0;
        const auto writer = dib->GetWriter();
        auto &mapped = static_cast<TDIBMappedWriter &>(*writer);
        if (packed & kInterlaceFlag) {
            for (const auto &pass : kInterlacePasses) ReadRows(coder, mapped, pass[0], pass[1]);
        } else {
            ReadRows(coder, mapped, 0, 1);
        }
        mapped.Flush();
        if (rowsRead_ != height) throw EGIFError("Unexpected end of image");
    }
    if (transparent_) {
        dib->Transparent = true;
        dib->TransparentColour = ColourOr(table, transparentIndex_, kWhite);
        dib->TransparentIndex = transparentIndex_;
    }
    if (UseGlobalFrame) dib = PlaceOnScreen(std::move(dib));
    IdentifyNextBlockKeepingImage();
    return dib;
}

void TZUB_CustomGifDecompressor::ReadRows(TZUB_LZWDecompressor &coder, TDIBMappedWriter &writer, int firstRow,
                                          int step) {
    writer.Reset(firstRow, step);
    for (; !writer.EndOfImage(); writer.NextRow()) {
        if (!coder.ReadRow(writer)) return;
        ++rowsRead_;
        percentDone_ = static_cast<int>(std::lrint(rowsRead_ * 100.0 / totalRows_));
        DoProgress();
    }
}

std::unique_ptr<TDeviceIndependentBitmap> TZUB_CustomGifDecompressor::PlaceOnScreen(
    std::unique_ptr<TDeviceIndependentBitmap> decoded) const {
    const TDeviceIndependentBitmap &image = *decoded;
    const int width = image.GetWidth(), height = image.GetHeight();
    const graphics::TPoint origin = currentInfo_.Origin;
    // A screen without area frames nothing: the image stands alone.
    if (screenWidth_ == 0 || screenHeight_ == 0 ||
        (origin == graphics::TPoint{} && width == screenWidth_ && height == screenHeight_))
        return decoded;
    CheckSize(screenWidth_, screenHeight_, PixelBudget);
    auto screen = std::make_unique<TDeviceIndependentBitmap>(image.GetDIBType(), screenWidth_, screenHeight_);
    screen->SetColourTable(TLogicalPalette(image));
    screen->SetAspectRatio(aspectRatio_);
    screen->Transparent = image.Transparent;
    screen->TransparentColour = image.TransparentColour;
    screen->TransparentIndex = image.TransparentIndex;
    const auto target = screen->GetWriter();
    auto &writer = static_cast<TDIBMappedWriter &>(*target);
    uint8_t r, g, b;
    TLogicalPalette::ColorToRGB(backgroundColour_, r, g, b);
    writer.FillColour(r, g, b);
    // The part of the image that lies on the screen, decoded at the image's own width.
    const int visibleWidth = std::min(width, screenWidth_ - origin.X);
    const int visibleHeight = std::min(height, screenHeight_ - origin.Y);
    if (visibleWidth <= 0 || visibleHeight <= 0) return screen;
    const auto source = image.GetReader();
    auto &reader = static_cast<TDIBMappedReader &>(*source);
    reader.SetClipRect(0, 0, visibleWidth - 1, visibleHeight - 1);
    writer.SetClipRect(origin.X, origin.Y, origin.X + visibleWidth - 1, origin.Y + visibleHeight - 1);
    std::vector<TColourIndex> row(static_cast<size_t>(visibleWidth));
    for (; !writer.EndOfImage(); writer.NextRow(), reader.NextRow()) {
        reader.GetNextColourIndexes(row.data(), visibleWidth);
        writer.SetNextIndexes(row.data(), visibleWidth);
    }
    writer.Flush();
    return screen;
}

std::unique_ptr<TPlainText> TZUB_CustomGifDecompressor::ReadPlainText() {
    graphics::TStream &stream = Stream();
    const uint8_t size = ReadByte(stream);
    if (size != 12) {
        Warning(kWarningPlainTextSize, Format("Invalid Length (%d) for Plain Text Block", size));
        stream.Seek(-1, graphics::TSeekOrigin::soCurrent);
        SkipBlocks(stream);
        IdentifyNextBlock();
        return nullptr;
    }
    TakePendingControlInfo();
    auto text = std::make_unique<TPlainText>();
    currentInfo_.Origin.X = ReadWord(stream);
    currentInfo_.Origin.Y = ReadWord(stream);
    text->GridWidth = ReadWord(stream);
    text->GridHeight = ReadWord(stream);
    text->CellWidth = ReadByte(stream);
    text->CellHeight = ReadByte(stream);
    const uint8_t foreground = ReadByte(stream);
    const uint8_t background = ReadByte(stream);
    CheckSize(text->GridWidth, text->GridHeight, PixelBudget);
    // Colours outside the table keep the text's defaults.
    text->ForegroundColour = ColourOr(globalPalette_, foreground, text->ForegroundColour);
    text->BackgroundColour = ColourOr(globalPalette_, background, text->BackgroundColour);
    const std::vector<uint8_t> data = ReadDataBlock(stream);
    text->SetText(std::string(data.begin(), std::find(data.begin(), data.end(), 0)));
    IdentifyNextBlockKeepingImage();
    return text;
}
