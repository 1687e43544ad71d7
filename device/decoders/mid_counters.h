#pragma once
// Totaliser readouts of both taximeter families: the eight counters of the counters page, the
// registers of the tariff-layout change procedure, and the choice between a start and an end
// readout.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/decoders/field_conversion.h"
#include "device/decoders/novitius_text.h"

namespace decoders {

inline constexpr size_t kMidCounters = 8;
using CounterTexts = std::array<std::string, kMidCounters>;

// The counters record 'UR' of an own-family meter.
struct OwnFamilyCounters {
    std::string Unpaid;  // km
    std::string Paid;    // km
    std::string Trips;
    std::string Fares;   // zł
    std::string Extras;  // zł
};

// Nothing for a record that is not 'UR' / 'uR'.
std::optional<OwnFamilyCounters> DecodeOwnFamilyCounters(Bytes record);

// The counters in the page's order: own-family records have no counters 2 and 7 ("---");
// NOVITIUS text carries them on lines 1, 2, 3, 4, 5, 6, 8, 12.
CounterTexts CountersOf(const OwnFamilyCounters &counters);
CounterTexts CountersOf(const NovitiusLines &lines);

// The "Stan końcowy" row of a readout. A NOVITIUS readout in a time test (ResultsSystem 0) keeps
// the start distances, since the taxi does not move.
CounterTexts EndRow(const CounterTexts &readout, bool novitius, uint8_t resultsSystem,
                    const CounterTexts &MidCounterStart);

// Registers of the tariff-layout change procedure, Edit518 .. Edit524.
struct ChangeRegisters {
    std::string Edit518;  // unpaid km
    std::string Edit519;  // paid km
    std::string Edit520;  // all km
    std::string Edit521;  // trips
    std::string Edit522;  // fares
    std::string Edit523;  // extras
    std::string Edit524;  // fares and extras
    // NOVITIUS text locks all seven, except the three distances when their difference fails
    // (the operator types them then); an own-family record leaves the locks as they are.
    std::optional<bool> DistancesLocked;
};

ChangeRegisters RegistersOf(const OwnFamilyCounters &counters);
ChangeRegisters RegistersOf(const NovitiusLines &lines);

// What a readout outside the change procedure does, from the job's state.
struct MidReadoutState {
    bool Novitius = false;  // source 0
    uint8_t MidReadoutPending = 1;
    uint8_t TivarReadoutStage = 0;
    uint8_t ResultsSystem = 0;
    uint8_t TestTariffSel = 0xFF;   // 0..7, anything else: no tariff known
    bool CalculationModeS = false;  // Edit108 reads exactly "S"
    bool FourthPageCoded = false;   // TariffPageCode[3] holds a letter (1..127)
    bool Edit437Enabled = false;
};

struct MidReadoutPlan {
    // ResultsAccepted := 1, LayoutBase := ScheduledLayout, ZapiszWynikiFunkcja(TestTariffSel, 0).
    bool StoreResults = false;
    bool StartRow = false;  // clear the received pairs and fill MidCounterStart
    bool EndRow = false;    // fill the "Stan końcowy" row (and MidCounterEnd for own-family)
    bool CloseRun = false;  // TestPelgrivator(0), hide Panel169
    bool PickSlot = false;  // disable Panel239 and show the slot picker Panel325
    uint8_t MidReadoutPending = 0;
    uint8_t TivarReadoutStage = 0;
};

MidReadoutPlan PlanMidReadout(const MidReadoutState &state);

}  // namespace decoders
