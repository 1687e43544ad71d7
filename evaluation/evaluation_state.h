#pragma once
// Working members of the fare evaluation. The main window inherits EvaluationState, so the
// stores keep their plain names there (FareGridStore, CounterStore, VerdictStatus, ...).
#include <array>
#include <cstdint>
#include <string>

namespace evaluation {

inline constexpr int kSlots = 16;     // two layouts of eight tariffs
inline constexpr int kGroups = 4;     // a group is four slots (slot / 4)
inline constexpr int kGridRows = 26;  // rows of a grid column; 0..9 are the measuring rows
inline constexpr int kMeasuringRows = 10;
inline constexpr int kGridColumns = 10;
inline constexpr int kCounters = 8;
inline constexpr int kCounterRows = 5;

// Tests, as the first index of FareGridStore, CounterStore and CounterFailFlags.
inline constexpr int kTimeTest = 0;
inline constexpr int kDistanceTest = 1;

// Columns of FareGridStore (screen order).
enum GridColumn : int {
    kNom = 0,          // nominal value of the point
    kUnits = 1,        // fee units shown (N)
    kFeeMeter = 2,     // taximeter's fee
    kFeeStation = 3,   // fee expected by the station
    kFeeError = 4,     // station minus taximeter [zł]
    kFeeErrorPct = 5,  // fee error [%]
    kPaidCorrect = 6,  // paid time or distance, correct
    kPaidNominal = 7,  // paid time or distance, nominal
    kPaidError = 8,    // correct minus nominal
    kPaidErrorPct = 9  // that error [%]
};

// The five columns of FareRowStore.
enum RowStoreColumn : int {
    kTimeNom = 0,        // NOM cells of the time test
    kDistanceNom = 1,    // NOM cells of the distance test
    kRelativeToK = 2,    // distances relative to the meter constant k
    kSavedNom = 3,       // distance NOM cells kept aside while those relative to k are shown
    kReceivedPoints = 4  // received points of results system 1
};

// Rows of TariffParams, TariffSpeedParams, TariffGroupUnits and TariffDParams.
enum TariffParamRow : int { kOplP = 0, kOplD = 1, kOplC = 2, kDps = 3, kCps = 4, kVset = 5, kOpw = 6 };
enum TariffSpeedRow : int { kVgp = 0, kVgn = 1, kDns = 2, kCns = 3 };
// Rows of the tariff page's edit table TariffParamEdits where it differs from TariffParams.
inline constexpr int kPageVgp = 5;  // Vgp, Vgn, Dns, Cns at rows 5..8
inline constexpr int kPageVset = 9;
enum TariffGroupRow : int { kJT = 0, kSTC = 1, kJDOPL = 2 };
enum TariffDRow : int { kDpsD = 0, kDnsD = 1, kCpsD = 2, kCnsD = 3 };

// Rows of the counter table and of CounterStore.
enum CounterRow : int { kStart = 0, kEnd = 1, kDifference = 2, kRealised = 3, kError = 4 };

// Bits of VerdictStatus.
inline constexpr uint8_t kVerdictInspection = 1;   // an inspection item is marked "-"
inline constexpr uint8_t kVerdictMeasurement = 2;  // a row, counter or "k" failure, or no results

template <class T, size_t... N>
struct NestedArray;
template <class T, size_t N>
struct NestedArray<T, N> {
    using type = std::array<T, N>;
};
template <class T, size_t N, size_t... Rest>
struct NestedArray<T, N, Rest...> {
    using type = std::array<typename NestedArray<T, Rest...>::type, N>;
};
// Array<T, 2, 10, 16> is T[2][10][16].
template <class T, size_t... N>
using Array = typename NestedArray<T, N...>::type;

struct EvaluationState {
    // Tariff slots.
    Array<std::string, 8, kSlots> TariffParams;  // OpłP, OpłD, OpłC, Dps, Cps, Vset, Opw; row 7 unused
    Array<std::string, 4, kSlots> TariffSpeedParams;  // Vgp, Vgn, Dns, Cns
    Array<std::string, 3, kGroups> TariffGroupUnits;  // JT, STC, JDOPŁ per group
    Array<std::string, kSlots> TariffJdoplaty;        // JDOPŁ per tariff
    Array<std::string, 4, kSlots> TariffDParams;      // DpsD, DnsD, CpsD, CnsD
    Array<float, kSlots> TariffVgp{};                 // Vgp as a number
    Array<uint8_t, kSlots> TariffEnabledFlags{};
    Array<uint8_t, kSlots> TariffCheckFlags{};
    Array<uint8_t, kGroups> TariffGroupFlag{1, 1, 1, 1};  // 0: the group's initial segment counts as zero
    Array<std::string, kSlots> StalaStTaryf;              // station constant St per slot

    // Measuring grid and counters.
    Array<std::string, 5, kSlots, kGridRows> FareRowStore;
    Array<std::string, 2, kGridColumns, kSlots, kGridRows> FareGridStore;
    Array<std::string, 2, kCounterRows, kCounters, kSlots> CounterStore;
    Array<float, kSlots> SlotTotalDistance{};  // metres of the device's run per slot, 0 when none

    // Failure flags and verdict.
    Array<uint8_t, kSlots, kMeasuringRows, 2> TimeRowFailFlags{};
    Array<uint8_t, kSlots, kMeasuringRows, 2> DistanceRowFailFlags{};
    Array<uint8_t, 2, kSlots, kCounters> CounterFailFlags{};  // [test][slot][flag]
    uint8_t OglErrFlag = 0;                                   // the meter constant k is off by more than 1 %
    uint8_t VerdictStatus = 0;                                // kVerdictMeasurement | kVerdictInspection
    uint8_t UpdateEditBusy = 0;                               // re-entry guard of the evaluator

    // Results received from the measuring interface, waiting to be stored into a slot.
    // DeviceRowPairs: [0] time, [1] time of the own family, [2] distance, [3] distance of the own
    // family; row r holds the value at 2r and the point number at 2r + 1.
    Array<std::string, 4, 2 * kGridRows> DeviceRowPairs;
    Array<std::string, kGridRows> DeviceRowDistance;  // received values of results system 1
    Array<std::string, kCounters> MidCounterStart;    // counters at the start of the test
    Array<std::string, kCounters> MidCounterEnd;      // counters of the last end readout
    uint8_t ResultsSystem = 0;    // 0 time, 1 distance in the vehicle, 2 both (mode D)
    uint8_t ResultsAccepted = 0;  // the received results fit the calculation mode and source
    uint8_t InterfaceStatus = 0;  // bit 0x10: results of a measurement in the vehicle

    // Blocks of the ZT measuring-point message.
    uint8_t ZtBlockCount = 0;
    Array<uint8_t, 9> ZtBlockEntries{};  // entries of blocks 1..8 (index 0 unused)
};

}  // namespace evaluation
