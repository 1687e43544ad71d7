#pragma once
// The canvas pen: colour, width in device pixels and line style. A width of 0 or 1 is one device
// pixel; wider pens draw with round ends and joins.
#include "platform/gui/colors.h"
#include "platform/gui/graphics_object.h"

class QPen;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Update(color_, color); }
    int Width() const { return width_; }
    void SetWidth(int width) { Update(width_, width); }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style) { Update(style_, style); }

    void Assign(const TPen &other);

    // The Qt pen to paint with (Qt::NoPen for psClear).
    QPen ToQPen() const;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};
