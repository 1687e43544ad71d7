#include "evaluation/counters.h"

#include "evaluation_fixture.h"

namespace evaluation::testing {
namespace {

class Counters : public EvaluationFixture {
protected:
    void SetUp() override {
        EvaluationFixture::SetUp();
        switches.MeterFamily = 0;
    }
    // Start and end values of a counter.
    void Counter(int counter, const std::string &start, const std::string &end) {
        screen.Counters.Cells[kStart][counter] = start;
        screen.Counters.Cells[kEnd][counter] = end;
    }
    // The last row with a unit count of a test: its N, taximeter's fee and nominal value.
    void LastRow(bool timeTest, int row, const std::string &units, const std::string &fee,
                 const std::string &nom = "") {
        const int test = timeTest ? kTimeTest : kDistanceTest;
        state.FareGridStore[test][kUnits][0][row] = units;
        state.FareGridStore[test][kFeeMeter][0][row] = fee;
        state.FareGridStore[test][kNom][0][row] = nom;
    }
    void Run(bool timeTest) {
        EvaluateCounters(state, switches, 0, timeTest, FindLastRows(state, 0), screen.Page, screen.Counters);
    }
    const std::string &Text(int row, int counter) const { return screen.Counters.Cells[row][counter]; }
    uint8_t Flag(bool timeTest, int flag) const { return state.CounterFailFlags[timeTest ? 0 : 1][0][flag]; }
};

TEST_F(Counters, UnitsBeyondTheGridAboveSixtyThree) {
    LastRow(true, 3, "12", "16,00");
    Counter(2, "100", "164");
    Counter(3, "0,00", "30,00");
    Run(true);
    EXPECT_EQ(Text(kDifference, 2), "64");
    EXPECT_EQ(Text(kRealised, 2), "64");
    EXPECT_EQ(Text(kRealised, 3), "30,00");  // the fee counter's own difference
    EXPECT_EQ(Text(kError, 2), "0");
    EXPECT_EQ(Text(kError, 3), "0,00");
    EXPECT_EQ(Flag(true, 2), 0);
    EXPECT_EQ(Flag(true, 3), 0);

    Counter(2, "100", "163");
    Run(true);
    EXPECT_EQ(Text(kRealised, 2), "12");
    EXPECT_EQ(Text(kError, 2), "51");
    EXPECT_EQ(Text(kRealised, 3), "17,00");  // last fee + JT
    EXPECT_EQ(Text(kError, 3), "13,00");
    EXPECT_EQ(Flag(true, 2), 1);
    EXPECT_EQ(Flag(true, 3), 1);
    EXPECT_TRUE(screen.Counters.ErrorRed[2]);
    EXPECT_EQ(state.CounterStore[kTimeTest][kRealised][2][0], "12");
    EXPECT_EQ(state.CounterStore[kTimeTest][kError][3][0], "13,00");
    EXPECT_EQ(state.CounterStore[kTimeTest][kEnd][2][0], "163");
}

TEST_F(Counters, KilometreErrorsShowPerCentAndNeverFail) {
    LastRow(false, 2, "3", "7,00", "2000");
    Counter(0, "100,00", "102,05");
    Counter(1, "50,00", "50,00");
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "2,00");
    EXPECT_EQ(Text(kError, 0), "0,05/2,5%");
    EXPECT_EQ(Text(kError, 1), "-2,00/-100,0%");
    EXPECT_EQ(Flag(false, 0), 0);
    EXPECT_EQ(Flag(false, 1), 0);
    EXPECT_FALSE(screen.Counters.ErrorRed[0]);
    // A realised 0: the per cent is taken against the difference.
    Run(true);
    EXPECT_EQ(Text(kRealised, 0), "0,00");
    EXPECT_EQ(Text(kError, 0), "2,05/-100,0%");
    EXPECT_EQ(Text(kError, 1), "0,00");
}

TEST_F(Counters, CoursesAndSurchargeUnits) {
    Counter(4, "10,00", "13,00");
    Counter(7, "5", "7");
    Counter(5, "0", "1");
    Run(true);
    EXPECT_EQ(Text(kRealised, 5), "---");  // no test has unit counts
    EXPECT_EQ(Text(kRealised, 7), "3");    // 3,00 / JDOPŁ 1,00
    EXPECT_EQ(Text(kError, 7), "-1");
    EXPECT_EQ(Flag(true, 4), 1);  // counter 7 maps to flag 4
    EXPECT_EQ(Flag(true, 5), 0);  // counter 4's flag: its realised value is its difference

    LastRow(false, 0, "1", "5,00");
    Run(true);
    EXPECT_EQ(Text(kRealised, 5), "0");
    Run(false);
    EXPECT_EQ(Text(kRealised, 5), "1");

    screen.Page.JDOPL[0] = "1,50";
    Run(true);
    EXPECT_EQ(Text(kRealised, 7), "2");
    screen.Page.JDOPL[0] = "0";
    Run(true);
    EXPECT_EQ(Text(kRealised, 7), "---");  // division by zero
    EXPECT_EQ(Text(kError, 7), "---");
    Counter(4, "10,00", "10,00");
    Run(true);
    EXPECT_EQ(Text(kDifference, 4), "0,00");
    EXPECT_EQ(Text(kRealised, 7), "0");  // no division at all
}

TEST_F(Counters, FlagsFollowThePlacesOnThePage) {
    LastRow(true, 0, "1", "5,00");
    Counter(3, "0", "6,00");  // realised 5 + 1: passes
    Counter(4, "0", "1,00");
    Counter(5, "0", "2");     // realised 1: fails
    Counter(6, "0", "9,00");  // realised 7: fails
    Counter(7, "0", "1");     // realised 1: passes
    Run(true);
    EXPECT_EQ(Text(kRealised, 6), "7,00");
    const uint8_t expected[kCounters] = {0, 0, 0, 0, 0, 0, 1, 1};
    for (int flag = 0; flag < kCounters; ++flag) EXPECT_EQ(Flag(true, flag), expected[flag]) << flag;
    EXPECT_EQ(Flag(false, 6), 0);
}

TEST_F(Counters, EmptyCounterRowsFailNothing) {
    LastRow(true, 0, "1", "5,00");
    state.CounterFailFlags[0][0].fill(1);  // values an earlier evaluation left are kept on failure
    Run(true);
    for (int i = 0; i < kCounters; ++i) {
        EXPECT_EQ(Text(kDifference, i), "---") << i;
        EXPECT_EQ(Text(kRealised, i), "---") << i;
        EXPECT_EQ(Text(kError, i), "---") << i;
        EXPECT_FALSE(screen.Counters.ErrorRed[i]);
    }
}

TEST_F(Counters, OwnGroupWithoutInitialSegmentCountsNoTariffUnit) {
    switches.MeterFamily = 1;
    state.TariffGroupFlag[0] = 0;
    LastRow(true, 2, "3", "7,00");
    Counter(3, "0", "7,00");
    Run(true);
    EXPECT_EQ(Text(kRealised, 3), "7,00");
    EXPECT_EQ(Flag(true, 3), 0);
}

TEST_F(Counters, TestDistanceSources) {
    Counter(0, "0", "3,50");
    Counter(1, "0", "2,00");
    LastRow(false, 1, "2", "6,00", "2000");
    switches.ApprovalRegime = 0;
    screen.Page.Tariffs[0].Opw = "1,5";
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "3,50");  // 2 km of the grid + 1,5 km in WOLNY
    EXPECT_EQ(Text(kRealised, 1), "2,00");
    screen.Page.Tariffs[0].Opw = "";
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "---");
    EXPECT_EQ(Text(kRealised, 1), "---");

    switches.ApprovalRegime = 1;
    state.SlotTotalDistance[0] = 4000;
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "4,00");
    state.SlotTotalDistance[0] = 0;
    switches.DistanceTestDone = 1;
    screen.Page.Tariffs[0].Dns = "500,000";
    Counter(2, "0", "40");
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "3,50");  // the difference stands for the realised value
    EXPECT_EQ(Text(kRealised, 2), "40");
    screen.Page.Tariffs[0].Dns = "---";  // tariff 1's steps must convert on this path
    Run(false);
    EXPECT_EQ(Text(kRealised, 2), "---");
}

TEST_F(Counters, TestDistanceIsHeldInSinglePrecision) {
    // The distance is rounded to single precision when taken and again once the distance in
    // WOLNY is added; rounding only the sum gives another second decimal in each of these.
    struct Case {
        float slotTotal;  // metres of the device's run, 0 for none
        const char *nom;  // nominal value of the last distance row [m]
        const char *opw;
        const char *total, *paid;  // realised kilometres of counters 0 and 1
    };
    const Case cases[] = {
        {0, "1065", "0,1", "1,17", "1,07"},
        {0, "65", "0,1", "0,16", "0,06"},
        {1065, "2000", "0,1", "1,17", "1,07"},
        {0, "2735", "1,5", "4,23", "2,73"},
    };
    switches.ApprovalRegime = 0;
    Counter(0, "0", "5,00");
    Counter(1, "0", "5,00");
    for (const Case &c : cases) {
        state.SlotTotalDistance[0] = c.slotTotal;
        LastRow(false, 1, "2", "6,00", c.nom);
        screen.Page.Tariffs[0].Opw = c.opw;
        Run(false);
        EXPECT_EQ(Text(kRealised, 0), c.total) << c.nom << " " << c.slotTotal << " + " << c.opw;
        EXPECT_EQ(Text(kRealised, 1), c.paid) << c.nom << " " << c.slotTotal << " + " << c.opw;
    }
}

TEST_F(Counters, LayoutChangeAddsTheDistanceInWolny) {
    switches.ZmianaTestedMask = 1;
    LastRow(false, 1, "2", "6,00", "2000");
    Counter(0, "0", "4,00");
    Counter(1, "0", "2,00");
    Run(false);
    EXPECT_EQ(Text(kRealised, 0), "4,00");
    EXPECT_EQ(screen.Page.Tariffs[0].Opw, "2,0");

    switches.CalcRelativeToK = 1;
    switches.StationConstSt = 5000;
    switches.MeterConstantText = "4000";
    Run(false);
    EXPECT_EQ(screen.Page.Tariffs[0].Opw, "2,5");
    EXPECT_EQ(Text(kRealised, 0), "4,50");
    for (const char *k : {"abc", "0"}) {
        switches.MeterConstantText = k;
        Run(false);
        EXPECT_EQ(screen.Page.Tariffs[0].Opw, "---") << k;
        EXPECT_EQ(Text(kRealised, 0), "---") << k;
        EXPECT_EQ(Text(kRealised, 1), "---") << k;
    }
}

}  // namespace
}  // namespace evaluation::testing
