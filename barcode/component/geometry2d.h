#pragma once
// Geometry of the barcode drawings: rotation and translation of points and rectangles in integer
// device pixels (y grows downwards) with an optional vertical scale, the density rate, for devices
// whose horizontal and vertical resolutions differ; and conversion between millimetres and pixels.
// Rounding is to the nearest integer, halves to even.
#include "platform/gui/canvas.h"

double Deg2Rad(int Degrees);

// (round(x cos a + y sin a), round((y cos a - x sin a) / Rate)).
TPoint Rotate2D(const TPoint &P, double Rate, double Angle);
TPoint Translate2D(const TPoint &P, const TPoint &Offset);

// The size of the bounding box of a Width x Height rectangle rotated by Angle (unchanged at 0).
void RotateRect2D(int &Width, int &Height, double Rate, double Angle);

// The origin that makes the rotated drawing of the given size start at Position.
TPoint TranslateQuad2D(const TPoint &Size, const TPoint &Position, double Rate, double Angle);

// Horizontal over vertical resolution; an argument of 0 takes the printer's value.
double GetPrinterDensityRate(int DpiX, int DpiY);

// round(Dpi x MM / 25.4); a Dpi of 0 takes the printer's resolution.
int ConvertMMtoPixelsX(double MM, int Dpi);
int ConvertMMtoPixelsY(double MM, int Dpi);
// Pixels x 25.4 / Dpi; a Dpi of 0 takes the printer's resolution. 0 when no resolution is known.
double ConvertPixelsXtoMM(int Pixels, int Dpi);
double ConvertPixelsYtoMM(int Pixels, int Dpi);

namespace barcode {

int RoundHalfEven(double value);

// A density rate that can divide: rates of 0 or below count as 1.
double UsableRate(double rate);

// The angle in whole degrees, 0 to 359.
int WholeDegrees(double angle);

// Where a rotated pixel's area starts relative to the rotated position of its top-left corner:
// (0, 1) near 90 degrees, (1, 1) near 180 and (1, 0) near 270 degrees, else (0, 0). The drawing
// origin is moved back by this step so that a pixel keeps its index after rotation.
TPoint PixelAreaShift(double angle);

}  // namespace barcode
