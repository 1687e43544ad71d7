#include "platform/gui/panel.h"

#include <QPainter>
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
    AttachWidget(new gui::ControlWidget(this));
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

void TPanel::Paint(QPainter &painter) {
    QRect rect = Widget()->rect();
    painter.fillRect(rect, ToQColor(Color()));
    rect = DrawBevel(painter, rect, bevelOuter_, bevelWidth_);
    rect = DrawBevel(painter, rect, bevelInner_, bevelWidth_);
    if (caption_.isEmpty()) return;
    painter.setPen(ToQColor(Font().Color()));
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= alignment_ == taLeftJustify    ? Qt::AlignLeft
             : alignment_ == taRightJustify ? Qt::AlignRight
                                            : Qt::AlignHCenter;
    // A lone hyphen is a mark ("-" beside "+"): drawn as the minus sign, as wide as the plus.
    painter.drawText(rect, flags, caption_ == QLatin1String("-") ? QString(QChar(0x2212)) : caption_);
}
