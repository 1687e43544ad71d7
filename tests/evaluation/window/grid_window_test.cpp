// The results page as the operator uses it: tariff parameters and grid cells typed into the shown
// edits, every result read under its own heading and compared with the evaluation core run on the
// same stores.
#include <QKeyEvent>
#include <functional>
#include <stdexcept>

#include "evaluation/fare_evaluation.h"
#include "evaluation/verdict.h"
#include "evaluation/window/tariff_screen_fixture.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

class GridWindow : public TariffScreen {
protected:
    void SetUp() override {
        TariffScreen::SetUp();
        FormatSettings.DecimalSeparator = ',';
        w->Show();
        w->Legalizacja(0);  // "Ust.": every field may be typed into
    }

    TEdit *EditNamed(const QString &name) const {
        auto *edit = dynamic_cast<TEdit *>(w->FindComponent(name));
        EXPECT_NE(edit, nullptr) << name.toStdString();
        return edit;
    }

    // Replaces an edit's text key by key, as the operator does; the edit must be shown and enabled.
    void TypeInto(TEdit *edit, const QString &text) {
        ASSERT_TRUE(edit->Showing()) << edit->Name().toStdString();
        ASSERT_TRUE(edit->Enabled()) << edit->Name().toStdString();
        QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QCoreApplication::sendEvent(edit->Widget(), &selectAll);
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(edit->Widget(), &erase);
        Type(edit->Widget(), text);
        ASSERT_EQ(edit->Text(), text);
    }
    void TypeInto(const QString &name, const QString &text) { TypeInto(EditNamed(name), text); }
};

// The grid's columns by heading: the first edit of each column (rows follow in number) and the
// column of the evaluation's grid it must show.
struct GridHeading {
    const char *caption;
    int firstEdit;
    GridColumn column;
};
constexpr GridHeading kHeadings[] = {
    {"NOM", 298, kNom},
    {"N", 323, kUnits},
    {"OPŁATA TAKSOMETR [zł]", 398, kFeeMeter},
    {"OPŁATA STANOWISKO [zł]", 123, kFeeStation},
    {"BŁĄD OPŁATY [zł]", 148, kFeeError},
    {"BŁĄD OPŁATY [%]", 173, kFeeErrorPct},
    {"PŁATNY Poprawny", 198, kPaidCorrect},
    {"PŁATNY Nominalny", 223, kPaidNominal},
    {"BŁĄD", 248, kPaidError},
    {"BŁĄD [%]", 273, kPaidErrorPct},
};

TEST_F(GridWindow, TypedTariffAndGridGiveTheCoresResultsUnderEveryHeading) {
    struct Case {
        uint8_t family, regime;
        int test;
    };
    const Case cases[] = {{1, 1, kTimeTest}, {1, 1, kDistanceTest}, {1, 0, kTimeTest}, {1, 0, kDistanceTest},
                          {0, 1, kTimeTest}, {0, 1, kDistanceTest}, {0, 0, kTimeTest}, {0, 0, kDistanceTest}};
    for (const Case &c : cases) {
        const bool time = c.test == kTimeTest;
        SCOPED_TRACE(testing::Message() << "family " << int{c.family} << (c.regime == 1 ? " MID " : " ZT ")
                                        << (time ? "time" : "distance"));
        w->UsunTaryfy();
        w->UsunWyniki();
        w->UsunLiczniki();
        w->MeterFamily = c.family;
        w->ApprovalRegime = c.regime;
        w->Panel13->SetCaption(c.regime == 1 ? "MID" : "ZT");

        w->PageFunction(1);  // tariffs 1-4
        w->TariffSelPanels[1]->Click();
        w->TariffSelPanels[0]->Click();
        ASSERT_EQ(w->CurrentTariff, 0);
        TypeInto("Edit98", "1,00");   // JT
        TypeInto("Edit352", "5,00");  // OpłP
        TypeInto("Edit40", "2,00");   // OpłD
        TypeInto("Edit41", "36,00");  // OpłC
        if (c.regime == 1) {
            TypeInto("Edit42", "1000");                    // Dps
            TypeInto("Edit73", "120");                     // Cps
            EXPECT_FALSE(EditNamed("Edit99")->Enabled());  // STC has no use under MID
        } else {
            TypeInto("Edit99", "10");  // STC: Dps and Cps follow from it
            EXPECT_FALSE(EditNamed("Edit42")->Enabled());
            EXPECT_EQ(EditNamed("Edit42")->Text(), "5000,000");
        }
        EXPECT_EQ(EditNamed("Edit43")->Text(), "500,000");   // Dns = 1000 x JT / OpłD
        EXPECT_EQ(EditNamed("Edit101")->Text(), "100,000");  // Cns = 3600 x JT / OpłC
        EXPECT_EQ(EditNamed("Edit44")->Text(), "18,000");    // Vgn = OpłC / OpłD

        w->PageFunction(3);  // results
        (time ? w->Panel126 : w->Panel127)->Click();
        const char *noms[] = {time ? "120" : "1000", time ? "220" : "1500", time ? "320" : "2000",
                              time ? "425" : "2530"};
        for (int row = 0; row < 4; ++row) {
            TypeInto(w->FareGridColumns[row], noms[row]);
            TypeInto(w->FareGridColumns[kGridRows + row], QString::number(row + 1));
        }
        w->PageFunction(4);  // the counters of the shown test
        for (int counter = 0; counter < kCounters; ++counter) {
            TypeInto(w->CounterEdits[8 * kStart + counter], QString::number(100 + counter));
            TypeInto(w->CounterEdits[8 * kEnd + counter], QString::number(104 + 2 * counter));
        }
        ASSERT_EQ(w->ShownTest(), c.test);

        // The core on the window's stores and the typed values.
        EvaluationState state = *w;
        EvaluationScreen screen;
        TariffColumn &t = screen.Page.Tariffs[0];
        t.OplP = "5,00";
        t.OplD = "2,00";
        t.OplC = "36,00";
        t.Dps = c.regime == 1 ? "1000" : "---";
        t.Cps = c.regime == 1 ? "120" : "---";
        for (TariffColumn &other : screen.Page.Tariffs)
            for (std::string *text :
                 {&other.Vgp, &other.Vgn, &other.Dns, &other.Cns, &other.Vset, &other.Opw})
                *text = "---";
        for (int tariff = 1; tariff < 8; ++tariff)
            for (std::string *text : {&screen.Page.Tariffs[tariff].OplP, &screen.Page.Tariffs[tariff].OplD,
                                      &screen.Page.Tariffs[tariff].OplC, &screen.Page.Tariffs[tariff].Dps,
                                      &screen.Page.Tariffs[tariff].Cps})
                *text = "---";
        for (TariffColumn &other : screen.Page.Tariffs) other.Jdopl = "---";
        screen.Page.JT = {"1,00", "---"};
        screen.Page.STC = {c.regime == 1 ? "---" : "10", "---"};
        screen.Page.JDOPL = {"---", "---"};
        for (auto &cells : screen.Grid.Cells) cells.fill("---");
        for (int row = 0; row < 4; ++row) {
            screen.Grid.Cells[kNom][row] = noms[row];
            screen.Grid.Cells[kUnits][row] = std::to_string(row + 1);
        }
        for (int counter = 0; counter < kCounters; ++counter) {
            screen.Counters.Cells[kStart][counter] = std::to_string(100 + counter);
            screen.Counters.Cells[kEnd][counter] = std::to_string(104 + 2 * counter);
        }
        EvaluationSwitches switches;
        switches.MeterFamily = c.family;
        switches.ApprovalRegime = c.regime;
        switches.RegimeCaption = c.regime == 1 ? "MID" : "ZT";
        switches.ModeText = "S";
        switches.MeterConstantText = w->Edit107->Text().toStdString();
        EvaluateTariff(state, switches, 0, time, screen);

        for (const GridHeading &heading : kHeadings)
            for (int row = 0; row < kMeasuringRows; ++row) {
                TEdit *cell = EditNamed(QString("Edit%1").arg(heading.firstEdit + row));
                EXPECT_EQ(cell->Text().toStdString(), screen.Grid.Cells[heading.column][row])
                    << heading.caption << " row " << row;
            }
        for (int row = 0; row < kMeasuringRows; ++row)
            EXPECT_EQ(EditNamed(QString("Edit%1").arg(273 + row))->Color(),
                      screen.Grid.PercentRed[row] ? clRed : cl3DLight)
                << "row " << row;
        for (int row = kDifference; row < kCounterRows; ++row)
            for (int counter = 0; counter < kCounters; ++counter)
                EXPECT_EQ(Counter(row, counter).toStdString(), screen.Counters.Cells[row][counter])
                    << "counter " << counter << " row " << row;
        for (int counter = 0; counter < kCounters; ++counter)
            EXPECT_EQ(w->CounterEdits[8 * kError + counter]->Color(),
                      screen.Counters.ErrorRed[counter] ? clRed : cl3DLight)
                << "counter " << counter;
        EXPECT_EQ(w->TimeRowFailFlags, state.TimeRowFailFlags);
        EXPECT_EQ(w->DistanceRowFailFlags, state.DistanceRowFailFlags);
        EXPECT_EQ(w->CounterFailFlags, state.CounterFailFlags);
        EXPECT_EQ(EditNamed("Edit117")->Text().toStdString(), screen.Page.DpsD);
        EXPECT_EQ(EditNamed("Edit120")->Text().toStdString(), screen.Page.DnsD);
        EXPECT_EQ(EditNamed("Edit119")->Text().toStdString(), screen.Page.CpsD);
        EXPECT_EQ(EditNamed("Edit118")->Text().toStdString(), screen.Page.CnsD);
        EXPECT_EQ(w->TariffDParams[kDnsD][0], screen.Page.DnsD);

        // The verdict: the core's flags with the window's checklist and tested-tariff list.
        VerdictControls controls;
        controls.TestedTariffsEmpty = w->Edit8->Text().isEmpty();
        for (int i = 0; i < kInspectionItems; ++i)
            controls.ItemMarks[i] = w->InspectionItemPanels[i]->Caption().toStdString();
        const VerdictView verdict = ComputeVerdict(state, controls);
        EXPECT_FALSE(controls.TestedTariffsEmpty);
        EXPECT_EQ(w->VerdictStatus, state.VerdictStatus);
        EXPECT_EQ(w->Panel13->Font().Color(), verdict.Failed ? clRed : clBlack);
    }
}

// A step that fails inside a tariff's refresh or inside its evaluation is reported, and the guards it
// ran under are released: what the officer types next into the grid is stored and evaluated.
TEST_F(GridWindow, AFailingStepLeavesTheGridStoringAndEvaluating) {
    w->PageFunction(1);           // tariffs 1-4
    TypeInto("Edit98", "1,00");   // JT
    TypeInto("Edit352", "5,00");  // OpłP
    TypeInto("Edit40", "2,00");   // OpłD
    TypeInto("Edit41", "36,00");  // OpłC
    TypeInto("Edit42", "1000");   // Dps
    TypeInto("Edit73", "120");    // Cps
    w->PageFunction(3);           // results, time test
    // Tariff 2 has fees of its own.
    for (const auto &[row, value] :
         {std::pair{kOplP, "5,00"}, {kOplD, "2,50"}, {kOplC, "36,00"}, {kDps, "1000"}, {kCps, "120"}})
        w->TariffParams[row][1] = value;

    // The next write into `edit` throws, once.
    const auto failOnce = [](TEdit *edit) {
        edit->OnChange = [edit, handler = edit->OnChange](TObject *) {
            edit->OnChange = handler;
            throw std::runtime_error("a step failed");
        };
    };
    struct Case {
        const char *step;
        TEdit *failing;
        std::function<void()> trigger;
    };
    const Case cases[] = {
        {"the evaluation's results", w->FareGridColumns[kGridRows * kFeeMeter],
         [this] { TypeInto(w->FareGridColumns[kGridRows], "1"); }},
        {"the refresh of a tariff", w->TariffPanelEdits[8 * kOplD + 1],
         [this] { w->TariffSelPanels[1]->Click(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step);
        boxes.clear();
        TypeInto(w->FareGridColumns[0], "120");
        failOnce(c.failing);
        c.trigger();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "a step failed.");

        const int slot = w->CurrentTariff;
        TypeInto(w->FareGridColumns[2], "320");
        TypeInto(w->FareGridColumns[kGridRows + 2], "3");
        EXPECT_EQ(w->FareRowStore[kTimeNom][slot][2], "320");
        EXPECT_EQ(w->FareGridStore[kTimeTest][kUnits][slot][2], "3");
        EXPECT_NE(w->FareGridColumns[kGridRows * kFeeStation + 2]->Text(), "---") << "row 3 evaluated";
        EXPECT_EQ(boxes.size(), 1u);
    }
}

}  // namespace
