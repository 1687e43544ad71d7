// The drawing calls of a small symbol, checked against the encoder core's matrix.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "barcode/component/qrcode.h"
#include "barcode/qr_encoder.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"

namespace {

constexpr char kText[] = "12345";  // version 1, 21 x 21 modules

TMapMatrix CoreMatrix() {
    barcode::QrSymbol symbol;
    EXPECT_EQ(barcode::EncodeSymbol(kText, barcode::QrParameters{}, symbol), 0);
    return symbol.Matrix;
}

// A filled area as drawn: its colour and the box of its corners ([Left, Right) x [Top, Bottom)).
struct Fill {
    TColor colour;
    TRect box;
    bool operator==(const Fill &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Fill &f) {
    return out << std::hex << f.colour << std::dec << " [" << f.box.Left << ", " << f.box.Right << ") x ["
               << f.box.Top << ", " << f.box.Bottom << ")";
}

// The polygons and pixels of a recorded call list, each with the brush colour it was drawn in.
std::vector<Fill> Fills(const std::vector<std::string> &calls) {
    static const std::regex brush(R"(Brush\.Color=0x([0-9A-F]+))");
    static const std::regex point(R"(\((-?\d+), (-?\d+)\))");
    static const std::regex pixel(R"(SetPixel\((-?\d+), (-?\d+), 0x([0-9A-F]+)\))");
    std::vector<Fill> fills;
    TColor colour = clWhite;
    for (const std::string &call : calls) {
        std::smatch m;
        if (std::regex_match(call, m, brush)) colour = std::stoi(m[1], nullptr, 16);
        if (std::regex_match(call, m, pixel)) {
            const int x = std::stoi(m[1]), y = std::stoi(m[2]);
            fills.push_back({static_cast<TColor>(std::stoi(m[3], nullptr, 16)), {x, y, x + 1, y + 1}});
        }
        if (call.rfind("Polygon(", 0) != 0) continue;
        TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (auto it = std::sregex_iterator(call.begin(), call.end(), point); it != std::sregex_iterator();
             ++it) {
            const int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]);
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
                   std::max(box.Bottom, y)};
        }
        fills.push_back({colour, box});
    }
    return fills;
}

// Where the module (column, row) of an n-module symbol lands, drawn at (left, top) with module m
// and rotated by `degrees`: the drawing's box always starts at (left, top).
TRect ModuleBox(int column, int row, int n, int m, int left, int top, int degrees) {
    const int s = n * m;
    int x = column * m, y = row * m;  // the module's top-left pixel before rotation
    switch (degrees) {
        case 90:  // the symbol's left-to-right runs bottom to top
            std::tie(x, y) = std::pair(row * m, s - (column + 1) * m);
            break;
        case 180:
            std::tie(x, y) = std::pair(s - (column + 1) * m, s - (row + 1) * m);
            break;
        case 270:
            std::tie(x, y) = std::pair(s - (row + 1) * m, column * m);
            break;
    }
    return {left + x, top + y, left + x + m, top + y + m};
}

// The fills after the background are the modules, column by column, in the matrix's colours.
void ExpectModuleFills(const std::vector<Fill> &fills, const TMapMatrix &matrix, int m, int left, int top,
                       int degrees) {
    const int n = static_cast<int>(matrix.size());
    ASSERT_EQ(fills.size(), 1u + n * n);
    for (int column = 0, i = 1; column < n; ++column) {
        for (int row = 0; row < n; ++row, ++i) {
            const TColor colour = (matrix[row][column] & 1) ? clBlack : clWhite;
            ASSERT_EQ(fills[i], (Fill{colour, ModuleBox(column, row, n, m, left, top, degrees)}))
                << column << "," << row;
        }
    }
}

class DrawingCallsTest : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }

    TBarcode2D_QRCode qr{nullptr};
    gui::RecordingCanvas canvas;
};

TEST_F(DrawingCallsTest, AtAngleZeroTheBackgroundThenEveryModuleColumnByColumn) {
    qr.SetBarcode(kText);
    ASSERT_EQ(qr.DrawTo(&canvas, 10, 20, 2, 0), 0);
    const std::vector<std::string> &calls = canvas.Calls();
    const std::vector<std::string> start(calls.begin(), calls.begin() + 7);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "Pen.Color=0xFFFFFF", "Pen.Style=psClear",
                         "Polygon((10, 20), (52, 20), (52, 62), (10, 62))",  // the background, 42 x 42
                         "Pen.Color=0x000000", "Brush.Color=0x000000",
                         "Polygon((10, 20), (12, 20), (12, 22), (10, 22))",  // module (0, 0)
                         "Polygon((10, 22), (12, 22), (12, 24), (10, 24))",  // module (0, 1)
                     }));
    // The pen is given back as it was.
    EXPECT_NE(std::find(calls.end() - 3, calls.end(), "Pen.Style=psSolid"), calls.end());

    const TMapMatrix matrix = CoreMatrix();
    const std::vector<Fill> fills = Fills(calls);
    ExpectModuleFills(fills, matrix, 2, 10, 20, 0);
}

TEST_F(DrawingCallsTest, AtNinetyDegreesTheSymbolRunsBottomToTop) {
    qr.SetBarcode(kText);
    ASSERT_EQ(qr.DrawTo(&canvas, 10, 20, 2, 90), 0);
    const std::vector<std::string> &calls = canvas.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 7),
              (std::vector<std::string>{
                  "Pen.Color=0xFFFFFF", "Pen.Style=psClear",
                  "Polygon((10, 62), (10, 20), (52, 20), (52, 62))",  // the background, 42 x 42
                  "Pen.Color=0x000000", "Brush.Color=0x000000",
                  "Polygon((10, 62), (10, 60), (12, 60), (12, 62))",  // module (0, 0) at the bottom left
                  "Polygon((12, 62), (12, 60), (14, 60), (14, 62))",  // module (0, 1) right of it
              }));
}

TEST_F(DrawingCallsTest, RotatedDrawingsStartAtThePositionAndMoveEveryModule) {
    qr.SetBarcode(kText);
    const TMapMatrix matrix = CoreMatrix();
    for (int degrees : {90, 180, 270, 0}) {
        SCOPED_TRACE(degrees);
        canvas.ClearCalls();
        ASSERT_EQ(qr.DrawTo(&canvas, 100, 50, 3, degrees), 0);
        const std::vector<Fill> fills = Fills(canvas.Calls());
        ASSERT_FALSE(fills.empty());
        EXPECT_EQ(fills[0], (Fill{clWhite, {100, 50, 163, 113}}));
        ExpectModuleFills(fills, matrix, 3, 100, 50, degrees);
    }
}

TEST_F(DrawingCallsTest, OnePixelModulesAreSetAsPixels) {
    qr.SetBarcode(kText);
    const TMapMatrix matrix = CoreMatrix();
    for (int degrees : {0, 90}) {
        canvas.ClearCalls();
        ASSERT_EQ(qr.DrawTo(&canvas, 5, 6, 1, degrees), 0);
        const std::vector<Fill> fills = Fills(canvas.Calls());
        EXPECT_EQ(std::count_if(canvas.Calls().begin(), canvas.Calls().end(),
                                [](const std::string &c) { return c.rfind("SetPixel(", 0) == 0; }),
                  21 * 21);
        ExpectModuleFills(fills, matrix, 1, 5, 6, degrees);
    }
}

TEST_F(DrawingCallsTest, PropertiesShapeTheDrawing) {
    qr.SetBarcode(kText);
    const TMapMatrix matrix = CoreMatrix();

    // Module 0 takes the Module property, angle -1 the Orientation's.
    qr.SetModule(2);
    qr.SetOrientation(boRightLeft);
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 0, -1), 0);
    std::vector<Fill> fills = Fills(canvas.Calls());
    EXPECT_EQ(fills[1].box, ModuleBox(0, 0, 21, 2, 0, 0, 180));

    // Inversed swaps the colours, the background included; Mirrored reads columns right to left.
    qr.SetOrientation(boLeftRight);
    qr.SetInversed(true);
    qr.SetMirrored(true);
    canvas.ClearCalls();
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    fills = Fills(canvas.Calls());
    EXPECT_EQ(fills[0].colour, clBlack);
    for (int column = 0, i = 1; column < 21; ++column) {
        for (int row = 0; row < 21; ++row, ++i) {
            const TColor colour = (matrix[row][20 - column] & 1) ? clWhite : clBlack;
            ASSERT_EQ(fills[i].colour, colour);
        }
    }

    // Shown quiet zones widen the background and move the symbol in by four modules.
    qr.SetInversed(false);
    qr.SetMirrored(false);
    qr.SetShowQuietZone(true);
    canvas.ClearCalls();
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    fills = Fills(canvas.Calls());
    EXPECT_EQ(fills[0].box, (TRect{0, 0, 58, 58}));
    EXPECT_EQ(fills[1].box, (TRect{8, 8, 10, 10}));
}

TEST_F(DrawingCallsTest, TheCanvasPenDoesNotWidenModules) {
    // A page's wide pen is still set when the symbol is drawn; the squares stay exact and the pen
    // comes back unchanged.
    canvas.Pen().SetWidth(5);
    canvas.Pen().SetColor(clRed);
    canvas.Brush().SetStyle(bsClear);
    qr.SetBarcode(kText);
    canvas.ClearCalls();
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 4, 0), 0);
    for (const std::string &call : canvas.Calls())
        EXPECT_EQ(call.find("Pen.Width"), std::string::npos) << call;
    EXPECT_EQ(Fills(canvas.Calls())[1].box, (TRect{0, 0, 4, 4}));
    EXPECT_EQ(canvas.Pen().Width(), 5);
    EXPECT_EQ(canvas.Pen().Color(), clRed);
    EXPECT_EQ(canvas.Pen().Style(), psSolid);
    EXPECT_EQ(canvas.Brush().Style(), bsClear);
}

}  // namespace
