#include "platform/gui/canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/bitmap.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        bitmap.SetSize(40, 30);
        canvas = bitmap.Canvas();
    }
    bool Painted(int x, int y) const { return canvas->Pixel(x, y) != clWhite; }

    TBitmap bitmap;
    TCanvas *canvas = nullptr;
};

TEST(RecordingCanvas, RecordsTheExactCallsOfADrawing) {
    gui::EnsureQtApplication();
    gui::RecordingCanvas canvas;
    TBitmap picture;
    picture.SetSize(8, 6);

    canvas.Pen().SetWidth(4);
    canvas.Pen().SetWidth(4);  // unchanged: not recorded
    canvas.Pen().SetColor(clRed);
    canvas.MoveTo(10, 20);
    canvas.LineTo(30, 20);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(1, 2, 3, 4);
    canvas.Font().SetName("Times New Roman");
    canvas.Font().SetStyle(fsBold | fsStrikeOut);
    canvas.Font().SetSize(12);
    canvas.TextOut(5, 6, "Źdźbło");
    canvas.Brush().SetColor(clSilver);
    canvas.FillRect({0, 0, 9, 9});
    canvas.Polygon({{0, 0}, {4, 0}, {4, 4}});
    canvas.SetPixel(7, 8, clBlue);
    canvas.Pen().SetStyle(psDot);
    canvas.StretchDraw({10, 10, 26, 22}, picture);
    canvas.Draw(3, 4, picture);

    const std::vector<std::string> expected = {
        "Pen.Width=4",
        "Pen.Color=0x0000FF",
        "MoveTo(10, 20)",
        "LineTo(30, 20)",
        "Brush.Style=bsClear",
        "Rectangle(1, 2, 3, 4)",
        "Font.Name=Times New Roman",
        "Font.Style=[fsBold,fsStrikeOut]",
        "Font.Size=12",
        "TextOut(5, 6, \"Źdźbło\")",
        "Brush.Color=0xC0C0C0",
        "FillRect(0, 0, 9, 9)",
        "Polygon((0, 0), (4, 0), (4, 4))",
        "SetPixel(7, 8, 0xFF0000)",
        "Pen.Style=psDot",
        "StretchDraw(10, 10, 26, 22, 8x6)",
        "Draw(3, 4, 8x6)",
    };
    EXPECT_EQ(canvas.Calls(), expected);
    // TextOut leaves the pen at the end of the text.
    EXPECT_EQ(canvas.PenPos(), (TPoint{5 + canvas.TextWidth("Źdźbło"), 6}));
}

TEST(RecordingCanvas, MeasuresTextLikeThePrinterCanvasAtItsResolution) {
    gui::EnsureQtApplication();
    gui::RecordingCanvas at600(600), at96(96);
    for (gui::RecordingCanvas *canvas : {&at600, &at96}) {
        canvas->Font().SetName("Times New Roman");
        canvas->Font().SetSize(10);
        canvas->ClearCalls();
    }
    const QString text = "Świadectwo legalizacji";
    // 10 pt at 600 dpi is 83 px high; the width scales with the resolution.
    EXPECT_NEAR(at600.TextHeight(text), 10 * 600 / 72.0 * 1.15, 5);
    EXPECT_NEAR(at600.TextWidth(text), at96.TextWidth(text) * 600 / 96.0, at600.TextWidth(text) * 0.03);
    EXPECT_TRUE(at600.Calls().empty());
}

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
    struct Line {
        TPoint from, to;
        std::vector<TPoint> painted;
    };
    const Line lines[] = {
        {{2, 5}, {10, 5}, {{2, 5}, {9, 5}}},
        {{10, 8}, {2, 8}, {{10, 8}, {3, 8}}},
        {{4, 1}, {4, 9}, {{4, 1}, {4, 8}}},
        {{20, 1}, {28, 9}, {{20, 1}, {27, 8}}},
    };
    for (const Line &line : lines) {
        SCOPED_TRACE(testing::Message()
                     << line.from.X << "," << line.from.Y << " -> " << line.to.X << "," << line.to.Y);
        bitmap.SetSize(0, 0);
        bitmap.SetSize(40, 30);
        canvas->MoveTo(line.from.X, line.from.Y);
        canvas->LineTo(line.to.X, line.to.Y);
        EXPECT_EQ(canvas->PenPos(), line.to);
        for (const TPoint &p : line.painted) EXPECT_TRUE(Painted(p.X, p.Y)) << p.X << "," << p.Y;
        EXPECT_FALSE(Painted(line.to.X, line.to.Y));
    }
}

TEST_F(CanvasTest, RectangleCoversLeftTopToRightBottomExclusive) {
    canvas->Brush().SetColor(clRed);
    canvas->Rectangle(2, 3, 8, 7);
    EXPECT_EQ(canvas->Pixel(2, 3), clBlack);  // outline
    EXPECT_EQ(canvas->Pixel(7, 6), clBlack);
    EXPECT_EQ(canvas->Pixel(4, 5), clRed);  // inside
    EXPECT_FALSE(Painted(8, 5));
    EXPECT_FALSE(Painted(5, 7));

    canvas->Brush().SetColor(clBlue);
    canvas->FillRect({20, 10, 24, 12});
    EXPECT_EQ(canvas->Pixel(20, 10), clBlue);
    EXPECT_EQ(canvas->Pixel(23, 11), clBlue);
    EXPECT_FALSE(Painted(24, 11));
    EXPECT_FALSE(Painted(23, 12));

    canvas->Brush().SetStyle(bsClear);
    canvas->Pen().SetStyle(psClear);
    canvas->Rectangle(30, 20, 38, 28);
    canvas->FillRect({30, 20, 38, 28});
    canvas->MoveTo(30, 22);
    canvas->LineTo(38, 22);
    EXPECT_FALSE(Painted(30, 20));
    EXPECT_FALSE(Painted(33, 22));
}

TEST_F(CanvasTest, PolygonAndPixels) {
    canvas->Pen().SetColor(clBlue);
    canvas->Brush().SetColor(clBlue);
    canvas->Polygon({{10, 10}, {15, 10}, {15, 15}, {10, 15}});
    for (int x = 10; x <= 15; ++x) EXPECT_EQ(canvas->Pixel(x, 12), clBlue) << x;
    EXPECT_FALSE(Painted(16, 12));
    canvas->SetPixel(0, 0, clLime);
    EXPECT_EQ(canvas->Pixel(0, 0), clLime);
    EXPECT_FALSE(Painted(1, 0));
    EXPECT_EQ(canvas->Pixel(-1, 0), -1);
    EXPECT_EQ(canvas->Pixel(40, 0), -1);
}

TEST_F(CanvasTest, TextSitsBelowAndRightOfItsPointAndSolidBrushFillsItsCell) {
    bitmap.SetSize(200, 60);
    canvas->Font().SetSize(20);
    canvas->Font().SetColor(clBlack);
    canvas->Brush().SetStyle(bsClear);
    canvas->TextOut(10, 10, "HH");
    int top = -1, left = -1;
    for (int y = 0; y < 60 && top < 0; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas->Pixel(x, y) != clWhite) top = y;
    for (int x = 0; x < 200 && left < 0; ++x)
        for (int y = 0; y < 60; ++y)
            if (canvas->Pixel(x, y) != clWhite) left = x;
    // The cap height of "H" starts a little below the top of the text cell.
    const int ascent = canvas->TextHeight("H") * 9 / 10;
    EXPECT_GE(top, 10);
    EXPECT_LT(top, 10 + ascent / 3);
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 13);
    EXPECT_EQ(canvas->PenPos(), (TPoint{10 + canvas->TextWidth("HH"), 10}));

    canvas->Brush().SetStyle(bsSolid);
    canvas->Brush().SetColor(clYellow);
    canvas->TextOut(100, 10, "H");
    EXPECT_EQ(canvas->Pixel(100, 10), clYellow);  // top-left corner of the cell
    EXPECT_EQ(canvas->Pixel(100 + canvas->TextWidth("H") - 1, 10 + canvas->TextHeight("H") - 1), clYellow);
    EXPECT_FALSE(Painted(100 + canvas->TextWidth("H"), 10));
}

TEST_F(CanvasTest, WidePensPaintAroundTheLine) {
    canvas->Pen().SetWidth(5);
    canvas->MoveTo(5, 15);
    canvas->LineTo(30, 15);
    EXPECT_TRUE(Painted(10, 13));
    EXPECT_TRUE(Painted(10, 17));
    EXPECT_FALSE(Painted(10, 19));
    EXPECT_TRUE(Painted(30, 15));  // a wide pen ends in a round cap around the end point
}

}  // namespace
