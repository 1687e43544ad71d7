#pragma once
// JPEG pictures through libjpeg. Any error or warning of the decoder (a truncated or corrupt
// stream, a size of 0 or beyond the pixel budget) raises EInvalidGraphic; libjpeg's own handler,
// which would end the process, is never used.
#include <QByteArray>
#include <QImage>

#include "platform/gui/graphic.h"

namespace gui {

QImage ReadJpeg(const QByteArray &file);
QByteArray WriteJpeg(const QImage &image, int quality);

}  // namespace gui

class TJPEGImage : public TGraphic {
public:
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    // 1..100, used when saving.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int quality);

    void LoadFromStream(QIODevice &stream) override;
    void SaveToStream(QIODevice &stream) const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    QImage ToQImage() const override { return image_; }

private:
    QImage image_;
    int quality_ = 90;
};
