// Device discovery of the station library: which sysfs tty entries are FTDI serial devices.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

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

// The station library on one pseudo-terminal standing in for a ttyUSB device.
class StationPort : public testing::Test {
protected:
    void SetUp() override {
        backend_ = std::make_unique<StationBackend>();
        backend_->Attach();
        ASSERT_EQ(api().FT_Open(0, &handle_), FT_OK);
        ASSERT_EQ(api().FT_SetTimeouts(handle_, 10, 10), FT_OK);
    }
    void TearDown() override { EXPECT_EQ(api().FT_Close(handle_), FT_OK); }
    const d2xx::FtApi &api() const { return backend_->Api(); }

    std::unique_ptr<StationBackend> backend_;
    FT_HANDLE handle_ = nullptr;
};

TEST_F(StationPort, WriteToADeviceThatTakesNothingEndsAfterTheWriteTimeout) {
    const Bytes block(1 << 20, 0x55);  // far more than the pseudo-terminal buffers
    std::uint32_t written = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(api().FT_Write(handle_, block.data(), static_cast<std::uint32_t>(block.size()), &written),
              FT_OK);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, block.size());
    EXPECT_GE(waited, std::chrono::milliseconds(10));
}

TEST_F(StationPort, OpenDeviceIsLockedAgainstOtherPrograms) {
    const int fd = open(backend_->DeviceNode(0).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
}

}  // namespace
}  // namespace d2xx_test
