#include <gtest/gtest.h>

#include <numbers>

#include "barcode/component/geometry2d.h"
#include "platform/gui/gui_test_support.h"

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

TEST(Geometry2D, RotatesWithTheDensityRateAppliedToY) {
    EXPECT_EQ(Rotate2D({10, 0}, 1.0, kHalfPi), (TPoint{0, -10}));
    EXPECT_EQ(Rotate2D({10, 0}, 2.0, kHalfPi), (TPoint{0, -5}));
    // -5 / 2 = -2.5 rounds to the even -2.
    EXPECT_EQ(Rotate2D({5, 0}, 2.0, kHalfPi), (TPoint{0, -2}));
    EXPECT_EQ(Rotate2D({3, 7}, 1.0, 0.0), (TPoint{3, 7}));
    EXPECT_EQ(Rotate2D({3, 7}, 1.0, std::numbers::pi), (TPoint{-3, -7}));
    // A rate of 0 would divide by zero: it counts as 1.
    EXPECT_EQ(Rotate2D({10, 0}, 0.0, kHalfPi), (TPoint{0, -10}));
    EXPECT_EQ(Translate2D({3, 7}, {-5, 10}), (TPoint{-2, 17}));
    EXPECT_DOUBLE_EQ(Deg2Rad(180), std::numbers::pi);
}

TEST(Geometry2D, RotatedRectangleBoundingBox) {
    int width = 100, height = 50;
    RotateRect2D(width, height, 1.0, 0.0);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 50);
    RotateRect2D(width, height, 1.0, kHalfPi);
    EXPECT_EQ(width, 51);
    EXPECT_EQ(height, 101);
}

// The origin puts the rotated drawing's pixel box at Position: the pixel (x, y) of a w x h drawing
// lands at Rotate2D((x, y)) + origin, and the box of all of them starts at Position.
TEST(Geometry2D, TranslatedQuadStartsAtThePosition) {
    const int w = 30, h = 20;
    const TPoint position{100, 200};
    for (int degrees : {0, 90, 180, 270}) {
        SCOPED_TRACE(degrees);
        const double angle = Deg2Rad(degrees);
        const TPoint origin = TranslateQuad2D({w, h}, position, 1.0, angle);
        int minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
        for (TPoint corner : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}}) {
            const TPoint at = Translate2D(Rotate2D(corner, 1.0, angle), origin);
            minX = std::min(minX, at.X), maxX = std::max(maxX, at.X);
            minY = std::min(minY, at.Y), maxY = std::max(maxY, at.Y);
        }
        EXPECT_EQ(minX, position.X);
        EXPECT_EQ(minY, position.Y);
        const bool vertical = degrees == 90 || degrees == 270;
        EXPECT_EQ(maxX - minX + 1, vertical ? h : w);
        EXPECT_EQ(maxY - minY + 1, vertical ? w : h);
    }
}

TEST(Geometry2D, MillimetresAndPixels) {
    EXPECT_EQ(ConvertMMtoPixelsX(25.4, 600), 600);
    EXPECT_EQ(ConvertMMtoPixelsX(10.0, 300), 118);
    EXPECT_EQ(ConvertMMtoPixelsY(10.0, 300), 118);
    EXPECT_DOUBLE_EQ(ConvertPixelsXtoMM(600, 600), 25.4);
    EXPECT_DOUBLE_EQ(ConvertPixelsYtoMM(300, 600), 12.7);
    EXPECT_DOUBLE_EQ(GetPrinterDensityRate(600, 300), 2.0);
}

TEST(Geometry2D, ZeroResolutionTakesThePrinters) {
    gui::EnsureQtApplication();
    EXPECT_GT(ConvertMMtoPixelsX(25.4, 0), 0);
    EXPECT_DOUBLE_EQ(GetPrinterDensityRate(0, 0), 1.0);
    EXPECT_GT(ConvertPixelsXtoMM(100, 0), 0.0);
}

}  // namespace
