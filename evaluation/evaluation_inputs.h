#pragma once
// What the evaluation reads from the window and writes back to it: the texts of the tariff
// pages, the measuring grid and the counter table, and the switches set by the device link, the
// job record and the option panels. The window fills these from its controls and members before
// an evaluation and writes back what changed afterwards.
#include <array>
#include <cstdint>
#include <string>

#include "evaluation/evaluation_state.h"

namespace evaluation {

// The edits of one tariff column of the tariff pages (and its set-speed edit on the results page).
struct TariffColumn {
    std::string OplP, OplD, OplC, Dps, Cps, Vgp, Vgn, Dns, Cns, Vset, Opw, Jdopl;
};

struct TariffPage {
    Array<TariffColumn, 8> Tariffs;
    // Page-wide edits: [0] tariffs 1-4 (Edit98, Edit99, Edit100), [1] tariffs 5-8 (Edit88, Edit96, Edit112).
    Array<std::string, 2> JT, STC, JDOPL;
    // The mode-D fields on Panel170: Edit117, Edit120, Edit119, Edit118.
    std::string DpsD, DnsD, CpsD, CnsD;
};

// The measuring grid of the shown test, rows 0..9, columns in store (screen) order.
struct GridScreen {
    Array<std::string, kGridColumns, kMeasuringRows> Cells;  // [column][row]
    Array<bool, kMeasuringRows> PercentRed{};                // red marks of the error [%] column
};

// The counter table of page "Liczniki".
struct CounterScreen {
    Array<std::string, kCounterRows, kCounters> Cells;  // [row][counter]
    Array<bool, kCounters> ErrorRed{};                  // red marks of the error row
};

// Members of other subsystems and control states the evaluation depends on.
struct EvaluationSwitches {
    uint8_t LayoutBase = 0;             // 0 or 8
    uint8_t MeterFamily = 0;            // 1 own family, 0 NOVITIUS
    uint8_t ApprovalRegime = 1;         // 1 MID, 0 ZT
    uint8_t CzasX10 = 0;                // time values of the time test in tenths
    uint8_t VehicleResults = 0;         // results measured in the vehicle
    uint8_t CalcRelativeToK = 0;        // results relative to the meter constant k
    uint8_t DistanceTestDone = 0;       // the interface ran the distance test itself
    uint32_t StationConstSt = 0;        // station constant St [imp/km]
    uint32_t ZmianaTestedMask = 0;      // bit per slot: tested during a tariff-layout change
    std::string RegimeCaption = "MID";  // Panel13
    std::string ModeText = "S";         // Edit108, "S" or "D"
    std::string MeterConstantText;      // Edit107, the meter constant k [imp/km]
};

// The colour the meter constant edit gets from the check.
enum class MeterConstantMark { Unchanged, Neutral, Red };

}  // namespace evaluation
