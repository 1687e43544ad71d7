#pragma once
// Working members of the job record that the save stores and the loading restores: the meter
// family and approval regime set by the presets, the switches of the last measuring run and the
// per-slot values that have no control of their own.
#include <array>
#include <cstdint>

namespace storage {

struct JobState {
    uint8_t MeterFamily = 1;     // 1 own family, 0 NOVITIUS
    uint8_t ApprovalRegime = 1;  // 1 MID, 0 ZT
    uint8_t VehicleResults = 0;
    uint8_t CalcRelativeToK = 0;
    uint8_t CzasX10 = 0;
    uint8_t DistanceTestDone = 0;
    uint32_t ZmianaTestedMask = 0;
    uint32_t LayoutChangeTestMask = 0;
    uint32_t ChangedTariffsMask = 0;
    std::array<uint8_t, 4> TariffPageCode{};
    std::array<uint8_t, 8> LayoutPageCodes{};
    std::array<int32_t, 3> LicznikiKeep{};
    std::array<float, 16> SlotFactor{};
    std::array<uint8_t, 16> SlotDeviceByte{};
};

}  // namespace storage
