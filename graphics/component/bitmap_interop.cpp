#include "graphics/component/bitmap_interop.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "graphics/component/dib_image.h"
#include "graphics/dither.h"
#include "graphics/errors.h"
#include "graphics/stream.h"

namespace graphics {

namespace {

// The clipboard format of a DIB: the bitmap information, colour table and rows, without the
// file header.
const QString kDibMime = QStringLiteral("image/x-dib");

// Replaces the DIB's whole image by another's.
void Replace(TDeviceIndependentBitmap &dib, const TDeviceIndependentBitmap &source) {
    dib.LoadFromClipboardFormat(source.SaveToClipboardFormat());
}

}  // namespace

std::unique_ptr<TBitmap> CreateBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    return bitmap;
}

std::unique_ptr<TBitmap> AsBitmap(const TDeviceIndependentBitmap &dib) {
    TMemoryStream bmp;
    dib.SaveToStream(bmp);
    QByteArray bytes(reinterpret_cast<const char *>(bmp.Bytes().data()), static_cast<qsizetype>(bmp.Bytes().size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(buffer);
    return bitmap;
}

void Bitmap2DIB(TDeviceIndependentBitmap &dib, const TBitmap &bitmap) {
    if (bitmap.Width() != dib.GetWidth() || bitmap.Height() != dib.GetHeight())
        throw EDIBError("Cannot obtain a Device Independent Bitmap");
    LoadBitmap(dib, dib.GetDIBType(), bitmap);
}

void LoadBitmap(TDeviceIndependentBitmap &dib, TDIBFormat format, const TBitmap &bitmap) {
    if (bitmap.Width() < 1 || bitmap.Height() < 1) throw EDIBError("Cannot obtain a Device Independent Bitmap");
    const TDeviceIndependentBitmap colours = DIBFromImage(bitmap.ToQImage());
    if (format == dt24bit) {
        Replace(dib, colours);
    } else {
        Replace(dib, TDeviceIndependentBitmap(colours, format, nullptr, &TNoDither::Create));
    }
}

TDeviceIndependentBitmap DIBFromBitmap(const TBitmap &bitmap, TDIBFormat format) {
    TDeviceIndependentBitmap dib(format, 1, 1);
    LoadBitmap(dib, format, bitmap);
    return dib;
}

void AssignTo(const TDeviceIndependentBitmap &dib, TBitmap &bitmap) {
    bitmap.Assign(*AsBitmap(dib));
}

void AssignTo(const TDeviceIndependentBitmap &dib, TPicture &picture) {
    picture.SetGraphic(AsBitmap(dib).get());
}

void Assign(TDeviceIndependentBitmap &dib, const TBitmap &bitmap) {
    LoadBitmap(dib, dib.GetDIBType(), bitmap);
}

void Assign(TDeviceIndependentBitmap &dib, TPicture &picture) {
    if (picture.Graphic() == nullptr) throw EDIBError("Cannot obtain a Device Independent Bitmap");
    TBitmap bitmap;
    bitmap.Assign(*picture.Graphic());
    LoadBitmap(dib, dib.GetDIBType(), bitmap);
}

void CopyToClipboard(const TDeviceIndependentBitmap &dib) {
    const std::vector<uint8_t> block = dib.SaveToClipboardFormat();
    auto *data = new QMimeData;
    data->setData(kDibMime, QByteArray(reinterpret_cast<const char *>(block.data()), static_cast<qsizetype>(block.size())));
    data->setImageData(ImageFromDIB(dib));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PasteFromClipboard(TDeviceIndependentBitmap &dib) {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(kDibMime)) throw EDIBError("Clipboard does not contain a DIB!");
    const QByteArray block = data->data(kDibMime);
    dib.LoadFromClipboardFormat(std::vector<uint8_t>(block.begin(), block.end()));
}

}  // namespace graphics
