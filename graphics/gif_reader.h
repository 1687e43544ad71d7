#pragma once
// The GIF stream reader: header and logical screen when the stream is opened, then one image
// (or plain-text graphic) per call with the graphic control information that preceded it. The
// extension blocks between images are read as they come: comments and application extensions
// reach their events, the loop extension sets the loop count, unknown blocks are skipped.
//
// Any input is safe: sizes of 0 or beyond the pixel budget are rejected, a stream that ends
// where its trailer should be ends like one with a trailer, an error met after an image has
// decoded completely is kept for the next call so the image is not lost, and every block and
// sub-block is read within the stream's bytes.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "graphics/engine.h"
#include "graphics/gif_types.h"
#include "graphics/plain_text.h"

class TZUB_CustomGifDecompressor;
class TZUB_LZWDecompressor;

using TCommentEvent = std::function<void(TZUB_CustomGifDecompressor &sender, const char *comment)>;
using TAppExtensionEvent = std::function<void(TZUB_CustomGifDecompressor &sender, const TAppID &appId,
                                              const TAuthCode &authCode, const uint8_t *data, int count)>;

class TZUB_CustomGifDecompressor : public TZUBGraphicsDecompressor {
public:
    TZUB_CustomGifDecompressor();
    ~TZUB_CustomGifDecompressor() override;

    int GetPercentDone() const override { return percentDone_; }
    // Reads the header, the logical screen and the extensions up to the first image.
    void OpenImageStream(graphics::TStream &stream) override;
    void CloseImageStream() override;
    // True when only the trailer (or the end of the stream) is left.
    bool GetEOF() const override;
    std::string GetResourceType() const override { return "GIF"; }
    // The next image, or none at the trailer; a plain-text graphic comes as an 8-bit bitmap.
    // An image's format follows its colour count (and minimum code size), not the argument.
    std::unique_ptr<TDeviceIndependentBitmap> ReadDIBitmap(TDIBFormat format) override;
    // The next image or plain-text graphic with its control information; none at the trailer.
    void ReadGIFGraphicFromStream(graphics::TStream &stream, std::unique_ptr<TZUBExtGraphic> &graphic,
                                  TGIFGraphicControlInfo &info);

    // Sets the loop count from a "NETSCAPE" "2.0" loop block; passes other extensions on.
    virtual void HandleAppExtension(const TAppID &appId, const TAuthCode &authCode, const uint8_t *data,
                                    int count);
    // True when it has consumed the block itself; otherwise the block is skipped.
    virtual bool UnknownBlockHandler(uint8_t introducer, uint8_t label);

    TGIFType GetGIFType() const { return gifType_; }
    const TLogicalPalette &GlobalPalette() const { return globalPalette_; }
    uint32_t GetBackgroundColor() const { return backgroundColour_; }
    int GetScreenWidth() const { return screenWidth_; }
    int GetScreenHeight() const { return screenHeight_; }
    double GetAspectRatio() const { return aspectRatio_; }
    int GetColourResolution() const { return colourResolution_; }
    int GetLoopCount() const { return loopCount_; }

    // Images are placed on a bitmap of the logical screen's size, the rest in the background.
    bool UseGlobalFrame = false;
    // The largest image (or logical screen, with UseGlobalFrame) in pixels.
    int64_t PixelBudget = graphics::kMaxDIBPixels;
    TCommentEvent OnComment;
    TAppExtensionEvent OnAppExtension;

private:
    void ReadGIFHeader();
    void ReadLogicalScreenDescriptor();
    void IdentifyNextBlock();
    void IdentifyNextBlockKeepingImage();
    void ReadGraphicControlBlock();
    void ReadComment();
    void ReadApplicationExtension();
    void SkipUnknownBlock(uint8_t introducer, uint8_t label);
    std::unique_ptr<TDeviceIndependentBitmap> ReadDIB();
    std::unique_ptr<TPlainText> ReadPlainText();
    void ReadRows(TZUB_LZWDecompressor &coder, TDIBMappedWriter &writer, int firstRow, int step);
    std::unique_ptr<TDeviceIndependentBitmap> PlaceOnScreen(
        std::unique_ptr<TDeviceIndependentBitmap> decoded) const;
    std::unique_ptr<TZUBExtGraphic> ReadGraphic();
    void TakePendingControlInfo();

    TGIFType gifType_ = gt87a;
    int percentDone_ = 0;
    TLogicalPalette globalPalette_{dpColour};
    uint32_t backgroundColour_ = 0x00FFFFFF;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    double aspectRatio_ = 1.0;
    int colourResolution_ = 0;
    TGIFBlockTypes nextBlock_ = gbTrailer;
    TGIFGraphicControlInfo currentInfo_;
    TGIFGraphicControlInfo pendingInfo_;
    uint8_t transparentIndex_ = 0;
    bool transparent_ = false;
    int loopCount_ = 0;
    int rowsRead_ = 0;
    int totalRows_ = 0;
    bool open_ = false;
    // An error met while looking for the block after a complete image; raised by the next read.
    std::exception_ptr pendingError_;
};

using TZUB_GIFDecompressor = TZUB_CustomGifDecompressor;
