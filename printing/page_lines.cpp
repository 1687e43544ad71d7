#include "printing/page_lines.h"

#include <cstdint>

#include "printing/page_units.h"

namespace {

// Sets the pen's colour and width for the lifetime of the object and gives the old ones back.
class PenOverride {
public:
    PenOverride(TPen &pen, TColor colour, int width) : pen_(pen), colour_(pen.Color()), width_(pen.Width()) {
        pen_.SetColor(colour);
        pen_.SetWidth(width);
    }
    ~PenOverride() {
        pen_.SetColor(colour_);
        pen_.SetWidth(width_);
    }
    PenOverride(const PenOverride &) = delete;
    PenOverride &operator=(const PenOverride &) = delete;

private:
    TPen &pen_;
    TColor colour_;
    int width_;
};

}  // namespace

void DrawVertLine(int x, int y1, int y2, TCanvas &canvas) {
    canvas.MoveTo(x, y1);
    canvas.LineTo(x, y2);
}

void DrawHorizLine(int y, int x1, int x2, TCanvas &canvas) {
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
}

void DrawRect(int top, int right, int bottom, int left, TCanvas &canvas) {
    canvas.MoveTo(left, top);
    canvas.LineTo(right, top);
    canvas.LineTo(right, bottom);
    canvas.LineTo(left, bottom);
    canvas.LineTo(left, top);
}

void DrawRectBlack(int top, int right, int bottom, int left, TCanvas &canvas) {
    for (std::int64_t y = top; y <= bottom; ++y) DrawHorizLine(static_cast<int>(y), left, right, canvas);
}

void DrawHorizLineBr(int y, int x1, int x2, TCanvas &canvas, int period, int widthFactor) {
    // A period below 1 would never advance.
    if (period < 1) return;
    TPen &pen = canvas.Pen();
    const int width = pen.Width();
    pen.SetWidth(width * widthFactor);
    for (std::int64_t x = x1; x < x2; x += period) {
        const int from = static_cast<int>(x);
        DrawHorizLine(y, from, printing::TruncPixel(x + period / 2), canvas);
    }
    pen.SetWidth(width);
}

void DrawHorizLineW(TCanvas &canvas, int widthFactor, double y, double x1, double x2, TColor colour) {
    const PenOverride pen(canvas.Pen(), colour, canvas.Pen().Width() * widthFactor);
    using printing::TruncPixel;
    DrawHorizLine(TruncPixel(y), TruncPixel(x1), TruncPixel(x2), canvas);
}

void DrawVertLineW(TCanvas &canvas, int widthFactor, double x, double y1, double y2, TColor colour) {
    const PenOverride pen(canvas.Pen(), colour, canvas.Pen().Width() * widthFactor);
    using printing::TruncPixel;
    DrawVertLine(TruncPixel(x), TruncPixel(y1), TruncPixel(y2), canvas);
}
