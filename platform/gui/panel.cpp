#include "platform/gui/panel.h"

#include <QPainter>
#include <algorithm>
#include <QWidget>

#include "platform/gui/widgets.h"

namespace {

// Draws one bevel ring of the given width inside rect and returns the rectangle inside it.
QRect DrawBevel(QPainter &painter, QRect rect, TBevelCut cut, int width) {
    if (cut == bvNone) return rect;
    if (cut != bvSpace) {
        const QColor light = ToQColor(clBtnHighlight);
        const QColor dark = ToQColor(clBtnShadow);
        const QColor topLeft = cut == bvRaised ? light : dark;
        const QColor bottomRight = cut == bvRaised ? dark : light;
        for (int i = 0; i < width; ++i) {
            const QRect r = rect.adjusted(i, i, -i, -i);
            painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
            painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
            painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
            painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
        }
    }
    return rect.adjusted(width, width, -width, -width);
}

}  // namespace

TPanel::TPanel(TComponent *owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
}

QWidget *TPanel::MakeWidget() {
    return new gui::ControlWidget(this);
}

void TPanel::SetCaption(const QString &caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    bevelOuter_ = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
    bevelInner_ = bevel;
    Invalidate();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = width < 1 ? 1 : width;
    Invalidate();
}

void TPanel::SetTickBox(bool value) {
    tickBox_ = value;
    Invalidate();
}

void TPanel::Paint(QPainter &painter) {
    QRect rect = Widget()->rect();
    const bool greyed = tickBox_ && !Enabled() && Color() != clBlack;
    painter.fillRect(rect, ToQColor(greyed ? clGrayText : Color()));
    rect = DrawBevel(painter, rect, greyed ? bvLowered : bevelOuter_, bevelWidth_);
    rect = DrawBevel(painter, rect, bevelInner_, bevelWidth_);
    if (tickBox_) PaintTickBox(painter, rect);
    if (!caption_.isEmpty()) PaintCaption(painter, rect);
}

void TPanel::PaintTickBox(QPainter &painter, QRect inside) {
    if (Color() != clBlack) return;
    // A check mark over the box's inner area, its stroke a fifth of the box; grey while the box
    // cannot be changed.
    const qreal w = inside.width(), h = inside.height();
    QPen pen(ToQColor(Enabled() ? clWhite : clGrayText), std::max<qreal>(1.5, std::min(w, h) / 5));
    pen.setCapStyle(Qt::SquareCap);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    const QPointF points[] = {{inside.left() + w * 0.2, inside.top() + h * 0.5},
                              {inside.left() + w * 0.42, inside.top() + h * 0.75},
                              {inside.left() + w * 0.8, inside.top() + h * 0.22}};
    painter.drawPolyline(points, 3);
    painter.restore();
}

void TPanel::PaintCaption(QPainter &painter, QRect inside) {
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= alignment_ == taLeftJustify    ? Qt::AlignLeft
             : alignment_ == taRightJustify ? Qt::AlignRight
                                            : Qt::AlignHCenter;
    // A lone hyphen is a mark ("-" beside "+"): drawn as the minus sign, as wide as the plus.
    const QString text = caption_ == QLatin1String("-") ? QString(QChar(0x2212)) : caption_;
    const TColor ink = Font().Color();
    // A caption in a colour close to the face (green on the grey of a tariff button) stands on a
    // plate of white or black, whichever is further from it, so that it reads on either face.
    if (ContrastRatio(ink, Color()) < 3) {
        const int pad = std::max(1, painter.fontMetrics().height() / 8);
        const QRect plate = painter.boundingRect(inside, flags, text).adjusted(-2 * pad, -pad, 2 * pad, pad);
        painter.fillRect(plate & inside, ContrastRatio(ink, clWhite) >= ContrastRatio(ink, clBlack) ? Qt::white : Qt::black);
    }
    painter.setPen(ToQColor(ink));
    painter.drawText(inside, flags, text);
}
