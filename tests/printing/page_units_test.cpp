#include "printing/page_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace printing {
namespace {

TEST(PageUnitsTest, BaseLengthUnitAndPenFollowThePageWidth) {
    struct Case {
        int pageWidth;
        TPrinterOrientation orientation;
        int m, widened, pen;
    };
    // A4 at 600 dpi: 4958 px portrait, 7017 px landscape.
    for (const Case &c : {Case{4958, poPortrait, 236, 242, 4}, Case{7017, poLandscape, 233, 239, 5},
                          Case{1000, poPortrait, 47, 48, 0}, Case{20, poPortrait, 0, 0, 0},
                          Case{0, poLandscape, 0, 0, 0}, Case{-4958, poPortrait, 0, 0, 0}}) {
        SCOPED_TRACE(c.pageWidth);
        const int m = BaseLength(c.pageWidth, c.orientation);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(WidenedUnit(m), c.widened);
        EXPECT_EQ(PagePenWidth(m, c.orientation), c.pen);
    }
}

TEST(PageUnitsTest, PositionsAreMultipliedOutInExtendedPrecisionAndTruncated) {
    EXPECT_EQ(ToPixels(0.8L, 236), 188);
    // 0.29 x 100 is 28.999... in double precision; extended precision gives 29.
    EXPECT_EQ(ToPixels(0.29L, 100), 29);
    EXPECT_EQ(ToPixels(0.57L, 100), 57);
    EXPECT_EQ(ToPixels(-0.55L, 10), -5);  // toward zero
    EXPECT_EQ(ToPixels(1.4L, 0), 0);
}

TEST(PageUnitsTest, TruncationSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(TruncPixel(12.99L), 12);
    EXPECT_EQ(TruncPixel(-12.99L), -12);
    EXPECT_EQ(TruncPixel(1e12L), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncPixel(-1e12L), std::numeric_limits<int>::min());
    EXPECT_EQ(TruncPixel(std::nanl("")), 0);
    EXPECT_EQ(TruncPixel(std::numeric_limits<long double>::infinity()), std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace printing
