// The station library's exported functions: the D2XX interface over the kernel's FTDI USB-serial
// devices.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/d2xx/export.h"
#include "platform/d2xx/handle_table.h"
#include "platform/d2xx/station_control.h"
#include "platform/d2xx/station_discovery.h"
#include "platform/d2xx/station_port.h"

namespace {

constexpr char kSysfsRoot[] = "/sys";
constexpr char kDevRoot[] = "/dev";

struct Station {
    std::mutex mutex;
    d2xx::HandleTable<d2xx::SerialPort> ports;
    std::string sysfsRoot = kSysfsRoot;
    std::string devRoot = kDevRoot;
    // The device list of the last FT_ListDevices; indexes of FT_Open refer to it.
    std::optional<std::vector<std::string>> listed;
};

Station &TheStation() {
    static Station station;
    return station;
}

// Runs `call` on the open port behind `handle`, under the station's lock.
template <typename Call>
FT_STATUS OnPort(FT_HANDLE handle, Call call) {
    Station &station = TheStation();
    std::lock_guard lock(station.mutex);
    d2xx::SerialPort *port = station.ports.Find(handle);
    return port == nullptr ? FT_INVALID_HANDLE : call(*port);
}

}  // namespace

D2XX_EXPORT FT_STATUS FT_ListDevices(void *arg1, void *, uint32_t flags) {
    if (arg1 == nullptr || flags != FT_LIST_NUMBER_ONLY) return FT_INVALID_PARAMETER;
    Station &station = TheStation();
    std::lock_guard lock(station.mutex);
    station.listed = d2xx::FindFtdiPorts(station.sysfsRoot, station.devRoot);
    *static_cast<uint32_t *>(arg1) = static_cast<uint32_t>(station.listed->size());
    return FT_OK;
}

D2XX_EXPORT FT_STATUS FT_Open(int deviceNumber, FT_HANDLE *handle) {
    if (handle == nullptr) return FT_INVALID_PARAMETER;
    Station &station = TheStation();
    std::lock_guard lock(station.mutex);
    if (!station.listed) station.listed = d2xx::FindFtdiPorts(station.sysfsRoot, station.devRoot);
    if (deviceNumber < 0 || static_cast<std::size_t>(deviceNumber) >= station.listed->size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    d2xx::SerialPort port;
    const FT_STATUS status = port.Open((*station.listed)[static_cast<std::size_t>(deviceNumber)]);
    if (status == FT_OK) *handle = station.ports.Add(std::move(port));
    return status;
}

D2XX_EXPORT FT_STATUS FT_Close(FT_HANDLE handle) {
    Station &station = TheStation();
    std::lock_guard lock(station.mutex);
    return station.ports.Remove(handle) ? FT_OK : FT_INVALID_HANDLE;
}

D2XX_EXPORT FT_STATUS FT_SetTimeouts(FT_HANDLE handle, uint32_t readTimeout, uint32_t writeTimeout) {
    return OnPort(handle, [&](d2xx::SerialPort &port) {
        port.SetTimeouts(readTimeout, writeTimeout);
        return FT_STATUS{FT_OK};
    });
}

D2XX_EXPORT FT_STATUS FT_GetStatus(FT_HANDLE handle, uint32_t *rxBytes, uint32_t *txBytes,
                                   uint32_t *eventStatus) {
    return OnPort(handle, [&](d2xx::SerialPort &port) {
        if (rxBytes == nullptr || txBytes == nullptr || eventStatus == nullptr)
            return FT_STATUS{FT_INVALID_PARAMETER};
        *eventStatus = 0;
        return port.Status(*rxBytes, *txBytes);
    });
}

D2XX_EXPORT FT_STATUS FT_Read(FT_HANDLE handle, void *buffer, uint32_t bytesToRead, uint32_t *bytesReturned) {
    return OnPort(handle, [&](d2xx::SerialPort &port) {
        if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
            return FT_STATUS{FT_INVALID_PARAMETER};
        }
        return port.Read(static_cast<uint8_t *>(buffer), bytesToRead, *bytesReturned);
    });
}

D2XX_EXPORT FT_STATUS FT_Write(FT_HANDLE handle, const void *buffer, uint32_t bytesToWrite,
                               uint32_t *bytesWritten) {
    return OnPort(handle, [&](d2xx::SerialPort &port) {
        if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
            return FT_STATUS{FT_INVALID_PARAMETER};
        }
        return port.Write(static_cast<const uint8_t *>(buffer), bytesToWrite, *bytesWritten);
    });
}

D2XX_EXPORT FT_STATUS FT_ClrRts(FT_HANDLE handle) {
    return OnPort(handle, [](d2xx::SerialPort &port) { return port.ClearRts(); });
}

D2XX_EXPORT void d2xx_station_set_roots(const char *sysfs_root, const char *dev_root) {
    Station &station = TheStation();
    std::lock_guard lock(station.mutex);
    station.sysfsRoot = sysfs_root != nullptr ? sysfs_root : kSysfsRoot;
    station.devRoot = dev_root != nullptr ? dev_root : kDevRoot;
    station.listed.reset();
}
