#pragma once
// Parameters derived from a tariff's fees and steps: the following distance and time steps,
// the crossover speeds and the mode-D steps at the set test speed.
#include <optional>

#include "evaluation/evaluation_inputs.h"
#include "evaluation/evaluation_state.h"

namespace evaluation {

// The mode-D initial steps as numbers, for row 0 of the grid; empty when they failed.
struct DerivedSteps {
    std::optional<float> DpsD, CpsD;
};

// Recomputes Dns, Cns, (ZT: Dps, Cps), Vgp, Vgn and the four mode-D steps of `tariff` on the
// page, in that order; each item reads the texts the items before it wrote. Also fills
// TariffVgp and TariffDParams of the slot. In MID the STC edit of the tariff's page becomes "---".
DerivedSteps DeriveTariffParams(EvaluationState &state, const EvaluationSwitches &switches, int tariff,
                                TariffPage &page);

}  // namespace evaluation
