#include "evaluation/meter_constant.h"

#include "evaluation/checked_number.h"

namespace evaluation {

MeterConstantMark CheckMeterConstant(EvaluationState &state, const EvaluationSwitches &switches) {
    if (!switches.VehicleResults) return MeterConstantMark::Unchanged;
    state.OglErrFlag = 0;
    try {
        const Ext k = IntValue(switches.MeterConstantText);
        const float deviation = Single((Ext(switches.StationConstSt) - k) / k * 100);
        if (deviation > 1.0f || deviation < -1.0f) {
            state.OglErrFlag = 1;
            return MeterConstantMark::Red;
        }
    } catch (const StepFailed &) {
    }
    return MeterConstantMark::Neutral;
}

}  // namespace evaluation
