#include "platform/gui/label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QWidget>

#include "platform/gui/widgets.h"

namespace {

QStringList CaptionLines(const QString &caption) {
    static const QRegularExpression kBreak("\r\n|\n|\r");
    return caption.split(kBreak);
}

}  // namespace

TLabel::TLabel(TComponent *owner) : TControl(owner) {
    SetBounds(0, 0, 32, 13);
    AdjustSize();
}

QWidget *TLabel::MakeWidget() {
    return new gui::ControlWidget(this);
}

void TLabel::SetCaption(const QString &caption) {
    if (caption == caption_) return;
    caption_ = caption;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    ResolvePendingSize();
    autoSize_ = value;
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::ColorChanged() {
    transparent_ = false;
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::AdjustSize() {
    if (!autoSize_ || Loading()) return;
    // A label that shows nothing yet (most stand on hidden pages) is measured when its size is
    // needed; a shown one at once.
    SetSizePending();
    if (HasWidget()) ResolvePendingSize();
}

void TLabel::ResolveSize() {
    if (autoSize_ && !Loading()) Measure();
}

QStringList TLabel::MeasuredLines() const {
    return CaptionLines(caption_.isEmpty() ? QStringLiteral(" ") : caption_);
}

int TLabel::PendingHeight() const {
    if (!autoSize_ || Loading()) return TControl::PendingHeight();
    // As Measure will set it, without measuring the lines' widths.
    return QFontMetrics(Font().ToQFont()).height() * static_cast<int>(MeasuredLines().size());
}

void TLabel::Measure() {
    const QFontMetrics metrics(Font().ToQFont());
    const QStringList lines = MeasuredLines();
    int width = 0;
    for (const QString &line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    SetBounds(Left(), Top(), width, metrics.height() * static_cast<int>(lines.size()));
}

void TLabel::Paint(QPainter &painter) {
    if (!transparent_) painter.fillRect(Widget()->rect(), ToQColor(Color()));
    painter.setPen(ToQColor(Font().Color()));
    const int flags = alignment_ == taLeftJustify    ? Qt::AlignLeft
                      : alignment_ == taRightJustify ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
    const QFontMetrics metrics(painter.font());
    int y = 0;
    for (const QString &line : CaptionLines(caption_)) {
        painter.drawText(QRect(0, y, Widget()->width(), metrics.height()), flags | Qt::AlignTop, line);
        y += metrics.height();
    }
}
