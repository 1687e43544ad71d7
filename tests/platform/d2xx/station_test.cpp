// Device discovery of the station library: which sysfs tty entries are FTDI serial devices.
#include <gtest/gtest.h>

#include "device_backends.h"
#include "platform/d2xx/station_discovery.h"

namespace d2xx_test {
namespace {

TEST(StationDiscovery, ListsOnlyFtdiUsbSerialPortsInNumberOrder) {
    TemporaryFolder folder;
    FakeSysfs sysfs(folder.path());
    sysfs.AddTty("ttyUSB10", "0403", "/dev/null");
    sysfs.AddTty("ttyUSB2", "0403", "/dev/null");
    sysfs.AddTty("ttyUSB1", "067b", "/dev/null");  // another maker's USB-serial chip
    sysfs.AddTty("ttyUSB0", "0403", "/dev/null");
    sysfs.AddTty("ttyS0", "0403", "/dev/null");
    sysfs.AddTty("ttyUSBx", "0403", "/dev/null");
    const std::string dev = sysfs.devRoot();
    EXPECT_EQ(d2xx::FindFtdiPorts(sysfs.sysfsRoot(), dev),
              (std::vector<std::string>{dev + "/ttyUSB0", dev + "/ttyUSB2", dev + "/ttyUSB10"}));
}

TEST(StationDiscovery, MissingOrEmptyTreeHasNoDevices) {
    TemporaryFolder folder;
    EXPECT_TRUE(d2xx::FindFtdiPorts((folder.path() / "nothing").string(), "/dev").empty());
    FakeSysfs sysfs(folder.path());
    EXPECT_TRUE(d2xx::FindFtdiPorts(sysfs.sysfsRoot(), sysfs.devRoot()).empty());
}

TEST(StationDiscovery, DeviceIndexesStayAsListedUntilTheNextListing) {
    std::unique_ptr<DeviceBackend> backend = MakeStationBackend();
    const d2xx::FtApi &api = backend->Api();
    backend->Attach();
    backend->Attach();
    std::uint32_t count = 0;
    ASSERT_EQ(api.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    ASSERT_EQ(count, 2u);
    backend->Unplug(0);
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(api.FT_Open(0, &handle), FT_DEVICE_NOT_OPENED) << "index 0 is still the unplugged device";
    EXPECT_EQ(api.FT_Open(1, &handle), FT_OK);
    EXPECT_EQ(api.FT_Close(handle), FT_OK);
    ASSERT_EQ(api.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    EXPECT_EQ(count, 1u);
}

}  // namespace
}  // namespace d2xx_test
