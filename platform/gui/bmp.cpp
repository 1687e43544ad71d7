#include "platform/gui/bmp.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "platform/gui/graphic.h"

namespace gui {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;
constexpr int kInfoHeaderSize = 40;
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitFields = 3;

[[noreturn]] void Invalid(const std::string &reason) {
    throw EInvalidGraphic("Bitmap image is not valid: " + reason);
}

// Little-endian reads inside the file; reading past its end is an invalid bitmap.
class Bytes {
public:
    explicit Bytes(const QByteArray &data) : data_(data) {}
    long long Size() const { return data_.size(); }
    uint32_t U8(long long at) const { return static_cast<uint8_t>(data_[Check(at, 1)]); }
    uint32_t U16(long long at) const { return U8(Check(at, 2)) | U8(at + 1) << 8; }
    uint32_t U32(long long at) const { return U16(Check(at, 4)) | U16(at + 2) << 16; }
    int32_t I32(long long at) const { return static_cast<int32_t>(U32(at)); }

private:
    long long Check(long long at, long long count) const {
        if (at < 0 || at + count > data_.size()) Invalid("the file is truncated");
        return at;
    }
    const QByteArray &data_;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {}
    uint32_t Of(uint32_t pixel) const { return max_ ? ((pixel & mask_) >> shift_) * 255u / max_ : 0; }

private:
    uint32_t mask_;
    int shift_;
    uint32_t max_;
};

struct Header {
    long long width = 0;
    long long height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kCompressionRgb;
    uint32_t colorsUsed = 0;
    std::array<uint32_t, 3> masks{};  // red, green, blue
    long long paletteAt = 0;
    int paletteEntrySize = 4;
};

Header ReadHeader(const Bytes &bytes) {
    if (bytes.Size() < kFileHeaderSize + 4 || bytes.U16(0) != 0x4D42) Invalid("no BM signature");
    const long long infoSize = bytes.U32(kFileHeaderSize);
    constexpr long long at = kFileHeaderSize;
    Header h;
    if (infoSize == kCoreHeaderSize) {
        h.width = bytes.U16(at + 4);
        h.height = bytes.U16(at + 6);
        if (bytes.U16(at + 8) != 1) Invalid("planes is not 1");
        h.bitCount = static_cast<int>(bytes.U16(at + 10));
        h.paletteEntrySize = 3;
        h.paletteAt = at + kCoreHeaderSize;
    } else if (infoSize >= kInfoHeaderSize && infoSize <= 124) {
        h.width = bytes.I32(at + 4);
        const long long height = bytes.I32(at + 8);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        if (bytes.U16(at + 12) != 1) Invalid("planes is not 1");
        h.bitCount = static_cast<int>(bytes.U16(at + 14));
        h.compression = bytes.U32(at + 16);
        h.colorsUsed = bytes.U32(at + 32);
        h.paletteAt = at + infoSize;
        if (h.compression == kCompressionBitFields) {
            // Masks are part of the later headers, or follow a plain info header.
            const long long masksAt = at + kInfoHeaderSize;
            for (int i = 0; i < 3; ++i) h.masks[i] = bytes.U32(masksAt + 4 * i);
            if (infoSize == kInfoHeaderSize) h.paletteAt += 12;
        }
    } else {
        Invalid("unknown header size " + std::to_string(infoSize));
    }
    return h;
}

void CheckHeader(const Header &h) {
    const bool indexed = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8;
    if (!indexed && h.bitCount != 16 && h.bitCount != 24 && h.bitCount != 32)
        Invalid("unsupported bit count " + std::to_string(h.bitCount));
    if (h.compression != kCompressionRgb &&
        !(h.compression == kCompressionBitFields && (h.bitCount == 16 || h.bitCount == 32)))
        Invalid("unsupported compression " + std::to_string(h.compression));
    if (h.width <= 0 || h.height <= 0) Invalid("empty image");
    if (h.width > kMaxBitmapPixels || h.height > kMaxBitmapPixels || h.width * h.height > kMaxBitmapPixels)
        Invalid("image too large");
    if (indexed && h.colorsUsed > (1u << h.bitCount)) Invalid("colour table too large");
}

std::array<QRgb, 256> ReadPalette(const Bytes &bytes, const Header &h) {
    std::array<QRgb, 256> palette;
    palette.fill(qRgb(0, 0, 0));  // indexes past the table paint black
    if (h.bitCount > 8) return palette;
    const uint32_t count = h.colorsUsed ? h.colorsUsed : 1u << h.bitCount;
    for (uint32_t i = 0; i < count; ++i) {
        const long long at = h.paletteAt + static_cast<long long>(i) * h.paletteEntrySize;
        palette[i] = qRgb(bytes.U8(at + 2), bytes.U8(at + 1), bytes.U8(at));
    }
    return palette;
}

std::array<Channel, 3> PixelChannels(const Header &h) {
    if (h.compression == kCompressionBitFields)
        return {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
    if (h.bitCount == 16) return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

QRgb ReadPixel(const Bytes &bytes, long long rowAt, long long x, const Header &h,
               const std::array<QRgb, 256> &palette, const std::array<Channel, 3> &channels) {
    switch (h.bitCount) {
        case 1:
        case 4:
        case 8: {
            const long long bit = x * h.bitCount;
            const uint32_t byte = bytes.U8(rowAt + bit / 8);
            const int shift = 8 - h.bitCount - static_cast<int>(bit % 8);
            return palette[(byte >> shift) & ((1u << h.bitCount) - 1)];
        }
        case 24: {
            const long long at = rowAt + x * 3;
            return qRgb(bytes.U8(at + 2), bytes.U8(at + 1), bytes.U8(at));
        }
        default: {
            const uint32_t pixel = h.bitCount == 16 ? bytes.U16(rowAt + x * 2) : bytes.U32(rowAt + x * 4);
            return qRgb(channels[0].Of(pixel), channels[1].Of(pixel), channels[2].Of(pixel));
        }
    }
}

void PutU16(QByteArray &out, uint32_t value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8 & 0xFF));
}

void PutU32(QByteArray &out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

QImage ReadBmp(const QByteArray &file) {
    const Bytes bytes(file);
    const Header h = ReadHeader(bytes);
    CheckHeader(h);
    const std::array<QRgb, 256> palette = ReadPalette(bytes, h);
    const std::array<Channel, 3> channels = PixelChannels(h);
    long long pixelsAt = bytes.U32(10);
    if (pixelsAt == 0) pixelsAt = h.paletteAt;
    const long long stride = (h.width * h.bitCount + 31) / 32 * 4;
    if (pixelsAt < kFileHeaderSize || pixelsAt + stride * h.height > bytes.Size())
        Invalid("the pixels are truncated");

    QImage image(static_cast<int>(h.width), static_cast<int>(h.height), QImage::Format_RGB32);
    if (image.isNull()) Invalid("out of memory");
    for (long long row = 0; row < h.height; ++row) {
        const long long y = h.topDown ? row : h.height - 1 - row;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(y)));
        const long long rowAt = pixelsAt + row * stride;
        for (long long x = 0; x < h.width; ++x) line[x] = ReadPixel(bytes, rowAt, x, h, palette, channels);
    }
    return image;
}

QByteArray WriteBmp(const QImage &source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const uint32_t width = image.width(), height = image.height();
    const uint32_t stride = (width * 3 + 3) / 4 * 4;
    const uint32_t pixelsAt = kFileHeaderSize + kInfoHeaderSize;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(pixelsAt + stride * height));
    out.append("BM");
    PutU32(out, pixelsAt + stride * height);
    PutU32(out, 0);
    PutU32(out, pixelsAt);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, width);
    PutU32(out, height);
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, kCompressionRgb);
    PutU32(out, stride * height);
    for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and colour counts
    for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (uint32_t x = 0; x < width; ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        out.append(QByteArray(stride - width * 3, '\0'));
    }
    return out;
}

}  // namespace gui
