#pragma once
// The binding of the device library: which library the program loads at run time, the loaded
// library with its functions, and whether the load succeeded.
#include <cstdint>
#include <string>

#include "platform/d2xx/loader.h"

namespace device {

// The station library for real devices, or the simulator when the program was configured with
// STATION_DEVICE_LIBRARY=simulator. A bare file name: the program's run path finds it.
inline constexpr const char *kDeviceLibraryName =
    STATION_DEVICE_SIMULATOR ? d2xx::kSimulatorLibraryName : d2xx::kStationLibraryName;

struct DeviceLibraryState {
    std::string DeviceLibraryName = kDeviceLibraryName;
    d2xx::Library FtdiDll;
    std::uint8_t DllLoaded = 0;
    // Number of devices the last scan found.
    std::uint32_t FtDeviceCount = 0;
};

}  // namespace device
