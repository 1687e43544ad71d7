#include "printing/page_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"

namespace {

using Calls = std::vector<std::string>;
using ::testing::ElementsAreArray;

class SetTextPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        canvas.Font().SetName("Times New Roman");
        canvas.Font().SetSize(10);
        canvas.Font().SetColor(clBlack);
        canvas.ClearCalls();
    }

    // The style set before the text was drawn, or "unchanged" when the canvas style was kept.
    std::string StyleAtText() const {
        std::string style = "unchanged";
        for (const std::string &call : canvas.Calls()) {
            if (call.starts_with("TextOut")) return style;
            if (call.starts_with("Font.Style=")) style = call.substr(11);
        }
        return "no text";
    }

    gui::RecordingCanvas canvas;
};

TEST_F(SetTextPrintTest, RightAlignedBoldValueAndTheFontGivenBack) {
    // Bit 7 moves the text left by (12 div 6) x 5 characters x 100 x 0.1 = 100 pixels.
    SetTextPrint(canvas, 129, 1000.7, 200.9, 12.9, clWhite, "12,50", "Times New Roman", 100);
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"Font.Style=[fsBold]", "Font.Size=12", "Font.Color=0xFFFFFF",
                                       "Brush.Style=bsClear", "TextOut(900, 200, \"12,50\")",
                                       "Font.Color=0x000000", "Font.Size=10", "Font.Style=[]"}));
    EXPECT_EQ(canvas.Font().Name(), "Times New Roman");
    EXPECT_EQ(canvas.Brush().Style(), bsClear);
}

TEST_F(SetTextPrintTest, FlagsChooseOneStyleOrKeepTheCanvasStyle) {
    struct Case {
        unsigned char flags;
        TFontStyles canvasStyle;
        std::string drawnStyle;
    };
    for (const Case &c :
         {Case{1, fsItalic, "[fsBold]"}, Case{3, 0, "[fsBold]"}, Case{2, fsBold, "[fsItalic]"},
          Case{0, fsStrikeOut, "unchanged"}, Case{128, fsBold | fsItalic, "unchanged"}}) {
        SCOPED_TRACE(int(c.flags));
        canvas.Font().SetStyle(c.canvasStyle);
        canvas.ClearCalls();
        SetTextPrint(canvas, c.flags, 10, 10, 10, clBlack, "Tekst", "", 50);
        EXPECT_EQ(StyleAtText(), c.drawnStyle);
        EXPECT_EQ(canvas.Font().Style(), 0u);
    }
}

TEST_F(SetTextPrintTest, FlagsZeroAfterAnEarlierLineDrawsWithoutStyle) {
    SetTextPrint(canvas, 1, 10, 10, 10, clBlack, "Pogrubiony", "", 50);
    canvas.ClearCalls();
    SetTextPrint(canvas, 0, 10, 60, 8, clBlack, "Zwykły", "", 50);
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"Font.Size=8", "TextOut(10, 60, \"Zwykły\")", "Font.Size=10"}));
}

TEST(SetCenterTest, OffsetFollowsTheLabelsMeasurementOfTheText) {
    gui::EnsureQtApplication();
    TLabel templab(nullptr);
    templab.Font().SetName("Times New Roman");
    TLabel measure(nullptr);
    measure.Font().SetName("Times New Roman");
    for (const auto &[text, size] :
         {std::pair<QString, int>{"ŚWIADECTWO LEGALIZACJI PONOWNEJ", 16}, {"Nr", 10}, {"", 12}}) {
        SCOPED_TRACE(text.toStdString());
        measure.Font().SetSize(size);
        measure.SetCaption(text);
        ASSERT_GT(measure.Width(), 0);
        EXPECT_DOUBLE_EQ(SetCenter(templab, text, size), (646 - measure.Width()) * 0.5 * 0.0325);
        EXPECT_EQ(templab.Caption(), text);
        EXPECT_EQ(templab.Font().Size(), size);
    }
    // A longer text at the same size stands further left.
    EXPECT_LT(SetCenter(templab, "ŚWIADECTWO LEGALIZACJI", 14), SetCenter(templab, "ŚWIADECTWO", 14));
}

TEST(SetPrintVerSoftTest, DrawsNothing) {
    gui::EnsureQtApplication();
    gui::RecordingCanvas canvas;
    SetPrintVerSoft(canvas, 236);
    EXPECT_TRUE(canvas.Calls().empty());
}

}  // namespace
