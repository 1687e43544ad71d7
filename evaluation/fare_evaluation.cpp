#include "evaluation/fare_evaluation.h"

#include "evaluation/counters.h"
#include "evaluation/derived_params.h"
#include "evaluation/fare_grid.h"
#include "evaluation/meter_constant.h"
#include "evaluation/row_tolerance.h"

namespace evaluation {

namespace {

void ClearSlotFlags(EvaluationState &state, int slot, bool timeTest) {
    auto &rows = timeTest ? state.TimeRowFailFlags[slot] : state.DistanceRowFailFlags[slot];
    for (auto &pair : rows) pair = {0, 0};
    state.CounterFailFlags[timeTest ? kTimeTest : kDistanceTest][slot].fill(0);
}

// A NOVITIUS taximeter has one set of group values and one initial fee for all its tariffs.
void AlignNovitiusTariffs(EvaluationState &state, TariffPage &page) {
    page.JT[1] = page.JT[0];
    page.STC[1] = page.STC[0];
    page.JDOPL[1] = page.JDOPL[0];
    state.TariffGroupUnits[kJT][1] = page.JT[0];
    state.TariffGroupUnits[kSTC][1] = page.STC[0];
    state.TariffGroupUnits[kJDOPL][1] = page.JDOPL[0];
    const std::string &oplP = page.Tariffs[0].OplP;
    for (int t = 1; t < 8; ++t) page.Tariffs[t].OplP = oplP;
    for (int slot = 1; slot < kSlots; ++slot) state.TariffParams[kOplP][slot] = oplP;
}

void MirrorSpeedRows(EvaluationState &state, int layoutBase, const TariffPage &page) {
    for (int t = 0; t < 8; ++t) {
        const TariffColumn &column = page.Tariffs[t];
        state.TariffSpeedParams[kVgp][layoutBase + t] = column.Vgp;
        state.TariffSpeedParams[kVgn][layoutBase + t] = column.Vgn;
        state.TariffSpeedParams[kDns][layoutBase + t] = column.Dns;
        state.TariffSpeedParams[kCns][layoutBase + t] = column.Cns;
    }
}

}  // namespace

EvaluationOutcome EvaluateTariff(EvaluationState &state, const EvaluationSwitches &switches, int tariff,
                                 bool timeTest, EvaluationScreen &screen) {
    const int slot = switches.LayoutBase + tariff;
    if (tariff < 0 || tariff > 7 || slot >= kSlots) return {};  // no such slot: nothing to evaluate
    ClearSlotFlags(state, slot, timeTest);
    if (switches.MeterFamily == 0) AlignNovitiusTariffs(state, screen.Page);
    EvaluationOutcome outcome;
    outcome.ModeDPanelVisible = switches.ModeText != "S";
    const DerivedSteps steps = DeriveTariffParams(state, switches, tariff, screen.Page);
    ComputeGrid(state, switches, tariff, timeTest, screen.Page, steps, screen.Grid);
    const LastRows lastRows = FindLastRows(state, slot);
    JudgeRows(state, switches, slot, timeTest, lastRows, screen.Grid);
    EvaluateCounters(state, switches, tariff, timeTest, lastRows, screen.Page, screen.Counters);
    outcome.MeterConstant = CheckMeterConstant(state, switches);
    MirrorSpeedRows(state, switches.LayoutBase, screen.Page);
    return outcome;
}

}  // namespace evaluation
