#pragma once
// Painting of the barcode drawings: one rotated module rectangle, and the clearing of a region.
#include "platform/gui/canvas.h"

// Paints the pixels Left..Right x Top..Bottom of R (both ends included) in Colour, rotated by Angle
// about (0, 0) and moved by Origin. A one-pixel rectangle is set with SetPixel; any other is filled
// as a polygon through the outer corners of its pixels, without an outline, so that neighbouring
// rectangles meet exactly, neither overlapping nor leaving a gap, whatever the pen of the canvas.
// Leaves the brush solid in Colour and the pen clear in Colour.
void DrawRect(TCanvas *Canvas, const TRect &R, TColor Colour, const TPoint &Origin, double Rate,
              double Angle);

// Fills R (right and bottom edges excluded) with Colour; the pen and brush are restored afterwards.
void ClearRegion(TCanvas *Canvas, const TRect &R, TColor Colour);

namespace barcode {

// Keeps a copy of a canvas's pen and brush and puts them back when it goes.
class SavedTools {
public:
    explicit SavedTools(TCanvas &canvas);
    ~SavedTools();
    SavedTools(const SavedTools &) = delete;
    SavedTools &operator=(const SavedTools &) = delete;

private:
    TCanvas &canvas_;
    TPen pen_;
    TBrush brush_;
};

}  // namespace barcode
