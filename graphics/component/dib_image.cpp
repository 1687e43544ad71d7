#include "graphics/component/dib_image.h"

#include "graphics/dib_iterators.h"

namespace graphics {

QImage ImageFromDIB(const TDeviceIndependentBitmap &dib) {
    QImage image(dib.GetWidth(), dib.GetHeight(), QImage::Format_RGB32);
    const auto reader = dib.GetReader();
    for (int y = 0; !reader->EndOfImage(); ++y, reader->NextRow()) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        uint8_t r, g, b;
        for (int x = 0; reader->GetNextPixel(r, g, b); ++x) row[x] = qRgb(r, g, b);
    }
    return image;
}

TDeviceIndependentBitmap DIBFromImage(const QImage &image) {
    TDeviceIndependentBitmap dib(dt24bit, image.width(), image.height());
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto writer = dib.GetWriter();
    for (int y = 0; !writer->EndOfImage(); ++y, writer->NextRow()) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            writer->SetNextPixel(static_cast<uint8_t>(qRed(row[x])), static_cast<uint8_t>(qGreen(row[x])),
                                 static_cast<uint8_t>(qBlue(row[x])));
    }
    return dib;
}

}  // namespace graphics
