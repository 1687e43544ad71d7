#include "barcode/component/region_drawing.h"

#include "barcode/component/geometry2d.h"

namespace barcode {

SavedTools::SavedTools(TCanvas &canvas) : canvas_(canvas) {
    pen_.Assign(canvas.Pen());
    brush_.Assign(canvas.Brush());
}

SavedTools::~SavedTools() {
    canvas_.Pen().Assign(pen_);
    canvas_.Brush().Assign(brush_);
}

}  // namespace barcode

void DrawRect(TCanvas *Canvas, const TRect &R, TColor Colour, const TPoint &Origin, double Rate,
              double Angle) {
    if (Canvas == nullptr) return;
    Canvas->Pen().SetColor(Colour);
    Canvas->Pen().SetStyle(psClear);
    Canvas->Brush().SetColor(Colour);
    Canvas->Brush().SetStyle(bsSolid);
    if (R.Left == R.Right && R.Top == R.Bottom) {
        const TPoint at = Translate2D(Rotate2D({R.Left, R.Top}, Rate, Angle), Origin);
        Canvas->SetPixel(at.X, at.Y, Colour);
        return;
    }
    // The origin addresses pixels by their top-left corners; the outer corners of the area need
    // the step back that the origin took off.
    const TPoint areaOrigin = Translate2D(Origin, barcode::PixelAreaShift(Angle));
    auto corner = [&](int x, int y) { return Translate2D(Rotate2D({x, y}, Rate, Angle), areaOrigin); };
    Canvas->Polygon({corner(R.Left, R.Top), corner(R.Right + 1, R.Top), corner(R.Right + 1, R.Bottom + 1),
                     corner(R.Left, R.Bottom + 1)});
}

void ClearRegion(TCanvas *Canvas, const TRect &R, TColor Colour) {
    if (Canvas == nullptr) return;
    const barcode::SavedTools saved(*Canvas);
    Canvas->Brush().SetColor(Colour);
    Canvas->Brush().SetStyle(bsSolid);
    Canvas->FillRect(R);
}
