#pragma once
// The check of the taximeter's constant k against the station constant St.
#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"

namespace evaluation {

// Only with results measured in the vehicle: k more than 1 % away from St sets OglErrFlag and
// marks the k edit red; a k that is not an integer or is 0 leaves it neutral with the flag clear.
// Without vehicle results nothing changes.
MeterConstantMark CheckMeterConstant(EvaluationState &state, const EvaluationSwitches &switches);

}  // namespace evaluation
