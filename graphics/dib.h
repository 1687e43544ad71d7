#pragma once
// A device-independent bitmap kept as one block: the 40-byte information header, the optional
// colour masks and colour table, then the pixel rows, each padded to a multiple of 4 bytes and
// stored bottom-up (positive height) or top-down (negative height).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/palette.h"
#include "graphics/stream.h"

enum TDIBFormat { dtMonochrome, dt4bit, dt8bit, dt16bit, dt24bit, dt32bit };

class TDIBReader;
class TDIBWriter;
class TDitherer;
class TDIBMappedWriter;

// Makes a ditherer of one class for a mapped writer and its palette.
using TDithererClass = std::unique_ptr<TDitherer> (*)(TDIBMappedWriter &writer, TLogicalPalette &palette);
// Called after each row a copy has written, with the writer.
using TProgressCallback = std::function<void(TDIBWriter &writer)>;

namespace graphics {
// The largest number of pixels a bitmap may have (8192 x 8192).
constexpr int64_t kMaxDIBPixels = int64_t{1} << 26;
constexpr int kInfoHeaderSize = 40;
}  // namespace graphics

// The graphic every image of the library derives from.
class TZUBExtGraphic {
public:
    TZUBExtGraphic() = default;
    TZUBExtGraphic(const TZUBExtGraphic &source) = default;
    TZUBExtGraphic &operator=(const TZUBExtGraphic &) = delete;
    virtual ~TZUBExtGraphic() = default;

    virtual int GetHeight() const = 0;
    virtual int GetWidth() const = 0;
    virtual void SetTransparent(bool value) { Transparent = value; }
    // A new graphic of the same class, made by its copy constructor.
    virtual std::unique_ptr<TZUBExtGraphic> Copy() const = 0;

    bool Transparent = false;
    uint32_t TransparentColour = 0x00FFFFFF;
    // The transparent entry of an indexed bitmap's own colour table, -1 when only the colour is
    // known. A table may hold the transparent colour twice, once for opaque pixels.
    int TransparentIndex = -1;
};

class TDeviceIndependentBitmap : public TZUBExtGraphic {
public:
    // A zeroed bitmap; a negative height makes it top-down. A width below 1, a height of 0 or
    // more than kMaxDIBPixels pixels raise EDIBError.
    TDeviceIndependentBitmap(TDIBFormat format, int width, int height);
    explicit TDeviceIndependentBitmap(const std::string &fileName);
    TDeviceIndependentBitmap(const TDeviceIndependentBitmap &source);
    // The source's pixels in another format; 1-, 4- and 8-bit targets go through the given
    // palette (or one made from the source) and a ditherer of the given class.
    TDeviceIndependentBitmap(const TDeviceIndependentBitmap &source, TDIBFormat format,
                             const TLogicalPalette *palette, TDithererClass ditherer,
                             const TProgressCallback &progress = {});

    int GetHeight() const override;
    int GetWidth() const override;
    std::unique_ptr<TZUBExtGraphic> Copy() const override;

    void ReAlloc(TDIBFormat format, int width, int height);
    static int64_t CalcDIBSize(TDIBFormat format, int width, int height);
    static int GetBitmapInfoSize(TDIBFormat format);
    static int BitsPerPixel(TDIBFormat format);

    TDIBFormat GetDIBType() const;
    int GetNumColours() const;
    const TRGBQuad *GetColourTable() const;
    int GetColourBits() const;
    uint32_t GetSize() const;
    uint32_t GetCompression() const;
    uint32_t GetRedMask() const;
    uint32_t GetGreenMask() const;
    uint32_t GetBlueMask() const;
    bool IsTopDown() const;
    int GetInfoSize() const { return infoSize_; }

    void SetColourTable(const TLogicalPalette &palette);
    void PackDIB();

    double GetAspectRatio() const;
    void SetAspectRatio(double ratio);
    int32_t GetXPelsPerMeter() const;
    int32_t GetYPelsPerMeter() const;
    void SetResolution(int32_t xPelsPerMeter, int32_t yPelsPerMeter);

    // BMP files. Reading validates the headers and raises EDIBError "Invalid DIB Header" for a
    // file that is not a readable bitmap; the bitmap keeps its old image then.
    void LoadFromFile(const std::string &name);
    void SaveToFile(const std::string &name) const;
    void LoadFromStream(graphics::TStream &stream);
    void SaveToStream(graphics::TStream &stream) const;
    // The clipboard's DIB format: the block without the file header.
    void LoadFromClipboardFormat(const std::vector<uint8_t> &data);
    std::vector<uint8_t> SaveToClipboardFormat() const;

    // Row iterators of the class for the bitmap's depth; the caller owns them, and they must
    // not outlive a replacement of the block.
    std::unique_ptr<TDIBReader> GetReader() const;
    std::unique_ptr<TDIBWriter> GetWriter();

    uint8_t *PixelRows() { return block_.data() + infoSize_; }
    const uint8_t *PixelRows() const { return block_.data() + infoSize_; }
    const std::vector<uint8_t> &Block() const { return block_; }

private:
    void SetProperties();
    void ReplaceBlock(std::vector<uint8_t> block);

    std::vector<uint8_t> block_;
    int infoSize_ = graphics::kInfoHeaderSize;
};
