#include "evaluation/fare_grid.h"

#include "evaluation_fixture.h"

namespace evaluation::testing {
namespace {

class FareGrid : public EvaluationFixture {
protected:
    // Time test, mode S: a point every fee unit, 120 s then 100 s each.
    void ExactTimeRows(int count = kMeasuringRows) {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back({std::to_string(120 + 100 * i), std::to_string(i + 1)});
        SetRows(0, true, rows);
    }
    const std::string &Stored(int test, int column, int row) const {
        return state.FareGridStore[test][column][0][row];
    }
};

TEST_F(FareGrid, ExactTaximeterGivesZeroErrorsInEveryRow) {
    ExactTimeRows();
    Evaluate(0, true);
    for (int i = 0; i < kMeasuringRows; ++i) {
        SCOPED_TRACE(i);
        const std::string nominal = FormatFixed(120 + 100 * i, 3);
        EXPECT_EQ(Cell(kFeeMeter, i), FormatFixed(5 + i, 2));
        EXPECT_EQ(Cell(kFeeStation, i), FormatFixed(5 + i, 2));
        EXPECT_EQ(Cell(kFeeError, i), "0,00");
        EXPECT_EQ(Cell(kFeeErrorPct, i), "0,000");
        EXPECT_EQ(Cell(kPaidCorrect, i), nominal);
        EXPECT_EQ(Cell(kPaidNominal, i), nominal);
        EXPECT_EQ(Cell(kPaidError, i), "0,000");
        for (int column :
             {kFeeMeter, kFeeStation, kFeeError, kFeeErrorPct, kPaidCorrect, kPaidNominal, kPaidError})
            EXPECT_EQ(Stored(kTimeTest, column, i), Cell(column, i));
        EXPECT_EQ(Stored(kDistanceTest, kFeeMeter, i), "");  // mode S shares nothing
    }
}

TEST_F(FareGrid, SlowTaximeterShowsStationMinusTaximeter) {
    // Row 3 reached after 450 s instead of 420 s: the station expects more than 8,00.
    ExactTimeRows(4);
    screen.Grid.Cells[kNom][3] = "450";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidCorrect, 3), "450,000");
    EXPECT_EQ(Cell(kPaidNominal, 3), "420,000");
    EXPECT_EQ(Cell(kPaidError, 3), "30,000");
    EXPECT_EQ(Cell(kFeeStation, 3), "8,21");  // 5 + 3 x 450 / 420
    EXPECT_EQ(Cell(kFeeError, 3), "0,21");
    EXPECT_EQ(Cell(kFeeErrorPct, 3), "2,625");
    EXPECT_EQ(Cell(kFeeMeter, 4), "---");  // no unit count
    EXPECT_EQ(Cell(kPaidCorrect, 4), "---");
}

TEST_F(FareGrid, EmptyFirstNominalBlanksRowZero) {
    ExactTimeRows();
    for (const char *units : {"1", "", "---"}) {
        screen.Grid.Cells[kNom][0] = "";
        screen.Grid.Cells[kUnits][0] = units;
        Evaluate(0, true);
        for (int column : {kFeeMeter, kPaidCorrect, kPaidNominal, kFeeErrorPct, kPaidError})
            EXPECT_EQ(Cell(column, 0), "---") << column << " N=" << units;
    }
    // A cancelled unit count alone blanks the taximeter's fee and the nominal value.
    screen.Grid.Cells[kNom][0] = "120";
    screen.Grid.Cells[kUnits][0] = "---";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kFeeMeter, 0), "---");
    EXPECT_EQ(Cell(kPaidNominal, 0), "---");
    EXPECT_EQ(Cell(kPaidCorrect, 0), "120,000");
}

TEST_F(FareGrid, ZeroInitialFeeAndZeroTaximeterFee) {
    ExactTimeRows();
    state.TariffParams[kOplP][0] = "0,00";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kFeeErrorPct, 0), "0,000");
    state.TariffGroupUnits[kJT][0] = "0";
    Evaluate(0, true);
    for (int i = 1; i < kMeasuringRows; ++i) EXPECT_EQ(Cell(kFeeErrorPct, i), "---") << i;
}

TEST_F(FareGrid, ZtCountsPaidValuesFromTheFirstPoint) {
    switches.RegimeCaption = "ZT";
    SetRows(0, true, {{"100", "1"}, {"300", "3"}});
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidCorrect, 1), "200,000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "200,000");  // a plain multiple of Cns
    switches.RegimeCaption = "MID";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidCorrect, 1), "300,000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "320,000");  // 120 + 2 x 100
}

TEST_F(FareGrid, TenthsOfTimeOnlyInTheTimeTest) {
    switches.CzasX10 = 1;
    screen.Page.Tariffs[0].Cps = "60";
    SetRows(0, true, {{"60", "1"}, {"160", "2"}});
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidNominal, 0), "6,000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "16,000");  // (1 x 100) x 0,1 + 6
    SetRows(0, false, {{"1000", "1"}, {"1500", "2"}});
    Evaluate(0, false);
    EXPECT_EQ(Cell(kPaidNominal, 0), "1000,000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "1500,000");
}

TEST_F(FareGrid, OwnGroupWithoutInitialSegment) {
    state.TariffGroupFlag[0] = 0;
    SetRows(0, true, {{"0", "1"}, {"100", "2"}});
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidNominal, 0), "0,000");
    EXPECT_EQ(Cell(kFeeStation, 0), "5,00");
    EXPECT_EQ(Cell(kPaidErrorPct, 0), "0,000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "100,000");
    EXPECT_EQ(Cell(kFeeStation, 1), "6,00");
    // The same slot of a NOVITIUS taximeter has an initial segment: z = 0 gives no station fee.
    switches.MeterFamily = 0;
    screen.Page.Tariffs[0].Cps = "0";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kFeeStation, 0), "---");
}

TEST_F(FareGrid, ModeDCombinesBothTestsAndSharesFeeColumns) {
    switches.ModeText = "D";
    SetRows(0, false, {{"500", "1"}, {"812,5", "2"}});
    SetRows(0, true, {{"60", "1"}, {"97,5", "2"}});
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidNominal, 0), "60,000");  // CpsD
    EXPECT_EQ(Cell(kPaidNominal, 1), "97,500");  // + 18 x 100 / 48
    EXPECT_EQ(Cell(kFeeStation, 0), "5,00");     // 5 x (60 / 120 + 500 / 1000)
    EXPECT_EQ(Cell(kFeeStation, 1), "6,00");     // + 312,5 m x 2 zł/km + 37,5 s x 36 zł/h
    for (int column : {kFeeMeter, kFeeStation, kFeeError, kFeeErrorPct})
        for (int i = 0; i < kMeasuringRows; ++i)
            EXPECT_EQ(Stored(kDistanceTest, column, i), Stored(kTimeTest, column, i)) << column << "/" << i;
    EXPECT_EQ(Stored(kDistanceTest, kPaidNominal, 0), "");
    // Without a mode-D initial step row 0 has no nominal value.
    screen.Page.Tariffs[0].Vset = "";
    Evaluate(0, true);
    EXPECT_EQ(Cell(kPaidNominal, 0), "---");
    EXPECT_EQ(Cell(kFeeStation, 0), "---");
}

}  // namespace
}  // namespace evaluation::testing

namespace evaluation::testing {
namespace {

// A user whose decimal separator is the point: texts are read and written with it, and
// zero tests are numeric.
TEST_F(EvaluationFixture, PointAsDecimalSeparator) {
    FormatSettings.DecimalSeparator = '.';
    SetTariff(0, "5.00");
    screen.Page.JDOPL[0] = "1.00";
    state.TariffParams[kOplP][0] = "0.00";
    SetRows(0, true, {{"120", "1"}, {"220", "2"}});
    screen.Counters.Cells[kStart][4] = "1.50";
    screen.Counters.Cells[kEnd][4] = "1.50";
    screen.Counters.Cells[kStart][7] = "3";
    screen.Counters.Cells[kEnd][7] = "3";
    Evaluate(0, true);
    EXPECT_EQ(screen.Page.Tariffs[0].Dns, "500.000");
    EXPECT_EQ(Cell(kFeeErrorPct, 0), "0.000");
    EXPECT_EQ(Cell(kPaidNominal, 1), "220.000");
    EXPECT_EQ(screen.Counters.Cells[kDifference][4], "0.00");
    EXPECT_EQ(screen.Counters.Cells[kRealised][7], "0");  // "0.00" is a zero surcharge here
    EXPECT_EQ(screen.Counters.Cells[kError][7], "0");
    FormatSettings.DecimalSeparator = ',';
}

}  // namespace
}  // namespace evaluation::testing
