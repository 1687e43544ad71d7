#include "printing/page_units.h"

#include <cmath>
#include <limits>

namespace printing {

int BaseLength(int pageWidth, TPrinterOrientation orientation) {
    if (pageWidth <= 0) return 0;
    return pageWidth / (orientation == poLandscape ? 30 : 21);
}

int WidenedUnit(int m) {
    return m + m / 35;
}

int PagePenWidth(int m, TPrinterOrientation orientation) {
    return m / (orientation == poLandscape ? 40 : 50);
}

int TruncPixel(long double value) {
    if (std::isnan(value)) return 0;
    constexpr long double kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    if (value >= kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

int ToPixels(long double units, int u) {
    return TruncPixel(units * u);
}

}  // namespace printing
