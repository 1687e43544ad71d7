#pragma once
// The error in per cent of every measuring row, the tolerance test of the judged rows by approval
// regime, test and source of the results, and the rows' failure flags.
#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"

namespace evaluation {

// The last row of each test that has a unit count, and whether any row has one.
struct LastRows {
    int LastTimeRow = 0;
    int LastDistanceRow = 0;
    bool AnyTimeRow = false;
    bool AnyDistanceRow = false;
};

LastRows FindLastRows(const EvaluationState &state, int slot);

// Whether a judged row fails: e and c are the row's error and correct paid value (seconds or
// metres), p its error in per cent as held in single precision.
bool RowFails(bool timeTest, bool mid, bool vehicleResults, long double e, long double c, float p);

// Fills the error [%] column with its red marks, the row flags of the evaluated test and the
// store columns 8, 9 and 0 of the test.
void JudgeRows(EvaluationState &state, const EvaluationSwitches &switches, int slot, bool timeTest,
               const LastRows &lastRows, GridScreen &grid);

}  // namespace evaluation
