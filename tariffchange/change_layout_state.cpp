#include "tariffchange/change_layout_state.h"

namespace tariffchange {

ZuLayout ChangeLayoutState::Layout(std::uint8_t after) {
    if (after != 0)
        return {ZuTariffParamsAfter,  ZuGroupUnitsAfter,      ZuJdoplatyAfter,      ZuMaxSurchargeAfter,
                ZuEnabledFlagsAfter, ZuInitialSegmentAfter, ZuValidityDatesAfter};
    return {ZuTariffParamsBefore,  ZuGroupUnitsBefore,      ZuJdoplatyBefore,      ZuMaxSurchargeBefore,
            ZuEnabledFlagsBefore, ZuInitialSegmentBefore, ZuValidityDatesBefore};
}

void ChangeLayoutState::ResetZuStores() {
    for (std::uint8_t side = 0; side < 2; ++side) {
        const ZuLayout layout = Layout(side);
        for (int row = 0; row < 5; ++row) layout.params[static_cast<std::size_t>(row)].fill("---");
        layout.groupUnits[0].fill("---");
        layout.groupUnits[2].fill("---");
        layout.jdoplaty.fill("---");
        layout.maxSurcharge.fill("---");
        layout.validity.fill("---");
        layout.initialSegment.fill(0);
        layout.enabled.fill(0);
    }
}

}  // namespace tariffchange
