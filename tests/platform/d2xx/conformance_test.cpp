// What the program relies on from a device library, checked on the simulator and on the station
// library (pseudo-terminals standing in for ttyUSB devices).
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

#include "device_backends.h"

namespace d2xx_test {
namespace {

using Factory = std::unique_ptr<DeviceBackend> (*)();

class Conformance : public testing::TestWithParam<Factory> {
protected:
    void SetUp() override { backend_ = GetParam()(); }

    const d2xx::FtApi &api() const { return backend_->Api(); }

    std::uint32_t Count() const {
        std::uint32_t count = 99;
        EXPECT_EQ(api().FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
        return count;
    }

    FT_HANDLE Open(int index) {
        FT_HANDLE handle = nullptr;
        EXPECT_EQ(api().FT_Open(index, &handle), FT_OK);
        EXPECT_EQ(api().FT_SetTimeouts(handle, 10, 10), FT_OK);
        return handle;
    }

    std::uint32_t Queued(FT_HANDLE handle) const {
        std::uint32_t rx = 0, tx = 0, events = 0;
        EXPECT_EQ(api().FT_GetStatus(handle, &rx, &tx, &events), FT_OK);
        return rx;
    }

    // The device sends `bytes`; returns once the host sees them queued (a pseudo-terminal delivers
    // a moment later).
    void DeviceSends(int dev, FT_HANDLE handle, const Bytes &bytes) {
        const std::uint32_t before = Queued(handle);
        backend_->Send(dev, bytes);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Queued(handle) < before + bytes.size() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(Queued(handle), before + bytes.size());
    }

    Bytes Read(FT_HANDLE handle, std::uint32_t count, FT_STATUS expected = FT_OK) {
        Bytes buffer(count);
        std::uint32_t got = 12345;
        EXPECT_EQ(api().FT_Read(handle, buffer.data(), count, &got), expected);
        buffer.resize(std::min(got, count));
        return buffer;
    }

    std::unique_ptr<DeviceBackend> backend_;
};

// Every byte value, more than one read buffer's worth.
Bytes AllByteValues(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return bytes;
}

TEST_P(Conformance, ListsDevicesAndOpensEachOnceByIndex) {
    EXPECT_EQ(Count(), 0u);
    backend_->Attach();
    backend_->Attach();
    EXPECT_EQ(Count(), 2u);

    FT_HANDLE first = Open(0);
    FT_HANDLE second = Open(1);
    EXPECT_NE(first, second);
    FT_HANDLE again = nullptr;
    EXPECT_EQ(api().FT_Open(1, &again), FT_DEVICE_NOT_OPENED);
    EXPECT_EQ(api().FT_Open(2, &again), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(api().FT_Open(-1, &again), FT_DEVICE_NOT_FOUND);

    EXPECT_EQ(api().FT_Close(second), FT_OK);
    FT_HANDLE reopened = Open(1);
    EXPECT_NE(reopened, second);
    EXPECT_EQ(api().FT_Close(reopened), FT_OK);
    EXPECT_EQ(api().FT_Close(first), FT_OK);

    std::uint32_t count = 0;
    EXPECT_EQ(api().FT_ListDevices(&count, nullptr, 0), FT_INVALID_PARAMETER);
    EXPECT_EQ(api().FT_ListDevices(nullptr, nullptr, FT_LIST_NUMBER_ONLY), FT_INVALID_PARAMETER);
    EXPECT_EQ(api().FT_Open(0, nullptr), FT_INVALID_PARAMETER);
}

TEST_P(Conformance, ReadTakesAtMostWhatIsQueuedAndLeavesTheRestOfTheBufferAlone) {
    const int dev = backend_->Attach();
    FT_HANDLE handle = Open(0);
    const Bytes sent = AllByteValues(300);
    DeviceSends(dev, handle, sent);

    EXPECT_EQ(Read(handle, 256), Bytes(sent.begin(), sent.begin() + 256));
    EXPECT_EQ(Queued(handle), 44u);

    // Asking for more than is queued returns the 44 after the time-out; the buffer's tail stays.
    Bytes buffer(100, 0xA5);
    std::uint32_t got = 0;
    EXPECT_EQ(api().FT_Read(handle, buffer.data(), 100, &got), FT_OK);
    ASSERT_EQ(got, 44u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 44), Bytes(sent.begin() + 256, sent.end()));
    EXPECT_EQ(Bytes(buffer.begin() + 44, buffer.end()), Bytes(56, 0xA5));

    EXPECT_EQ(Read(handle, 0), Bytes{});
    EXPECT_EQ(Queued(handle), 0u);
    EXPECT_EQ(api().FT_Close(handle), FT_OK);
}

TEST_P(Conformance, EmptyReadReturnsNothingAfterTheReadTimeout) {
    backend_->Attach();
    FT_HANDLE handle = Open(0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(handle, 5), Bytes{});
    const auto waited = std::chrono::steady_clock::now() - start;
    // The simulator's clock counts whole milliseconds, so its 10 ms may start late in one.
    EXPECT_GE(waited, std::chrono::microseconds(9000));
    EXPECT_EQ(api().FT_Close(handle), FT_OK);
}

TEST_P(Conformance, WritesReachTheDeviceUnchanged) {
    const int dev = backend_->Attach();
    FT_HANDLE handle = Open(0);
    const Bytes sent = AllByteValues(300);
    std::uint32_t written = 0;
    EXPECT_EQ(api().FT_Write(handle, sent.data(), 100, &written), FT_OK);
    EXPECT_EQ(written, 100u);
    EXPECT_EQ(api().FT_Write(handle, sent.data() + 100, 200, &written), FT_OK);
    EXPECT_EQ(written, 200u);
    EXPECT_EQ(api().FT_Write(handle, sent.data(), 0, &written), FT_OK);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(backend_->Received(dev, sent.size()), sent);
    EXPECT_EQ(api().FT_Close(handle), FT_OK);
}

TEST_P(Conformance, CallsOnClosedOrUnknownHandlesAreRefused) {
    backend_->Attach();
    FT_HANDLE closed = Open(0);
    ASSERT_EQ(api().FT_Close(closed), FT_OK);
    int unknownTarget = 0;
    for (FT_HANDLE handle : {closed, FT_HANDLE{nullptr}, FT_HANDLE{&unknownTarget}}) {
        std::uint32_t rx = 0, tx = 0, events = 0, count = 0;
        std::uint8_t byte = 0x02;
        EXPECT_EQ(api().FT_Close(handle), FT_INVALID_HANDLE);
        EXPECT_EQ(api().FT_SetTimeouts(handle, 10, 10), FT_INVALID_HANDLE);
        EXPECT_EQ(api().FT_GetStatus(handle, &rx, &tx, &events), FT_INVALID_HANDLE);
        EXPECT_EQ(api().FT_Read(handle, &byte, 1, &count), FT_INVALID_HANDLE);
        EXPECT_EQ(api().FT_Write(handle, &byte, 1, &count), FT_INVALID_HANDLE);
        EXPECT_EQ(api().FT_ClrRts(handle), FT_INVALID_HANDLE);
    }
}

TEST_P(Conformance, UnpluggedDeviceFailsUntilClosedAndIsFoundAgainWhenReplugged) {
    const int dev = backend_->Attach();
    FT_HANDLE handle = Open(0);
    DeviceSends(dev, handle, {1, 2, 3});
    backend_->Unplug(dev);

    std::uint32_t rx = 0, tx = 0, events = 0, count = 0;
    std::uint8_t byte = 0x02;
    EXPECT_EQ(api().FT_GetStatus(handle, &rx, &tx, &events), FT_IO_ERROR);
    EXPECT_EQ(api().FT_Read(handle, &byte, 1, &count), FT_IO_ERROR);
    EXPECT_EQ(api().FT_Write(handle, &byte, 1, &count), FT_IO_ERROR);
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(api().FT_Close(handle), FT_OK);

    backend_->Replug(dev);
    ASSERT_EQ(Count(), 1u);
    FT_HANDLE again = Open(0);
    EXPECT_EQ(Queued(again), 0u);
    DeviceSends(dev, again, {4, 5});
    EXPECT_EQ(Read(again, 2), (Bytes{4, 5}));
    EXPECT_EQ(api().FT_Close(again), FT_OK);
}

INSTANTIATE_TEST_SUITE_P(Libraries, Conformance, testing::Values(&MakeSimulatorBackend, &MakeStationBackend),
                         [](const testing::TestParamInfo<Factory> &param) {
                             return param.param == &MakeSimulatorBackend ? "Simulator" : "Station";
                         });

}  // namespace
}  // namespace d2xx_test
