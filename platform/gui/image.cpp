#include "platform/gui/image.h"

#include <QPainter>

#include "platform/gui/widgets.h"

TImage::TImage(TComponent *owner) : TControl(owner) {
    SetBounds(0, 0, 105, 105);
    AttachWidget(new gui::ControlWidget(this));
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    center_ = value;
    Invalidate();
}

QRect TImage::PictureRect() const {
    if (picture_.Graphic() == nullptr) return {};
    if (stretch_) return QRect(0, 0, Width(), Height());
    const int w = picture_.Width(), h = picture_.Height();
    if (center_) return QRect((Width() - w) / 2, (Height() - h) / 2, w, h);
    return QRect(0, 0, w, h);
}

void TImage::Paint(QPainter &painter) {
    const TGraphic *graphic = picture_.Graphic();
    if (graphic == nullptr || graphic->Empty()) return;
    painter.drawImage(PictureRect(), graphic->ToQImage());
}
