#pragma once
// One evaluation of a tariff slot and test, from the derived parameters to the meter constant
// check: the body of the window's evaluator between its re-entry guard and the verdict. The
// window's UpdateEdit returns at once while UpdateEditBusy is set, else sets it, copies its edits
// into an EvaluationScreen, calls EvaluateTariff, writes back the texts that changed with their
// colours, runs the verdict and clears UpdateEditBusy.
#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"

namespace evaluation {

// The controls the evaluation reads and rewrites.
struct EvaluationScreen {
    TariffPage Page;
    GridScreen Grid;         // NOM and N are read; columns 2..9 and the red marks are written
    CounterScreen Counters;  // rows 0 and 1 are read; rows 2..4 and the red marks are written
};

struct EvaluationOutcome {
    bool ModeDPanelVisible = false;  // Panel170
    MeterConstantMark MeterConstant = MeterConstantMark::Unchanged;
};

// Clears the slot's flags of the test, aligns a NOVITIUS taximeter's tariffs, derives the
// tariff's parameters, computes the grid, judges the rows, evaluates the counters, checks the
// meter constant and mirrors the layout's speed rows into TariffSpeedParams. `tariff` is 0..7
// of the shown layout.
EvaluationOutcome EvaluateTariff(EvaluationState &state, const EvaluationSwitches &switches, int tariff,
                                 bool timeTest, EvaluationScreen &screen);

}  // namespace evaluation
