#pragma once
// Page geometry shared by the printed pages: the base length m (a portrait page is 21 of them
// wide, a landscape page 30), the layout unit u in which a page states its positions, and the
// conversion of a position in units to whole device pixels.
#include "platform/gui/printer.h"

namespace printing {

// Page width div 21 (portrait) or div 30 (landscape); 0 for a printer that reports no width.
int BaseLength(int pageWidth, TPrinterOrientation orientation);

// The wider layout unit of the annexes and the test report: m + m div 35. The other pages use m.
int WidenedUnit(int m);

// The page pen width: m div 50 on portrait pages, m div 40 on landscape pages.
int PagePenWidth(int m, TPrinterOrientation orientation);

// A float coordinate truncated toward zero to a pixel, saturated to the int range (NaN gives 0).
int TruncPixel(long double value);

// A position of `units` layout units, multiplied out in extended precision and truncated.
int ToPixels(long double units, int u);

}  // namespace printing
