// Failed values on the annex B pages: which cell a row's flags mark, and how it is marked.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"
#include "printing/annex_first_page.h"
#include "printing/annex_results.h"

namespace {

constexpr int kUnit = 7016 / 30;  // A4 landscape at 600 dpi

class AnnexMarksTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        job.stores = &stores;
        job.texts["Edit108"] = "S";
        for (int column = 2; column < 10; ++column)
            for (int row = 0; row < 10; ++row)
                stores.FareGridStore[0][column][3][row] = "t" + std::to_string(column) + std::to_string(row);
    }

    const std::vector<std::string> &Draw() {
        canvas = std::make_unique<gui::RecordingCanvas>();
        canvas->Font().SetSize(9);
        printing::DrawResultsPage(*canvas, kUnit, job, 2, 2, 3);
        return canvas->Calls();
    }

    // The font colour in force when `text` is drawn, and whether a band was drawn just before.
    struct Drawn {
        std::string colour;
        bool afterBand = false;
    };
    Drawn Find(const std::string &text) const {
        Drawn drawn{"0x000000", false};
        std::string last;
        for (const std::string &call : canvas->Calls()) {
            if (call.rfind("Font.Color=", 0) == 0) drawn.colour = call.substr(11);
            if (call.find("\"" + text + "\")") != std::string::npos) {
                drawn.afterBand = last.rfind("LineTo(", 0) == 0;
                return drawn;
            }
            if (call.rfind("TextOut", 0) == 0 || call.rfind("LineTo", 0) == 0) last = call;
        }
        ADD_FAILURE() << "not drawn: " << text;
        return {};
    }

    evaluation::EvaluationState stores;
    printing::AnnexJob job;
    std::unique_ptr<gui::RecordingCanvas> canvas;
};

// Byte 0 marks the error in %, byte 1 the error in units, byte 1 deciding when both are set; with
// colour printing the text is red, otherwise white on a black band.
TEST_F(AnnexMarksTest, RowFlagsMarkOneCell) {
    struct Case {
        std::uint8_t byte0, byte1;
        bool colour;
        const char *marked;  // the time test's column 9 (%) or 8 (units) of row 4
        const char *plain;
    };
    for (const Case &c : {Case{1, 0, false, "t94", "t84"}, Case{0, 1, false, "t84", "t94"},
                          Case{1, 1, false, "t84", "t94"}, Case{1, 1, true, "t84", "t94"}}) {
        SCOPED_TRACE(std::string(c.marked) + (c.colour ? " colour" : ""));
        stores.TimeRowFailFlags[3][4] = {c.byte0, c.byte1};
        job.colourPrint = c.colour;
        Draw();
        const Drawn marked = Find(c.marked), plain = Find(c.plain);
        EXPECT_EQ(marked.colour, c.colour ? "0x0000FF" : "0xFFFFFF");
        EXPECT_EQ(marked.afterBand, !c.colour);
        EXPECT_EQ(plain.colour, "0x000000");
        EXPECT_EQ(Find("t74").colour, "0x000000");
    }
}

TEST_F(AnnexMarksTest, FailedCounterErrorIsMarkedAndBaseRunDropsTheCounters) {
    stores.CounterStore[0][4][7][3] = "c-err";  // counter 7 is printed in column 4
    stores.CounterFailFlags[0][3][4] = 1;
    Draw();
    EXPECT_EQ(Find("c-err").colour, "0xFFFFFF");
    EXPECT_TRUE(Find("c-err").afterBand);
    job.printBaseRun = 1;
    Draw();
    for (const std::string &call : canvas->Calls()) EXPECT_EQ(call.find("c-err"), std::string::npos);
}

// The setting accuracy of the vehicle constant: outside -1.0 .. 1.0 fails, the limits pass; a
// missing k or w gives no value.
TEST(VehicleConstantTest, AccuracyAndTolerance) {
    struct Case {
        std::int32_t w;
        const char *st, *k;
        std::int32_t usedW;
        bool known, failed;
    };
    for (const Case &c : {Case{1000, "---", "1011", 1000, true, true}, Case{1000, "---", "1010", 1000, true, false},
                          Case{1010, "---", "1000", 1010, true, false}, Case{1011, "---", "1000", 1011, true, true},
                          Case{0, "1005", "1000", 1005, true, false}, Case{0, "---", "1000", 0, false, false},
                          Case{1000, "---", "0", 1000, false, false}, Case{1000, "---", "abc", 1000, false, false}}) {
        SCOPED_TRACE(std::to_string(c.w) + " " + c.st + " " + c.k);
        const printing::VehicleConstantCheck check = printing::CheckVehicleConstant(c.w, c.st, c.k);
        EXPECT_EQ(check.w, c.usedW);
        EXPECT_EQ(check.accuracy.has_value(), c.known);
        EXPECT_EQ(check.outOfTolerance, c.failed);
    }
}

}  // namespace
