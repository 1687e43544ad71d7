#include "evaluation/row_tolerance.h"

#include <cmath>

#include "evaluation/checked_number.h"
#include "evaluation/fare_grid.h"

namespace evaluation {

namespace {

int LastRowWithUnits(const EvaluationState &state, int test, int slot, bool &any) {
    const auto &units = state.FareGridStore[test][kUnits][slot];
    for (int row = kMeasuringRows - 1; row >= 0; --row) {
        if (!IsMissing(units[row])) {
            any = true;
            return row;
        }
    }
    any = false;
    return 0;
}

// Per-cent limits are compared as 64-bit values: a float nearest to 0.2 lies just beyond 0.2.
bool Beyond(float p, double limit) {
    return static_cast<double>(p) > limit || static_cast<double>(p) < -limit;
}

}  // namespace

LastRows FindLastRows(const EvaluationState &state, int slot) {
    LastRows rows;
    rows.LastTimeRow = LastRowWithUnits(state, kTimeTest, slot, rows.AnyTimeRow);
    rows.LastDistanceRow = LastRowWithUnits(state, kDistanceTest, slot, rows.AnyDistanceRow);
    return rows;
}

bool RowFails(bool timeTest, bool mid, bool vehicleResults, long double e, long double c, float p) {
    if (timeTest && mid) return vehicleResults ? Beyond(p, 0.2) : (e >= 0.2L || e <= -0.2L) && Beyond(p, 0.1);
    if (timeTest) {
        // Signed: a negative time error never fails in this regime.
        return !vehicleResults && e >= std::fabs(0.01L * 1.5L * c) && e >= 5 && Beyond(p, 0.3);
    }
    if (mid) return vehicleResults ? Beyond(p, 2.0) : (e >= 4 || e <= -4) && Beyond(p, 0.2);
    if (vehicleResults) return (e >= 15 || e <= -15) && std::fabs(e) > std::fabs(0.01L * c);
    return std::fabs(e) >= std::fabs(0.01L * c) && std::fabs(e) >= 5 && Beyond(p, 0.2);
}

void JudgeRows(EvaluationState &state, const EvaluationSwitches &switches, int slot, bool timeTest,
               const LastRows &lastRows, GridScreen &grid) {
    const int test = timeTest ? kTimeTest : kDistanceTest;
    auto &flags = timeTest ? state.TimeRowFailFlags[slot] : state.DistanceRowFailFlags[slot];
    const int lastRow = timeTest ? lastRows.LastTimeRow : lastRows.LastDistanceRow;
    const bool ownNoInitial = OwnGroupWithoutInitialSegment(state, switches, slot);
    auto &cells = grid.Cells;

    for (int row = 0; row < kMeasuringRows; ++row) {
        state.FareGridStore[test][kPaidError][slot][row] = cells[kPaidError][row];
    }
    for (int row = 0; row < kMeasuringRows; ++row) {
        grid.PercentRed[row] = false;
        cells[kPaidErrorPct][row] = Guarded([&] {
            // A group without an initial segment has no error in row 0, once the row was measured;
            // a test never run keeps "---" there like every other row.
            if (ownNoInitial && row == 0 && !IsMissing(cells[kNom][0])) return Fixed(0, 3);
            const float p = Single(Value(cells[kPaidError][row]) / Value(cells[kPaidNominal][row]) * 100);
            if (row == 0 || row == lastRow) {
                const long double e = Value(cells[kPaidError][row]).value();
                const long double c = Value(cells[kPaidCorrect][row]).value();
                if (RowFails(timeTest, switches.ApprovalRegime == 1, switches.VehicleResults != 0, e, c, p)) {
                    grid.PercentRed[row] = true;
                    flags[row][0] = 1;
                }
                // Row 0 is never left failing by the tolerance test; a time evaluation also clears
                // the distance test's row 0.
                if (row == 0) {
                    if (timeTest) flags[0][0] = 0;
                    state.DistanceRowFailFlags[slot][0][0] = 0;
                    grid.PercentRed[0] = false;
                }
            }
            return Fixed(p, 3);
        });
        state.FareGridStore[test][kPaidErrorPct][slot][row] = cells[kPaidErrorPct][row];
        if (cells[kPaidErrorPct][row] == kMissing && !IsMissing(cells[kNom][row])) {
            grid.PercentRed[row] = true;
            flags[row][0] = 1;
        }
    }
    for (int row = 0; row < kMeasuringRows; ++row)
        state.FareGridStore[test][kNom][slot][row] = cells[kNom][row];
}

}  // namespace evaluation
