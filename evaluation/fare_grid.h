#pragma once
// The measuring grid of one slot and test: taximeter's fee, station's fee, fee errors, paid
// time or distance (correct and nominal) and their difference, row by row.
#include "evaluation/derived_params.h"
#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"

namespace evaluation {

// True for a taximeter of the own family whose group has no initial segment.
bool OwnGroupWithoutInitialSegment(const EvaluationState &state, const EvaluationSwitches &switches,
                                   int slot);

// Computes columns 2..8 of rows 0..9 of the grid from its NOM and N cells, in the binding order
// (later cells read the texts of earlier ones). Columns 2..7 go to FareGridStore as they are
// written; in mode D the four fee columns also go to the other test's store. The error column 8
// is only written to the screen (the row tolerances store it).
void ComputeGrid(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                 const TariffPage &page, const DerivedSteps &steps, GridScreen &grid);

}  // namespace evaluation
