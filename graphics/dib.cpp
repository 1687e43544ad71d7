#include "graphics/dib.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/dib_block.h"
#include "graphics/dib_iterators.h"
#include "graphics/dither.h"
#include "graphics/errors.h"
#include "graphics/quantizer.h"

using namespace graphics;

namespace {

// 96 dots per inch: there is no screen to ask on a station without one.
constexpr int32_t kDefaultPelsPerMeter = 3780;

}  // namespace

TDeviceIndependentBitmap::TDeviceIndependentBitmap(TDIBFormat format, int width, int height) {
    ReAlloc(format, width, height);
}

TDeviceIndependentBitmap::TDeviceIndependentBitmap(const std::string &fileName) {
    LoadFromFile(fileName);
}

TDeviceIndependentBitmap::TDeviceIndependentBitmap(const TDeviceIndependentBitmap &source)
    : TZUBExtGraphic(source), block_(source.block_), infoSize_(source.infoSize_) {}

TDeviceIndependentBitmap::TDeviceIndependentBitmap(const TDeviceIndependentBitmap &source, TDIBFormat format,
                                                   const TLogicalPalette *palette, TDithererClass ditherer,
                                                   const TProgressCallback &progress) {
    ReAlloc(format, source.GetWidth(), source.GetHeight());
    Transparent = source.Transparent;
    TransparentColour = source.TransparentColour;
    SetResolution(source.GetXPelsPerMeter(), source.GetYPelsPerMeter());
    const std::unique_ptr<TDIBWriter> writer = GetWriter();
    if (BitsPerPixel(format) > 8) {
        writer->CopyDIB(source, progress);
        return;
    }
    std::unique_ptr<TLogicalPalette> made;
    if (!palette) {
        if (source.GetColourBits() <= 8) {
            made = std::make_unique<TLogicalPalette>(source);
        } else {
            // As many colours as the target's table can hold.
            made = std::make_unique<TQuantizedPalette>(source, 1 << BitsPerPixel(format));
        }
        palette = made.get();
    }
    auto &mapped = static_cast<TDIBMappedWriter &>(*writer);
    mapped.SetPalette(*palette);
    mapped.SetDitherer(ditherer ? ditherer : &TNoDither::Create);
    mapped.CopyDIB(source, progress);
    SetColourTable(*palette);
}

int TDeviceIndependentBitmap::GetHeight() const {
    return std::abs(GetI32(block_.data() + kBiHeight));
}
int TDeviceIndependentBitmap::GetWidth() const {
    return GetI32(block_.data() + kBiWidth);
}
bool TDeviceIndependentBitmap::IsTopDown() const {
    return GetI32(block_.data() + kBiHeight) < 0;
}

std::unique_ptr<TZUBExtGraphic> TDeviceIndependentBitmap::Copy() const {
    return std::make_unique<TDeviceIndependentBitmap>(*this);
}

int TDeviceIndependentBitmap::BitsPerPixel(TDIBFormat format) {
    static constexpr int kBits[] = {1, 4, 8, 16, 24, 32};
    return kBits[format];
}

int TDeviceIndependentBitmap::GetBitmapInfoSize(TDIBFormat format) {
    const int bits = BitsPerPixel(format);
    return kInfoHeaderSize + (bits <= 8 ? 4 << bits : 0);
}

int64_t TDeviceIndependentBitmap::CalcDIBSize(TDIBFormat format, int width, int height) {
    const int64_t rowBits = int64_t{width} * BitsPerPixel(format);
    const int64_t rowBytes = (rowBits + 31) / 32 * 4;
    return rowBytes * std::abs(int64_t{height});
}

void TDeviceIndependentBitmap::ReAlloc(TDIBFormat format, int width, int height) {
    if (width < 1 || height == 0 || int64_t{width} * std::abs(int64_t{height}) > kMaxDIBPixels)
        throw EDIBError("Invalid DIB dimensions");
    const int infoSize = GetBitmapInfoSize(format);
    const int64_t pixelSize = CalcDIBSize(format, width, height);
    std::vector<uint8_t> block(static_cast<size_t>(infoSize + pixelSize), 0);
    uint8_t *h = block.data();
    PutU32(h + kBiSize, kInfoHeaderSize);
    PutU32(h + kBiWidth, static_cast<uint32_t>(width));
    PutU32(h + kBiHeight, static_cast<uint32_t>(height));
    PutU16(h + kBiPlanes, 1);
    PutU16(h + kBiBitCount, static_cast<uint16_t>(BitsPerPixel(format)));
    PutU32(h + kBiCompression, kBiRgb);
    PutU32(h + kBiSizeImage, static_cast<uint32_t>(pixelSize));
    PutU32(h + kBiXPelsPerMeter, kDefaultPelsPerMeter);
    PutU32(h + kBiYPelsPerMeter, kDefaultPelsPerMeter);
    block_ = std::move(block);
    infoSize_ = infoSize;
}

void TDeviceIndependentBitmap::ReplaceBlock(std::vector<uint8_t> block) {
    block_ = std::move(block);
    SetProperties();
}

TDIBFormat TDeviceIndependentBitmap::GetDIBType() const {
    switch (GetColourBits()) {
        case 1:
            return dtMonochrome;
        case 4:
            return dt4bit;
        case 8:
            return dt8bit;
        case 16:
            return dt16bit;
        case 24:
            return dt24bit;
        default:
            return dt32bit;
    }
}

int TDeviceIndependentBitmap::GetColourBits() const {
    return GetU16(block_.data() + kBiBitCount);
}
uint32_t TDeviceIndependentBitmap::GetSize() const {
    return GetU32(block_.data() + kBiSizeImage);
}
uint32_t TDeviceIndependentBitmap::GetCompression() const {
    return GetU32(block_.data() + kBiCompression);
}

int TDeviceIndependentBitmap::GetNumColours() const {
    const uint32_t used = GetU32(block_.data() + kBiClrUsed);
    if (used != 0) return static_cast<int>(used);
    const int bits = GetColourBits();
    return bits <= 8 ? 1 << bits : 0;
}

const TRGBQuad *TDeviceIndependentBitmap::GetColourTable() const {
    if (GetNumColours() < 1) return nullptr;
    const int masks = GetCompression() == kBiBitFields ? 12 : 0;
    return reinterpret_cast<const TRGBQuad *>(block_.data() + kInfoHeaderSize + masks);
}

namespace {
uint32_t DefaultMask(int bits, int channel) {
    static constexpr uint32_t k16[] = {0x7C00, 0x03E0, 0x001F};
    static constexpr uint32_t k32[] = {0xFF0000, 0xFF00, 0xFF};
    return bits == 16 ? k16[channel] : bits == 32 ? k32[channel] : 0;
}
}  // namespace

uint32_t TDeviceIndependentBitmap::GetRedMask() const {
    const uint32_t compression = GetCompression();
    if (compression == kBiBitFields) return GetU32(block_.data() + kInfoHeaderSize);
    return compression == kBiRgb ? DefaultMask(GetColourBits(), 0) : 0;
}

uint32_t TDeviceIndependentBitmap::GetGreenMask() const {
    const uint32_t compression = GetCompression();
    if (compression == kBiBitFields) return GetU32(block_.data() + kInfoHeaderSize + 4);
    return compression == kBiRgb ? DefaultMask(GetColourBits(), 1) : 0;
}

uint32_t TDeviceIndependentBitmap::GetBlueMask() const {
    const uint32_t compression = GetCompression();
    if (compression == kBiBitFields) return GetU32(block_.data() + kInfoHeaderSize + 8);
    return compression == kBiRgb ? DefaultMask(GetColourBits(), 2) : 0;
}

void TDeviceIndependentBitmap::SetProperties() {
    const int masks = GetCompression() == kBiBitFields ? 12 : 0;
    infoSize_ = kInfoHeaderSize + masks + 4 * GetNumColours();
}

void TDeviceIndependentBitmap::PackDIB() {
    const int oldInfoSize = infoSize_;
    SetProperties();
    if (infoSize_ == oldInfoSize) return;
    const size_t pixelSize = GetSize();
    if (infoSize_ < oldInfoSize) {
        std::memmove(block_.data() + infoSize_, block_.data() + oldInfoSize, pixelSize);
        block_.resize(static_cast<size_t>(infoSize_) + pixelSize);
    } else {
        block_.resize(static_cast<size_t>(infoSize_) + pixelSize);
        std::memmove(block_.data() + infoSize_, block_.data() + oldInfoSize, pixelSize);
    }
}

void TDeviceIndependentBitmap::SetColourTable(const TLogicalPalette &palette) {
    const int masks = GetCompression() == kBiBitFields ? 12 : 0;
    if (kInfoHeaderSize + masks + 4 * palette.GetCount() > infoSize_)
        throw EDIBError("Unable to change DIB Colour Table");
    auto *table = reinterpret_cast<TRGBQuad *>(block_.data() + kInfoHeaderSize + masks);
    for (int i = 0; i < palette.GetCount(); ++i) {
        const TPaletteEntry &e = palette.Entry(i);
        table[i].rgbBlue = e.peBlue;
        table[i].rgbGreen = e.peGreen;
        table[i].rgbRed = e.peRed;
    }
    PutU32(block_.data() + kBiClrUsed, static_cast<uint32_t>(palette.GetCount()));
    PackDIB();
}

int32_t TDeviceIndependentBitmap::GetXPelsPerMeter() const {
    return GetI32(block_.data() + kBiXPelsPerMeter);
}
int32_t TDeviceIndependentBitmap::GetYPelsPerMeter() const {
    return GetI32(block_.data() + kBiYPelsPerMeter);
}

void TDeviceIndependentBitmap::SetResolution(int32_t xPelsPerMeter, int32_t yPelsPerMeter) {
    PutU32(block_.data() + kBiXPelsPerMeter, static_cast<uint32_t>(xPelsPerMeter));
    PutU32(block_.data() + kBiYPelsPerMeter, static_cast<uint32_t>(yPelsPerMeter));
}

double TDeviceIndependentBitmap::GetAspectRatio() const {
    const int32_t y = GetYPelsPerMeter();
    return y == 0 ? 1.0 : static_cast<double>(GetXPelsPerMeter()) / y;
}

void TDeviceIndependentBitmap::SetAspectRatio(double ratio) {
    if (ratio == GetAspectRatio()) return;
    const double x = std::nearbyint(GetYPelsPerMeter() * ratio);
    SetResolution(x >= INT32_MIN && x <= INT32_MAX ? static_cast<int32_t>(x) : 0, GetYPelsPerMeter());
}

std::unique_ptr<TDIBReader> TDeviceIndependentBitmap::GetReader() const {
    switch (GetDIBType()) {
        case dtMonochrome:
            return std::make_unique<TDIB1Reader>(*this);
        case dt4bit:
            return std::make_unique<TDIB4Reader>(*this);
        case dt8bit:
            return std::make_unique<TDIB8Reader>(*this);
        case dt16bit:
            return std::make_unique<TDIB16Reader>(*this);
        case dt24bit:
            return std::make_unique<TDIB24Reader>(*this);
        case dt32bit:
            return std::make_unique<TDIB32Reader>(*this);
    }
    throw EScanError("Cannot read this type of DIB");
}

std::unique_ptr<TDIBWriter> TDeviceIndependentBitmap::GetWriter() {
    switch (GetDIBType()) {
        case dtMonochrome:
            return std::make_unique<TDIB1Writer>(*this);
        case dt4bit:
            return std::make_unique<TDIB4Writer>(*this);
        case dt8bit:
            return std::make_unique<TDIB8Writer>(*this);
        case dt16bit:
            return std::make_unique<TDIB16Writer>(*this);
        case dt24bit:
            return std::make_unique<TDIB24Writer>(*this);
        case dt32bit:
            return std::make_unique<TDIB32Writer>(*this);
    }
    throw EDIBError("Cannot write to this type of DIB");
}
