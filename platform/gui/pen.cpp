#include "platform/gui/pen.h"

#include <QPen>
#include <algorithm>

void TPen::Assign(const TPen &other) {
    SetColor(other.color_);
    SetWidth(other.width_);
    SetStyle(other.style_);
}

QPen TPen::ToQPen() const {
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                               Qt::SolidLine};
    QPen pen(ToQColor(color_));
    pen.setStyle(kStyles[style_]);
    pen.setWidth(std::max(width_, 1));
    const bool wide = width_ > 1;
    pen.setCapStyle(wide ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(wide ? Qt::RoundJoin : Qt::MiterJoin);
    return pen;
}
