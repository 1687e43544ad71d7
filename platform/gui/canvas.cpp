#include "platform/gui/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gui/graphic.h"

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
    DoMoveTo(penPos_);
}

void TCanvas::LineTo(int x, int y) {
    DoLineTo(penPos_, {x, y});
    penPos_ = {x, y};
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    DoRectangle({x1, y1, x2, y2});
    Changed();
}

void TCanvas::FillRect(const TRect &rect) {
    DoFillRect(rect);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint> &points) {
    DoPolygon(points);
    Changed();
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    DoSetPixel({x, y}, color);
    Changed();
}

void TCanvas::TextOut(int x, int y, const QString &text) {
    DoTextOut({x, y}, text);
    penPos_ = {x + TextWidth(text), y};
    Changed();
}

int TCanvas::TextWidth(const QString &text) const {
    return QFontMetrics(font_.ToQFont(), MetricsDevice()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString &) const {
    return QFontMetrics(font_.ToQFont(), MetricsDevice()).height();
}

void TCanvas::Draw(int x, int y, const TGraphic &graphic) {
    DoDraw({x, y}, graphic);
    Changed();
}

void TCanvas::StretchDraw(const TRect &rect, const TGraphic &graphic) {
    DoStretchDraw(rect, graphic);
    Changed();
}

namespace gui {
namespace {

// The pixels [left, right) x [top, bottom) of a rectangle given by any two corners.
QRect PixelRect(const TRect &rect) {
    const int left = std::min(rect.Left, rect.Right), right = std::max(rect.Left, rect.Right);
    const int top = std::min(rect.Top, rect.Bottom), bottom = std::max(rect.Top, rect.Bottom);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace

PainterCanvas::PainterCanvas(QPaintDevice *device, bool openOnDemand)
    : device_(device), openOnDemand_(openOnDemand) {}

PainterCanvas::~PainterCanvas() {
    Close();
}

bool PainterCanvas::Open() {
    if (painter_) return true;
    if (device_->width() <= 0 || device_->height() <= 0) return false;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device_)) return false;
    // A printer keeps its paint engine from one document to the next, with the colours the last
    // document ended in; a new painter's default pen and brush would not be sent to it, so they
    // are sent once explicitly.
    painter->setPen(Qt::NoPen);
    painter->setPen(QPen());
    painter->setBrush(Qt::SolidPattern);
    painter->setBrush(QBrush());
    painter_ = std::move(painter);
    return true;
}

void PainterCanvas::Close() {
    if (!painter_) return;
    painter_->end();
    painter_.reset();
}

QPainter *PainterCanvas::Active() {
    if (!painter_ && openOnDemand_) Open();
    return painter_.get();
}

TColor PainterCanvas::Pixel(int x, int y) const {
    if (device_->devType() != QInternal::Image) return -1;
    const auto *image = static_cast<const QImage *>(device_);
    if (!image->valid(x, y)) return -1;
    const QRgb rgb = image->pixel(x, y);
    return static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
}

void PainterCanvas::DoLineTo(TPoint from, TPoint to) {
    QPainter *painter = Active();
    if (!painter || Pen().Style() == psClear || from == to) return;
    painter->setPen(Pen().ToQPen());
    if (Pen().Width() > 1) {
        painter->drawLine(from.X, from.Y, to.X, to.Y);
        return;
    }
    // One-pixel lines stop one step short of the end point along their major axis.
    const int dx = to.X - from.X, dy = to.Y - from.Y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const QPointF last(from.X + dx * double(steps - 1) / steps, from.Y + dy * double(steps - 1) / steps);
    painter->drawLine(QPointF(from.X, from.Y), QPointF(std::round(last.x()), std::round(last.y())));
}

void PainterCanvas::DoRectangle(const TRect &rect) {
    QPainter *painter = Active();
    const QRect pixels = PixelRect(rect);
    if (!painter || pixels.isEmpty()) return;
    if (Brush().Style() == bsSolid) painter->fillRect(pixels, ToQColor(Brush().Color()));
    if (Pen().Style() == psClear) return;
    painter->setPen(Pen().ToQPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(pixels.adjusted(0, 0, -1, -1));
}

void PainterCanvas::DoFillRect(const TRect &rect) {
    QPainter *painter = Active();
    if (!painter || Brush().Style() != bsSolid) return;
    painter->fillRect(PixelRect(rect), ToQColor(Brush().Color()));
}

void PainterCanvas::DoPolygon(const std::vector<TPoint> &points) {
    QPainter *painter = Active();
    if (!painter || points.empty()) return;
    QPolygon polygon;
    for (const TPoint &p : points) polygon << QPoint(p.X, p.Y);
    painter->setPen(Pen().ToQPen());
    painter->setBrush(Brush().Style() == bsSolid ? QBrush(ToQColor(Brush().Color())) : QBrush(Qt::NoBrush));
    painter->drawPolygon(polygon);
}

void PainterCanvas::DoSetPixel(TPoint at, TColor color) {
    if (QPainter *painter = Active()) painter->fillRect(at.X, at.Y, 1, 1, ToQColor(color));
}

void PainterCanvas::DoTextOut(TPoint at, const QString &text) {
    QPainter *painter = Active();
    if (!painter || text.isEmpty()) return;
    const QFont font = Font().ToQFont();
    const QFontMetrics metrics(font, device_);
    if (Brush().Style() == bsSolid)
        painter->fillRect(at.X, at.Y, metrics.horizontalAdvance(text), metrics.height(),
                          ToQColor(Brush().Color()));
    painter->setFont(font);
    painter->setPen(ToQColor(Font().Color()));
    // Qt places the baseline at y; the canvas places the top of the text cell there.
    painter->drawText(at.X, at.Y + metrics.ascent(), text);
}

void PainterCanvas::DoDraw(TPoint at, const TGraphic &graphic) {
    DoStretchDraw({at.X, at.Y, at.X + graphic.Width(), at.Y + graphic.Height()}, graphic);
}

void PainterCanvas::DoStretchDraw(const TRect &rect, const TGraphic &graphic) {
    QPainter *painter = Active();
    const QRect target = PixelRect(rect);
    if (!painter || graphic.Empty() || target.isEmpty()) return;
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(target, graphic.ToQImage());
}

}  // namespace gui
