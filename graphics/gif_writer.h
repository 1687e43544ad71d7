#pragma once
// The GIF stream writer: the header when a stream is opened, the logical screen descriptor with
// the global colour table before the first graphic, per graphic its comment, graphic control
// extension, image descriptor with an optional local colour table and the LZW image data, and
// the trailer when the stream is closed. Deep bitmaps are quantised to 256 colours.
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/engine.h"
#include "graphics/gif_types.h"
#include "graphics/plain_text.h"

class TZUB_LZWCompressor;

// When UseGlobalFrame is set, the logical screen takes this size instead of the first image's.
struct TGlobalFrame {
    int Width = 0;
    int Height = 0;
    bool UseGlobalFrame = false;
};

class TZUB_CustomGifCompressor : public TZUBGraphicsCompressor {
public:
    TZUB_CustomGifCompressor();
    // Closes a stream still held, which ends it with the trailer: a stream still held must
    // outlive the writer.
    ~TZUB_CustomGifCompressor() override;

    int GetPercentDone() const override;
    // A new stream gets the header at once.
    void OpenImageStream(graphics::TStream &stream) override;
    // Ends the stream held with the trailer.
    void CloseImageStream() override;
    TDIBFormat GetInputType() const override { return dt24bit; }
    // The bitmap at (ImageXOrigin, ImageYOrigin), no disposal, no delay.
    void WriteDIBitmap(const TDeviceIndependentBitmap &dib) override;

    void WriteGIFGraphicToStream(graphics::TStream &stream, const TZUBExtGraphic &graphic,
                                 const TGIFGraphicControlInfo &info);
    // A bitmap or a plain-text graphic; any other raises EGIFError "Unrecognised graphic type".
    void WriteGIFGraphic(const TZUBExtGraphic &graphic, const TGIFGraphicControlInfo &info);
    void WriteComment(const std::string &text);
    void WriteApplicationExtension(const TAppID &appId, const TAuthCode &authCode, const uint8_t *data,
                                   int count);
    // The "NETSCAPE" "2.0" loop block; 0 loops for ever.
    void WriteLoopControl(int count);

    TGIFType GetGIFType() const { return gifType_; }
    // Raises EGIFError while a stream is held.
    void SetGIFType(TGIFType type);
    const TLogicalPalette &GlobalPalette() const { return globalPalette_; }
    void SetGlobalPalette(const TLogicalPalette &palette) { globalPalette_.Assign(palette); }

    bool Interlace = false;
    TGlobalFrame GlobalFrame;
    uint32_t BackgroundColor = 0x00FFFFFF;
    std::string Comment;
    int ImageXOrigin = 0;
    int ImageYOrigin = 0;
    // Keeps the global palette for the next stream instead of building it anew.
    bool RetainGlobalPalette = false;
    bool FSDither = true;
    bool Grayscale = false;

private:
    void WriteDIB(const TDeviceIndependentBitmap &dib, const TGIFGraphicControlInfo &info);
    void WritePlainText(const TPlainText &text, const TGIFGraphicControlInfo &info);
    void WriteHeader();
    void WriteTrailer();
    void WriteLogicalScreenDescriptor(int width, int height, int colourResolution, uint8_t aspect);
    void WriteScreenOnce(int width, int height, int colourResolution, uint8_t aspect);
    void WriteCommentAndControl(const TGIFGraphicControlInfo &info, bool transparent,
                                uint8_t transparentIndex);
    void WriteGraphicControlExtension(const TGIFGraphicControlInfo &info, bool transparent,
                                      uint8_t transparentIndex);
    void WriteImageDescriptor(graphics::TPoint origin, int width, int height,
                              const TLogicalPalette *localPalette);
    void WriteColourTable(const TLogicalPalette &palette, int entries);
    void WriteImage(const TDeviceIndependentBitmap &dib, TLogicalPalette &palette);
    void WriteSmallImage(const TDeviceIndependentBitmap &dib);
    int WriteRows(TZUB_LZWCompressor &coder, const TDeviceIndependentBitmap &dib, int firstRow, int step);
    int WriteTranslatedRows(TZUB_LZWCompressor &coder, const TDeviceIndependentBitmap &dib, int firstRow,
                            int step, TLogicalPalette &palette);
    void RowDone();
    void Require89a(const char *block) const;

    TGIFType gifType_ = gt89a;
    TLogicalPalette globalPalette_;
    bool screenDescriptorWritten_ = false;
    int totalRows_ = 0;
    int rowsDone_ = 0;
};

using TZUB_GIFCompressor = TZUB_CustomGifCompressor;
