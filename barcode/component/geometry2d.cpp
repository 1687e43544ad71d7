#include "barcode/component/geometry2d.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gui/printer.h"

namespace barcode {

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

double UsableRate(double rate) {
    return rate > 0.0 ? rate : 1.0;
}

int WholeDegrees(double angle) {
    const int degrees = RoundHalfEven(angle * 180.0 / std::numbers::pi) % 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

TPoint PixelAreaShift(double angle) {
    const int d = WholeDegrees(angle);
    if (d >= 45 && d <= 135) return {0, 1};
    if (d >= 136 && d <= 225) return {1, 1};
    if (d >= 226 && d <= 315) return {1, 0};
    return {0, 0};
}

namespace {

int PrinterDpi() {
    return Printer()->PixelsPerInch();
}

int OrPrinterDpi(int dpi) {
    return dpi != 0 ? dpi : PrinterDpi();
}

double PixelsToMM(int pixels, int dpi) {
    dpi = OrPrinterDpi(dpi);
    return dpi != 0 ? pixels * 25.4 / dpi : 0.0;
}

}  // namespace

}  // namespace barcode

using barcode::RoundHalfEven;

double Deg2Rad(int Degrees) {
    return Degrees * std::numbers::pi / 180.0;
}

TPoint Rotate2D(const TPoint &P, double Rate, double Angle) {
    const double c = std::cos(Angle), s = std::sin(Angle);
    return {RoundHalfEven(P.X * c + P.Y * s), RoundHalfEven((P.Y * c - P.X * s) / barcode::UsableRate(Rate))};
}

TPoint Translate2D(const TPoint &P, const TPoint &Offset) {
    return {P.X + Offset.X, P.Y + Offset.Y};
}

void RotateRect2D(int &Width, int &Height, double Rate, double Angle) {
    if (Angle == 0.0) return;
    const TPoint corners[] = {Rotate2D({0, 0}, Rate, Angle), Rotate2D({Width, 0}, Rate, Angle),
                              Rotate2D({0, Height}, Rate, Angle), Rotate2D({Width, Height}, Rate, Angle)};
    const auto [minX, maxX] = std::minmax({corners[0].X, corners[1].X, corners[2].X, corners[3].X});
    const auto [minY, maxY] = std::minmax({corners[0].Y, corners[1].Y, corners[2].Y, corners[3].Y});
    Width = maxX - minX + 1;
    Height = maxY - minY + 1;
}

TPoint TranslateQuad2D(const TPoint &Size, const TPoint &Position, double Rate, double Angle) {
    const double s = std::sin(Angle), c = std::cos(Angle), rate = barcode::UsableRate(Rate);
    const double w = Size.X, h = Size.Y;
    int dx = 0, dy = 0;
    if (s >= 0) {
        dx = c < 0 ? -RoundHalfEven(w * c) : 0;
        dy = c < 0 ? RoundHalfEven((w * s - h * c) / rate) : RoundHalfEven(w * s / rate);
    } else if (c < 0) {
        dx = -RoundHalfEven(w * c) - RoundHalfEven(h * s);
        dy = -RoundHalfEven(h * c / rate);
    } else {
        dx = -RoundHalfEven(h * s);
    }
    const TPoint shift = barcode::PixelAreaShift(Angle);
    return {Position.X + dx - shift.X, Position.Y + dy - shift.Y};
}

double GetPrinterDensityRate(int DpiX, int DpiY) {
    if (DpiX == 0) DpiX = barcode::PrinterDpi();
    if (DpiY == 0) DpiY = barcode::PrinterDpi();
    return DpiX > 0 && DpiY > 0 ? static_cast<double>(DpiX) / DpiY : 1.0;
}

int ConvertMMtoPixelsX(double MM, int Dpi) {
    return RoundHalfEven(barcode::OrPrinterDpi(Dpi) * MM / 25.4);
}

int ConvertMMtoPixelsY(double MM, int Dpi) {
    return ConvertMMtoPixelsX(MM, Dpi);
}

double ConvertPixelsXtoMM(int Pixels, int Dpi) {
    return barcode::PixelsToMM(Pixels, Dpi);
}

double ConvertPixelsYtoMM(int Pixels, int Dpi) {
    return barcode::PixelsToMM(Pixels, Dpi);
}
