#include "platform/gui/bitmap.h"

#include <QIODevice>
#include <QPainter>
#include <algorithm>

#include "platform/gui/bmp.h"

TBitmap::TBitmap() : canvas_(std::make_unique<gui::PainterCanvas>(&image_, true)) {}

TBitmap::TBitmap(const TBitmap &other) : TBitmap() {
    SetImage(other.ToQImage());
}

TBitmap &TBitmap::operator=(const TBitmap &other) {
    if (this != &other) SetImage(other.ToQImage());
    return *this;
}

TBitmap::~TBitmap() {
    canvas_->Close();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    if (static_cast<long long>(width) * height > gui::kMaxBitmapPixels)
        throw EInvalidGraphic("Bitmap size too large");
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!image_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, ToQImage());
    }
    SetImage(resized);
}

void TBitmap::Assign(const TGraphic &source) {
    if (&source != this) SetImage(source.ToQImage());
}

void TBitmap::SetImage(const QImage &image) {
    canvas_->Close();
    image_ = image.convertToFormat(QImage::Format_RGB32);
}

void TBitmap::LoadFromStream(QIODevice &stream) {
    SetImage(gui::ReadBmp(stream.readAll()));
}

void TBitmap::SaveToStream(QIODevice &stream) const {
    WriteAll(stream, gui::WriteBmp(ToQImage()));
}

QImage TBitmap::ToQImage() const {
    canvas_->Close();  // finishes what the canvas painted
    return image_;
}
