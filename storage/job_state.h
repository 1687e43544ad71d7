#pragma once
// Working members of the job record that the save stores and the loading restores and that no
// other subsystem keeps: the per-slot device bytes and the layout-change codes and mask.
#include <array>
#include <cstdint>

namespace storage {

struct JobState {
    uint32_t ChangedTariffsMask = 0;
    std::array<uint8_t, 8> LayoutPageCodes{};
    std::array<uint8_t, 16> SlotDeviceByte{};
};

}  // namespace storage
