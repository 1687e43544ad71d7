#include "printing/page_lines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"

namespace {

using Calls = std::vector<std::string>;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class PageLinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        canvas.Pen().SetWidth(4);
        canvas.ClearCalls();
    }

    gui::RecordingCanvas canvas;
};

TEST_F(PageLinesTest, LinesAndOutlineAreMoveToAndLineToEndingAtTheLastPoint) {
    DrawVertLine(100, 20, 300, canvas);
    EXPECT_EQ(canvas.PenPos(), (TPoint{100, 300}));
    DrawHorizLine(50, 10, 400, canvas);
    EXPECT_EQ(canvas.PenPos(), (TPoint{400, 50}));
    DrawRect(10, 90, 60, 20, canvas);
    EXPECT_EQ(canvas.PenPos(), (TPoint{20, 10}));
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"MoveTo(100, 20)", "LineTo(100, 300)", "MoveTo(10, 50)",
                                       "LineTo(400, 50)", "MoveTo(20, 10)", "LineTo(90, 10)",
                                       "LineTo(90, 60)", "LineTo(20, 60)", "LineTo(20, 10)"}));
}

TEST_F(PageLinesTest, BandIsOneLinePerRowWithBothEndsIncluded) {
    DrawRectBlack(10, 90, 12, 20, canvas);
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"MoveTo(20, 10)", "LineTo(90, 10)", "MoveTo(20, 11)", "LineTo(90, 11)",
                                       "MoveTo(20, 12)", "LineTo(90, 12)"}));
    canvas.ClearCalls();
    DrawRectBlack(7, 90, 7, 20, canvas);
    EXPECT_THAT(canvas.Calls(), ElementsAreArray(Calls{"MoveTo(20, 7)", "LineTo(90, 7)"}));
    canvas.ClearCalls();
    DrawRectBlack(13, 90, 12, 20, canvas);
    EXPECT_THAT(canvas.Calls(), IsEmpty());
}

TEST_F(PageLinesTest, DottedRuleDrawsHalfPeriodDashesWithAWiderPen) {
    struct Case {
        const char *name;
        int x1, x2, period, widthFactor;
        Calls calls;
    };
    const Case cases[] = {
        {"three dashes, doubled pen",
         100,
         130,
         10,
         2,
         {"Pen.Width=8", "MoveTo(100, 50)", "LineTo(105, 50)", "MoveTo(110, 50)", "LineTo(115, 50)",
          "MoveTo(120, 50)", "LineTo(125, 50)", "Pen.Width=4"}},
        // Half of 7 is 3; the last dash starts before x2 and reaches past it.
        {"last dash past the end",
         0,
         8,
         7,
         1,
         {"MoveTo(0, 50)", "LineTo(3, 50)", "MoveTo(7, 50)", "LineTo(10, 50)"}},
        {"period 1: dashes of length 0",
         5,
         8,
         1,
         1,
         {"MoveTo(5, 50)", "LineTo(5, 50)", "MoveTo(6, 50)", "LineTo(6, 50)", "MoveTo(7, 50)",
          "LineTo(7, 50)"}},
        {"x1 = x2", 40, 40, 10, 3, {"Pen.Width=12", "Pen.Width=4"}},
        {"x1 > x2", 90, 40, 10, 1, {}},
        {"period 0", 0, 100, 0, 2, {}},
        {"negative period", 0, 100, -3, 2, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        canvas.ClearCalls();
        DrawHorizLineBr(50, c.x1, c.x2, canvas, c.period, c.widthFactor);
        EXPECT_THAT(canvas.Calls(), ElementsAreArray(c.calls));
        EXPECT_EQ(canvas.Pen().Width(), 4);
    }
}

TEST_F(PageLinesTest, LinesWithTheirOwnColourAndWidthTruncateAndGiveThePenBack) {
    DrawHorizLineW(canvas, 3, 10.9, -2.7, 99.99, clRed);
    DrawVertLineW(canvas, 2, 7.5, 0.2, 40.8, clWhite);
    EXPECT_THAT(canvas.Calls(), ElementsAreArray(Calls{
                                    "Pen.Color=0x0000FF", "Pen.Width=12", "MoveTo(-2, 10)", "LineTo(99, 10)",
                                    "Pen.Color=0x000000", "Pen.Width=4", "Pen.Color=0xFFFFFF", "Pen.Width=8",
                                    "MoveTo(7, 0)", "LineTo(7, 40)", "Pen.Color=0x000000", "Pen.Width=4"}));
}

}  // namespace
