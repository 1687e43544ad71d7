#pragma once
// A tariff slot set up as the window would hand it to the evaluation: first tariff of the
// first layout, MID, mode S, with fees that make the grid come out exact.
#include <gtest/gtest.h>

#include "evaluation/fare_evaluation.h"
#include "platform/runtime/numbers.h"

namespace evaluation::testing {

class EvaluationFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings.DecimalSeparator = ',';
        switches.MeterFamily = 1;
        SetTariff(0, "5,00");
        screen.Page.JT[0] = "1,00";
        screen.Page.STC[0] = "10";
        screen.Page.JDOPL[0] = "1,00";
    }

    // Written with the separator in force. JT 1,00, OpłD 2,00, OpłC 36,00: Dns 500 m, Cns 100 s, Vgn 18 km/h;
    // Dps 1000 m, Cps 120 s.
    void SetTariff(int tariff, const std::string &oplP) {
        const int slot = switches.LayoutBase + tariff;
        state.TariffParams[kOplP][slot] = oplP;
        state.TariffGroupUnits[kJT][slot / 4] = FormatFixed(1, 2);
        TariffColumn &t = screen.Page.Tariffs[tariff];
        t.OplP = oplP;
        t.OplD = FormatFixed(2, 2);
        t.OplC = FormatFixed(36, 2);
        t.Dps = FormatFixed(1000, 3);
        t.Cps = FormatFixed(120, 3);
        t.Vset = "30";
        t.Opw = "---";
    }

    // Fills the grid of the slot and test: NOM and N on the screen and in the stores.
    void SetRows(int tariff, bool timeTest, const std::vector<std::pair<std::string, std::string>> &rows) {
        const int slot = switches.LayoutBase + tariff;
        const int test = timeTest ? kTimeTest : kDistanceTest;
        for (int r = 0; r < kMeasuringRows; ++r) {
            const auto &[nom, units] =
                r < static_cast<int>(rows.size()) ? rows[r] : std::pair<std::string, std::string>{};
            screen.Grid.Cells[kNom][r] = nom;
            screen.Grid.Cells[kUnits][r] = units;
            state.FareRowStore[timeTest ? kTimeNom : kDistanceNom][slot][r] = nom;
            state.FareGridStore[test][kUnits][slot][r] = units;
        }
    }

    EvaluationOutcome Evaluate(int tariff, bool timeTest) {
        return EvaluateTariff(state, switches, tariff, timeTest, screen);
    }

    const std::string &Cell(int column, int row) const { return screen.Grid.Cells[column][row]; }

    EvaluationState state;
    EvaluationSwitches switches;
    EvaluationScreen screen;
};

}  // namespace evaluation::testing
