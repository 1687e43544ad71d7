#pragma once
// Measuring-point messages of the interface (2E F3 pc): the texts of one measuring row for the
// fare evaluation, or the total distance of the run.
#include <cstdint>
#include <optional>
#include <string>

#include "device/decoders/field_conversion.h"

namespace decoders {

// Codes of the measuring-point messages: 100 + point index, and the run's total distance.
inline constexpr int kFirstPointCode = 100;
inline constexpr int kLastPointCode = 163;
inline constexpr int kTotalDistanceCode = 164;
inline constexpr int kLastPointRow = 9;  // points beyond the tenth share the last row

// Bits of InterfaceStatus read here.
inline constexpr uint8_t kFineFraction = 0x01;    // fraction in 1/4096 impulse, else 1/256
inline constexpr uint8_t kVehicleResults = 0x08;  // results system 1

// What the decoder reads besides the message.
struct MeasuringPointInputs {
    int32_t StationConstK = 0;  // the station's constant k [imp/km]
    uint8_t InterfaceStatus = 0;
    std::string Edit108;  // calculation mode, "S" or "D"
    std::string Edit107;  // the meter's constant k as text
};

// The stores one message writes; an empty optional leaves its store as it was. The arrays of
// DeviceRowPairs are numbered 1..4; every text goes to row `Row`.
struct MeasuringPointResult {
    bool IsPoint = false;
    int Row = 0;
    uint8_t ResultsSystem = 0;
    std::string PointNumber;                       // element 1 of the rows of PointNumberArrays
    uint8_t PointNumberArrays = 0;                 // bit 0 = array 1 .. bit 3 = array 4
    std::optional<std::string> Array3Value;        // distance by the station's constant
    std::optional<std::string> Array4Value;        // the same text when it was computed
    std::optional<std::string> DeviceRowDistance;  // distance by the meter's constant
    std::optional<std::string> MeasuredValue;      // element 0 of arrays 1 and 2
    std::optional<float> TotalDistance;            // code 164 only
};

// Distance [m] of n + fraction/F impulses at k impulses per km in the devices' binary32 steps;
// nothing when n is absent or k is 0. `data` starts at the impulse count's block.
std::optional<float> ImpulseDistance(Bytes data, size_t offset, uint8_t interfaceStatus, float k);

// `data` is the message from d3 on, `offset` where the count and the value start.
MeasuringPointResult FunctionsSup(int code, Bytes data, size_t offset, const MeasuringPointInputs &inputs);

}  // namespace decoders
