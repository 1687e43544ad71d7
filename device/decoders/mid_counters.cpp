#include "device/decoders/mid_counters.h"

#include "device/decoders/tivar_records.h"

namespace decoders {

namespace {

constexpr uint8_t kTestTariffs = 8;
constexpr uint8_t kNoTariff = 0xFF;
constexpr size_t kNovitiusCounterLines[kMidCounters] = {1, 2, 3, 4, 5, 6, 8, 12};

}  // namespace

std::optional<OwnFamilyCounters> DecodeOwnFamilyCounters(Bytes record) {
    if (ClassifyTivarRecord(record, true) != TivarRecordKind::Totalisers) return std::nullopt;
    return OwnFamilyCounters{
        ReadField(record, {2, 6, kHexDigits, 100, 2}),
        ReadField(record, {8, 6, kHexDigits, 100, 2}),
        ReadField(record, {14, 6, kHexDigits, 1, 0}),
        ReadField(record, {20, 8, kDecimalDigits, 100, 2}),
        ReadField(record, {28, 8, kDecimalDigits, 100, 2}),
    };
}

CounterTexts CountersOf(const OwnFamilyCounters &c) {
    CounterTexts texts;
    texts.fill(std::string(kNoValue));
    texts[0] = SumText(c.Paid, c.Unpaid);
    texts[1] = c.Paid;
    texts[3] = c.Fares;
    texts[4] = c.Extras;
    texts[5] = c.Trips;
    texts[6] = SumText(c.Fares, c.Extras);
    return texts;
}

CounterTexts CountersOf(const NovitiusLines &lines) {
    CounterTexts texts;
    for (size_t i = 0; i < kMidCounters; ++i) texts[i] = lines[kNovitiusCounterLines[i]];
    return texts;
}

CounterTexts EndRow(const CounterTexts &readout, bool novitius, uint8_t resultsSystem,
                    const CounterTexts &MidCounterStart) {
    CounterTexts row = readout;
    if (novitius && resultsSystem == 0) {
        row[0] = MidCounterStart[0];
        row[1] = MidCounterStart[1];
    }
    return row;
}

ChangeRegisters RegistersOf(const OwnFamilyCounters &c) {
    return {c.Unpaid, c.Paid,   SumText(c.Paid, c.Unpaid),  c.Trips,
            c.Fares,  c.Extras, SumText(c.Fares, c.Extras), std::nullopt};
}

ChangeRegisters RegistersOf(const NovitiusLines &lines) {
    ChangeRegisters r{
        DifferenceText(lines[1], lines[2]), lines[2], lines[1], lines[6], lines[4], lines[5], lines[8], true};
    r.DistancesLocked = r.Edit518 != kNoValue;
    return r;
}

MidReadoutPlan PlanMidReadout(const MidReadoutState &s) {
    MidReadoutPlan plan;
    plan.TivarReadoutStage = s.TivarReadoutStage;
    if (s.Novitius) {
        plan.TivarReadoutStage = 0;
    } else if (s.TestTariffSel < kTestTariffs) {
        if (s.CalculationModeS) {
            plan.StoreResults = true;
            plan.TivarReadoutStage = 0;
        } else if (s.TivarReadoutStage == 0) {
            // Without the fourth page's code the results wait for that page.
            plan.StoreResults = s.FourthPageCoded;
            if (!s.FourthPageCoded) plan.TivarReadoutStage = 1;
        } else if (s.TivarReadoutStage == 2) {
            plan.StoreResults = true;
        }
    }
    if (s.MidReadoutPending != 0) {
        plan.StartRow = true;
        return plan;
    }
    plan.EndRow = true;
    if (s.Edit437Enabled) {
        plan.MidReadoutPending = 1;
        plan.CloseRun = true;
        plan.PickSlot = !s.Novitius && s.TestTariffSel == kNoTariff;
        return plan;
    }
    plan.StartRow = plan.TivarReadoutStage != 1;
    return plan;
}

}  // namespace decoders
