#pragma once
// The canvas brush: the colour that fills shapes and, when solid, the background of text.
#include "platform/gui/colors.h"
#include "platform/gui/graphics_object.h"

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Update(color_, color); }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { Update(style_, style); }

    void Assign(const TBrush &other) {
        SetColor(other.color_);
        SetStyle(other.style_);
    }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};
