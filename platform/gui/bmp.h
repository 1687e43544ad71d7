#pragma once
// Windows bitmap files (BMP): our own reader and writer.
// Reads 1, 4 and 8 bits per pixel with a colour table, 16 and 32 bits plain or with bit-field
// masks, and 24 bits, bottom-up or top-down, with the core, info and later headers. Everything is
// checked against the file's size before it is read; a header that does not add up, a compression
// other than bit fields, a size of 0 or beyond the pixel budget raise EInvalidGraphic.
// Writes 24 bits per pixel, bottom-up, with an info header.
#include <QByteArray>
#include <QImage>

namespace gui {

// The largest number of pixels a bitmap may hold (an A4 page at 600 dpi is about 35 million).
inline constexpr long long kMaxBitmapPixels = 1LL << 26;

QImage ReadBmp(const QByteArray &file);
QByteArray WriteBmp(const QImage &image);

}  // namespace gui
