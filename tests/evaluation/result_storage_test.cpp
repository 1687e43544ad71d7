#include "evaluation/result_storage.h"

#include <gtest/gtest.h>

#include "platform/runtime/numbers.h"

namespace evaluation {
namespace {

// Pairs "v<r>" / "<r + 1>" in rows 0..9 of a table, "---" beyond.
Array<std::string, 2 * kGridRows> Pairs(int filled = kMeasuringRows) {
    Array<std::string, 2 * kGridRows> pairs;
    pairs.fill("---");
    for (int r = 0; r < filled; ++r) {
        pairs[2 * r] = "v" + std::to_string(r);
        pairs[2 * r + 1] = std::to_string(r + 1);
    }
    return pairs;
}

TEST(ResultStorage, GridRowsFromDevicePairsByFamilyAndInitialSegment) {
    FormatSettings.DecimalSeparator = ',';
    struct Case {
        const char *name;
        bool own, withoutInitial;
        int filled;
        std::array<const char *, 3> nom0, nom1, nom9;  // NOM, N of rows 0, 1 and 9
    };
    const Case cases[] = {
        {"NOVITIUS", false, true, 10, {"v0", "1"}, {"v1", "2"}, {"v9", "10"}},
        {"own, initial segment counted", true, false, 10, {"v0", "1"}, {"v1", "2"}, {"v9", "10"}},
        {"own, no initial segment: one row lower, tenth pair kept", true, true, 10,
         {"0,000", "1"}, {"v0", "2"}, {"v9", "11"}},
        {"own, no initial segment, nine pairs", true, true, 9, {"0,000", "1"}, {"v0", "2"}, {"v8", "10"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto pairs = Pairs(c.filled);
        const GridRows rows = RowsFromPairs(pairs, c.own, c.withoutInitial);
        EXPECT_EQ(rows.Nom[0], c.nom0[0]);
        EXPECT_EQ(rows.Units[0], c.nom0[1]);
        EXPECT_EQ(rows.Nom[1], c.nom1[0]);
        EXPECT_EQ(rows.Units[1], c.nom1[1]);
        EXPECT_EQ(rows.Nom[9], c.nom9[0]);
        EXPECT_EQ(rows.Units[9], c.nom9[1]);
        for (int r = 0; r < kMeasuringRows; ++r) {
            EXPECT_EQ(pairs[2 * r], "---") << "pair " << r << " is used up";
            EXPECT_EQ(pairs[2 * r + 1], "---") << "pair " << r << " is used up";
        }
    }
}

TEST(ResultStorage, ReceivedPointsMoveIntoTheSlotsColumnOnce) {
    FormatSettings.DecimalSeparator = ',';
    for (bool withoutInitial : {false, true}) {
        Array<std::string, kGridRows> column, received;
        column.fill("old");
        received.fill("---");
        for (int p = 0; p < kMeasuringRows + 1; ++p) received[p] = "p" + std::to_string(p);
        StoreReceivedPoints(column, received, withoutInitial);
        if (withoutInitial) {
            EXPECT_EQ(column[0], "0,001");
            EXPECT_EQ(column[1], "p0");
            EXPECT_EQ(column[9], "p9");  // row 10 moved up into the last measuring row
        } else {
            EXPECT_EQ(column[0], "p0");
            EXPECT_EQ(column[9], "p9");
            EXPECT_EQ(column[10], "old");
        }
        for (int p = 0; p < kMeasuringRows; ++p) EXPECT_EQ(received[p], "---") << p;
    }
}

TEST(ResultStorage, VehicleResultsMaskAtTheSlot) {
    struct Case {
        uint32_t mask;
        uint8_t status, system;
        int slot;
        uint32_t expected;
    };
    const Case cases[] = {
        {0, 0x10, 0, 13, 1U << 13},       // from the vehicle: set at the slot of the second layout
        {1U << 13, 0x00, 1, 13, 0},       // results system 1 without the bit: cleared
        {1U << 13, 0x00, 0, 13, 1U << 13},  // system 0: unchanged
        {1U << 2, 0x08, 2, 2, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(VehicleResultsMask(c.mask, c.status, c.system, c.slot), c.expected) << c.slot << " " << int{c.system};
}

}  // namespace
}  // namespace evaluation
