#pragma once
// Working members of the job record that the save stores and the loading restores and that no
// other subsystem keeps: the per-slot device bytes, the layout-change codes and mask, and the
// date a loaded job was saved on.
#include <array>
#include <cstdint>

namespace storage {

struct JobState {
    uint32_t ChangedTariffsMask = 0;
    std::array<uint8_t, 8> LayoutPageCodes{};
    std::array<uint8_t, 16> SlotDeviceByte{};
    // Year, month and day of the save of the job last loaded; all 0 before any load.
    std::array<int32_t, 3> RecordSaveDate{};
};

}  // namespace storage
