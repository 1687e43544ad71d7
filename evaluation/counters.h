#pragma once
// The counter table: differences of the taximeter's totalisers over the test, the values the
// test should have added to them, the errors and the counter failure flags.
#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"
#include "evaluation/row_tolerance.h"

namespace evaluation {

// Decimals of the eight counters.
inline constexpr Array<int, kCounters> CounterDecimals{2, 2, 0, 2, 2, 0, 2, 0};
// The flag of each counter: the flags follow the counters' places on the page.
inline constexpr Array<int, kCounters> CounterFlagIndex{0, 1, 2, 3, 5, 6, 7, 4};

// Writes rows 2, 3 and 4 of the counter table from rows 0 and 1, with the red marks of row 4;
// stores rows 0..4 in the test's CounterStore and sets the slot's flags of the test. In the
// tariff-layout change case it may write the Opw edit of the tariff.
void EvaluateCounters(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                      const LastRows &lastRows, TariffPage &page, CounterScreen &counters);

}  // namespace evaluation
