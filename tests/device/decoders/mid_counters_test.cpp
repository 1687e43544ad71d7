#include "device/decoders/mid_counters.h"

#include "decoder_fixture.h"

namespace decoders {
namespace {

using MidCounters = DecoderTest;

// Unpaid 5,60 km, paid 123,40 km, 12 trips, fares 250,00 and extras 10,50.
Record CountersRecord() {
    return std::move(Record('U', 36)
                         .Byte(1, 'R')
                         .Field(2, "000230")
                         .Field(8, "003034")
                         .Field(14, "00000C")
                         .Field(20, "00025000")
                         .Field(28, "00001050"));
}

std::vector<uint8_t> NovitiusCounters() {
    return ToBytes("x\r1000.5\r900.25\r4000\r3000.00\r120.50\r77\rx\r3120.50\rx\rx\rx\r15\r");
}

TEST_F(MidCounters, OwnFamilyReadout) {
    const auto counters = DecodeOwnFamilyCounters(CountersRecord());
    ASSERT_TRUE(counters);
    const CounterTexts expected = {"129,00", "123,40", "---", "250,00", "10,50", "12", "260,50", "---"};
    EXPECT_EQ(CountersOf(*counters), expected);
    const ChangeRegisters r = RegistersOf(*counters);
    EXPECT_EQ(r.Edit518, "5,60");
    EXPECT_EQ(r.Edit519, "123,40");
    EXPECT_EQ(r.Edit520, "129,00");
    EXPECT_EQ(r.Edit521, "12");
    EXPECT_EQ(r.Edit524, "260,50");
    EXPECT_FALSE(r.DistancesLocked);
    // A record cut after the trips: the sums that need the missing fields fail.
    const Record full = CountersRecord();
    const CounterTexts cut = CountersOf(*DecodeOwnFamilyCounters(Bytes(full).first(22)));
    EXPECT_EQ(cut[0], "129,00");
    EXPECT_EQ(cut[3], "---");
    EXPECT_EQ(cut[6], "---");
    EXPECT_FALSE(DecodeOwnFamilyCounters(ToBytes("U1")));
}

TEST_F(MidCounters, NovitiusReadout) {
    const NovitiusLines lines(NovitiusCounters());
    const CounterTexts expected = {"1000,5", "900,25", "4000", "3000,00", "120,50", "77", "3120,50", "15"};
    EXPECT_EQ(CountersOf(lines), expected);
    ChangeRegisters r = RegistersOf(lines);
    EXPECT_EQ(r.Edit518, "100,25");
    EXPECT_EQ(r.Edit520, "1000,5");
    EXPECT_EQ(r.Edit521, "77");
    EXPECT_EQ(r.Edit524, "3120,50");
    EXPECT_EQ(r.DistancesLocked, true);
    r = RegistersOf(NovitiusLines(ToBytes("x\rabc\r1\r")));
    EXPECT_EQ(r.Edit518, "---");
    EXPECT_EQ(r.DistancesLocked, false);  // the operator types the distances
    EXPECT_EQ(CountersOf(NovitiusLines({}))[7], "");
}

TEST_F(MidCounters, EndRowOfATimeTestKeepsTheStartDistances) {
    const CounterTexts readout = CountersOf(NovitiusLines(NovitiusCounters()));
    CounterTexts start;
    start.fill("s");
    const struct {
        bool novitius;
        uint8_t system;
        bool keepsStart;
    } cases[] = {{true, 0, true}, {true, 1, false}, {true, 2, false}, {false, 0, false}};
    for (const auto &c : cases) {
        const CounterTexts row = EndRow(readout, c.novitius, c.system, start);
        EXPECT_EQ(row[0], c.keepsStart ? "s" : readout[0]) << c.novitius << int(c.system);
        EXPECT_EQ(row[1], c.keepsStart ? "s" : readout[1]);
        EXPECT_EQ(row[2], readout[2]);
    }
}

TEST(MidReadoutPlanning, StartAndEndReadouts) {
    struct Case {
        const char *name;
        MidReadoutState state;
        bool store, startRow, endRow, closeRun, pickSlot;
        uint8_t pending, stage;
    };
    const auto own = [](uint8_t pending, uint8_t stage, uint8_t tariff, bool modeS, bool page4,
                        bool edit437) {
        return MidReadoutState{false, pending, stage, 0, tariff, modeS, page4, edit437};
    };
    const Case cases[] = {
        {"start, mode S", own(1, 0, 2, true, false, false), true, true, false, false, false, 0, 0},
        {"start, no tariff", own(1, 0, 0xFF, true, false, false), false, true, false, false, false, 0, 0},
        {"tariff out of range", own(1, 2, 8, true, false, false), false, true, false, false, false, 0, 2},
        {"mode D waits for page 4", own(1, 0, 2, false, false, false), false, true, false, false, false, 0,
         1},
        {"mode D, page 4 known", own(1, 0, 2, false, true, false), true, true, false, false, false, 0, 0},
        {"stage 2", own(1, 2, 2, false, false, false), true, true, false, false, false, 0, 2},
        {"stage 1 waits", own(1, 1, 2, false, false, false), false, true, false, false, false, 0, 1},
        {"end closes the run", own(0, 0, 2, true, false, true), true, false, true, true, false, 1, 0},
        {"end asks for the slot", own(0, 0, 0xFF, true, false, true), false, false, true, true, true, 1, 0},
        {"continuous: end and start", own(0, 0, 2, true, false, false), true, true, true, false, false, 0, 0},
        {"continuous at stage 1", own(0, 1, 2, false, false, false), false, false, true, false, false, 0, 1},
        {"NOVITIUS end", {true, 0, 2, 0, 0xFF, true, false, true}, false, false, true, true, false, 1, 0},
        {"NOVITIUS continuous",
         {true, 0, 1, 0, 3, false, false, false},
         false,
         true,
         true,
         false,
         false,
         0,
         0},
    };
    for (const Case &c : cases) {
        const MidReadoutPlan plan = PlanMidReadout(c.state);
        EXPECT_EQ(plan.StoreResults, c.store) << c.name;
        EXPECT_EQ(plan.StartRow, c.startRow) << c.name;
        EXPECT_EQ(plan.EndRow, c.endRow) << c.name;
        EXPECT_EQ(plan.CloseRun, c.closeRun) << c.name;
        EXPECT_EQ(plan.PickSlot, c.pickSlot) << c.name;
        EXPECT_EQ(plan.MidReadoutPending, c.pending) << c.name;
        EXPECT_EQ(plan.TivarReadoutStage, c.stage) << c.name;
    }
}

}  // namespace
}  // namespace decoders
