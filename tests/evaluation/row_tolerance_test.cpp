#include "evaluation/row_tolerance.h"

#include <cmath>

#include "evaluation_fixture.h"

namespace evaluation::testing {
namespace {

struct ToleranceCase {
    bool time, mid, vehicle;
    long double e, c;
    float p;
    bool fails;
};

TEST(RowFails, BoundariesOfEveryRegimeTestAndSource) {
    const float above2 = std::nextafter(2.0f, 3.0f);
    const ToleranceCase cases[] = {
        // time, MID, results from the station: |e| >= 0,2 s and |p| > 0,1 %
        {true, true, false, 0.2L, 200, 0.1f, true},  // 0,1 held as the float above it
        {true, true, false, -0.2L, 200, -0.1f, true},
        {true, true, false, 0.2L, 200, 0.0999f, false},
        {true, true, false, 0.19999L, 20, 1.0f, false},
        // time, MID, vehicle: |p| > 0,2 %
        {true, true, true, 0, 0, 0.2f, true},
        {true, true, true, 0, 0, -0.2f, true},
        {true, true, true, 0, 0, 0.19999f, false},
        // time, ZT, station: signed e >= 1,5 % of c and e >= 5 s, |p| > 0,3 %
        {true, false, false, 8, 400, 2.04f, true},
        {true, false, false, -8, 400, -1.96f, false},
        {true, false, false, 6, 400, 1.5f, true},
        {true, false, false, 5.999L, 400, 1.5f, false},
        {true, false, false, 5, 100, 0.3f, true},
        {true, false, false, 5, 100, 0.29999f, false},
        {true, false, false, 4.999L, 100, 5.0f, false},
        // time, ZT, vehicle: never judged
        {true, false, true, 1000, 10, 100.0f, false},
        // distance, MID, station: |e| >= 4 m and |p| > 0,2 %
        {false, true, false, 4, 1000, 0.2f, true},
        {false, true, false, -4, 1000, -0.2f, true},
        {false, true, false, 3.999L, 1000, 5.0f, false},
        {false, true, false, 4, 1000, 0.19999f, false},
        // distance, MID, vehicle: |p| > 2 %, compared exactly
        {false, true, true, 0, 0, 2.0f, false},
        {false, true, true, 0, 0, -2.0f, false},
        {false, true, true, 0, 0, above2, true},
        {false, true, true, 0, 0, -above2, true},
        // distance, ZT, station: |e| >= 1 % of c and |e| >= 5 m, |p| > 0,2 %
        {false, false, false, 10, 1000, 0.21f, true},
        {false, false, false, -10, 1000, -0.21f, true},
        {false, false, false, 9.99L, 1000, 5.0f, false},
        {false, false, false, 5, 400, 0.2f, true},
        {false, false, false, 4.99L, 400, 5.0f, false},
        {false, false, false, 10, 1000, 0.19999f, false},
        // distance, ZT, vehicle: |e| >= 15 m and |e| > 1 % of c, no per-cent condition
        {false, false, true, -15, 1000, 0, true},
        {false, false, true, 15, 2000, 0, false},
        {false, false, true, 15, 1499, 0, true},
        {false, false, true, 14.99L, 100, 0, false},
    };
    for (const auto &k : cases) {
        EXPECT_EQ(RowFails(k.time, k.mid, k.vehicle, k.e, k.c, k.p), k.fails)
            << (k.time ? "time " : "distance ") << (k.mid ? "MID " : "ZT ") << (k.vehicle ? "vehicle " : "")
            << "e=" << static_cast<double>(k.e) << " c=" << static_cast<double>(k.c) << " p=" << k.p;
    }
}

class RowTolerance : public EvaluationFixture {
protected:
    // Puts a row straight into the grid: NOM, N, correct and nominal value and their error.
    void Row(int row, const std::string &nom, const std::string &units, const std::string &correct,
             const std::string &nominal, const std::string &error, bool timeTest = false) {
        auto &c = screen.Grid.Cells;
        c[kNom][row] = nom;
        c[kUnits][row] = units;
        c[kPaidCorrect][row] = correct;
        c[kPaidNominal][row] = nominal;
        c[kPaidError][row] = error;
        state.FareGridStore[timeTest ? kTimeTest : kDistanceTest][kUnits][0][row] = units;
    }
    void Judge(bool timeTest) {
        JudgeRows(state, switches, 0, timeTest, FindLastRows(state, 0), screen.Grid);
    }
    const auto &Flags(bool timeTest) const {
        return timeTest ? state.TimeRowFailFlags[0] : state.DistanceRowFailFlags[0];
    }
};

TEST_F(RowTolerance, OnlyTheLastRowWithUnitsIsJudged) {
    for (int r = 0; r < kMeasuringRows; ++r) Row(r, "1000", std::to_string(r + 1), "1100", "1000", "100,000");
    Row(9, "1000", "10", "1000", "1000", "0,000");
    Judge(false);
    for (int r = 0; r < kMeasuringRows; ++r) {
        EXPECT_EQ(Flags(false)[r][0], 0) << r;
        EXPECT_FALSE(screen.Grid.PercentRed[r]) << r;
    }
    EXPECT_EQ(Cell(kPaidErrorPct, 4), "10,000");
    EXPECT_EQ(state.FareGridStore[kDistanceTest][kPaidErrorPct][0][4], "10,000");
    EXPECT_EQ(state.FareGridStore[kDistanceTest][kPaidError][0][4], "100,000");
    EXPECT_EQ(state.FareGridStore[kDistanceTest][kNom][0][4], "1000");

    // Unit counts in rows 0..4 only: row 4 is judged and fails.
    for (int r = 5; r < kMeasuringRows; ++r) Row(r, "", "", "---", "---", "---");
    Row(6, "12", "", "---", "---", "---");  // a nominal value without an error fails
    Judge(false);
    EXPECT_EQ(Flags(false)[4][0], 1);
    EXPECT_TRUE(screen.Grid.PercentRed[4]);
    EXPECT_EQ(Flags(false)[6][0], 1);
    EXPECT_TRUE(screen.Grid.PercentRed[6]);
    EXPECT_EQ(Cell(kPaidErrorPct, 6), "---");
    for (int r : {1, 2, 3, 5, 7, 8, 9}) EXPECT_EQ(Flags(false)[r][0], 0) << r;
}

TEST_F(RowTolerance, PerCentOfExactlyPointTwoFailsInTheVehicle) {
    switches.VehicleResults = 1;
    Row(0, "100", "1", "100,000", "100,000", "0,000", true);
    Row(1, "100,2", "2", "100,200", "100,000", "0,200", true);
    Judge(true);
    EXPECT_EQ(Cell(kPaidErrorPct, 1), "0,200");
    EXPECT_EQ(Flags(true)[1][0], 1);
    EXPECT_TRUE(screen.Grid.PercentRed[1]);
    Row(1, "100,19999", "2", "100,19999", "100,000", "0,19999", true);
    state.TimeRowFailFlags[0][1][0] = 0;
    Judge(true);
    EXPECT_EQ(Flags(true)[1][0], 0);
}

TEST_F(RowTolerance, RowZeroIsNeverLeftFailingAndTimeClearsDistanceRowZero) {
    Row(0, "100", "1", "200,000", "100,000", "100,000", true);
    state.DistanceRowFailFlags[0][0][0] = 1;
    state.DistanceRowFailFlags[0][0][1] = 1;
    Judge(true);
    EXPECT_EQ(Flags(true)[0][0], 0);
    EXPECT_FALSE(screen.Grid.PercentRed[0]);
    EXPECT_EQ(Cell(kPaidErrorPct, 0), "100,000");
    EXPECT_EQ(state.DistanceRowFailFlags[0][0][0], 0);
    EXPECT_EQ(state.DistanceRowFailFlags[0][0][1], 1);  // the second byte is only ever cleared
    // A row 0 whose error does not convert still fails by its missing error.
    Row(0, "100", "1", "---", "100,000", "---", true);
    Judge(true);
    EXPECT_EQ(Flags(true)[0][0], 1);
    // Nor a zero nominal value: division by zero.
    Row(0, "100", "1", "0,000", "0,000", "0,000", true);
    state.TimeRowFailFlags[0][0][0] = 0;
    Judge(true);
    EXPECT_EQ(Cell(kPaidErrorPct, 0), "---");
    EXPECT_EQ(Flags(true)[0][0], 1);
}

TEST_F(RowTolerance, OwnGroupWithoutInitialSegmentSkipsRowZero) {
    state.TariffGroupFlag[0] = 0;
    // A zero nominal value would be a division by zero; the row shows zero and is not judged.
    Row(0, "0,000", "1", "50,000", "0,000", "50,000");
    Judge(false);
    EXPECT_EQ(Cell(kPaidErrorPct, 0), "0,000");
    EXPECT_EQ(Flags(false)[0][0], 0);
    EXPECT_FALSE(screen.Grid.PercentRed[0]);
    // A test never run has no error to show in row 0 either: annex B prints "---" there, whether
    // or not the test was evaluated (a reloaded job evaluates both tests of every tariff).
    for (int r = 0; r < kMeasuringRows; ++r) Row(r, "---", "---", "---", "---", "---");
    Judge(false);
    EXPECT_EQ(Cell(kPaidErrorPct, 0), "---");
    EXPECT_EQ(state.FareGridStore[kDistanceTest][kPaidErrorPct][0][0], "---");
    EXPECT_EQ(Flags(false)[0][0], 0);
}

}  // namespace
}  // namespace evaluation::testing
