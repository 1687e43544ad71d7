#pragma once
// Working members of the job record that the save stores and the loading restores and that no
// other subsystem keeps: the per-slot device bytes, the layout-change codes and mask, and the
// date a loaded job was saved on; and the hold on the folder of the tables.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace storage {

struct JobState {
    uint32_t ChangedTariffsMask = 0;
    std::array<uint8_t, 8> LayoutPageCodes{};
    std::array<uint8_t, 16> SlotDeviceByte{};
    // The date the loaded job was saved (year, month, day); a year of 2000 or less: none.
    std::array<int32_t, 3> RecordSaveDate{};
    // The maximum surcharge "MxDpł." of each group: 9999,99 less the value of the group's
    // own-family tariff page.
    std::array<std::string, 4> GroupMaxSurcharge{"---", "---", "---", "---"};
    // The working folder, held from the start for as long as the window lives (folder_lock.h).
    std::shared_ptr<const void> TablesFolderHold;
};

}  // namespace storage
