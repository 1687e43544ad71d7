#pragma once
// A bitmap: an RGB image with a canvas to draw on; loads and saves Windows bitmap files.
// A new or enlarged area is white.
#include <QImage>
#include <memory>

#include "platform/gui/canvas.h"
#include "platform/gui/graphic.h"

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(const TBitmap &other);
    TBitmap &operator=(const TBitmap &other);
    ~TBitmap() override;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Keeps the pixels that stay inside; negative sizes count as 0.
    void SetSize(int width, int height);

    TCanvas *Canvas() { return canvas_.get(); }

    // Takes the pixels of any graphic.
    void Assign(const TGraphic &source);
    void SetImage(const QImage &image);

    void LoadFromStream(QIODevice &stream) override;
    void SaveToStream(QIODevice &stream) const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
    QImage ToQImage() const override;

private:
    QImage image_;
    std::unique_ptr<gui::PainterCanvas> canvas_;
};
