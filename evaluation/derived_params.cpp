#include "evaluation/derived_params.h"

#include "evaluation/checked_number.h"

namespace evaluation {

namespace {

// Writes one derived value with three decimals; gives its number, or nothing when it failed.
template <class Compute>
std::optional<float> Derive(std::string &target, Compute &&compute) {
    try {
        const float value = Single(compute());
        target = Fixed(value, 3);
        return value;
    } catch (const StepFailed &) {
        target = std::string(kMissing);
        return std::nullopt;
    }
}

}  // namespace

DerivedSteps DeriveTariffParams(EvaluationState &state, const EvaluationSwitches &switches, int tariff,
                                TariffPage &page) {
    const int slot = switches.LayoutBase + tariff;
    const int group = slot / 4;
    const int pageIndex = tariff / 4;
    TariffColumn &t = page.Tariffs[tariff];
    const std::string &jt = state.TariffGroupUnits[kJT][group];
    std::string &stc = page.STC[pageIndex];

    Derive(t.Dns, [&] { return 1000.0L * Value(jt) / Value(t.OplD); });
    Derive(t.Cns, [&] { return 3600.0L * Value(jt) / Value(t.OplC); });
    if (switches.ApprovalRegime == 0) {
        Derive(t.Dps, [&] { return Value(stc) * Value(t.Dns); });
        Derive(t.Cps, [&] { return Value(stc) * Value(t.Cns); });
    } else {
        stc = std::string(kMissing);
    }
    if (const auto vgp = Derive(t.Vgp, [&] { return 3.6L * Value(t.Dps) / Value(t.Cps); })) {
        state.TariffVgp[slot] = *vgp;
    }
    Derive(t.Vgn, [&] { return Value(t.OplC) / Value(t.OplD); });

    DerivedSteps steps;
    steps.DpsD = Derive(page.DpsD, [&] {
        return Value(t.Dps) * Value(t.Vset) / (3.6L * Value(t.Dps) / Value(t.Cps) + Value(t.Vset));
    });
    state.TariffDParams[kDpsD][slot] = page.DpsD;
    steps.CpsD = Derive(page.CpsD, [&] {
        return Value(t.Cps) * 3.6L * Value(t.Dps) / Value(t.Cps) /
               (3.6L * Value(t.Dps) / Value(t.Cps) + Value(t.Vset));
    });
    state.TariffDParams[kCpsD][slot] = page.CpsD;
    Derive(page.DnsD,
           [&] { return Value(t.Dns) * Value(t.Vset) / (Value(t.OplC) / Value(t.OplD) + Value(t.Vset)); });
    state.TariffDParams[kDnsD][slot] = page.DnsD;
    Derive(page.CnsD, [&] {
        const Ext cns = 3600.0L * Value(jt) / Value(t.OplC);
        return Value(t.OplC) * cns / Value(t.OplD) / (Value(t.OplC) / Value(t.OplD) + Value(t.Vset));
    });
    state.TariffDParams[kCnsD][slot] = page.CnsD;
    return steps;
}

}  // namespace evaluation
