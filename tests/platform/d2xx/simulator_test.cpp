// The simulator's own behaviour: scripted devices, replies on the test's clock, the write log,
// fault injection and the count of calls on bad handles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/d2xx/loader.h"
#include "platform/d2xx/sim_control.h"
#include "platform/d2xx/sim_scenario.h"
#include "tests/platform/d2xx/temporary_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint64_t virtualNow = 0;
std::uint64_t VirtualClock() {
    return virtualNow;
}
void VirtualSleep(std::uint32_t milliseconds) {
    virtualNow += milliseconds;
}
void FrozenSleep(std::uint32_t) {}

Bytes Text(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

class Simulator : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library_.Load(D2XX_SIM_LIBRARY)) << library_.Error();
        sim_reset();
        virtualNow = 1000;
        sim_set_clock(VirtualClock, VirtualSleep);
    }
    void TearDown() override {
        sim_reset();
        sim_set_clock(nullptr, nullptr);
    }

    const d2xx::FtApi &api() const { return library_.Api(); }

    FT_HANDLE Open(int index, std::uint32_t readTimeout = 10) {
        FT_HANDLE handle = nullptr;
        EXPECT_EQ(api().FT_Open(index, &handle), FT_OK);
        EXPECT_EQ(api().FT_SetTimeouts(handle, readTimeout, 10), FT_OK);
        return handle;
    }

    FT_STATUS Status(FT_HANDLE handle, std::uint32_t &rx) const {
        std::uint32_t tx = 0, events = 0;
        return api().FT_GetStatus(handle, &rx, &tx, &events);
    }

    std::uint32_t Queued(FT_HANDLE handle) const {
        std::uint32_t rx = 0;
        EXPECT_EQ(Status(handle, rx), FT_OK);
        return rx;
    }

    void Write(FT_HANDLE handle, const Bytes &bytes) const {
        std::uint32_t written = 0;
        EXPECT_EQ(api().FT_Write(handle, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &written),
                  FT_OK);
        EXPECT_EQ(written, bytes.size());
    }

    Bytes Read(FT_HANDLE handle, std::uint32_t count) const {
        Bytes buffer(count);
        std::uint32_t got = 0;
        EXPECT_EQ(api().FT_Read(handle, buffer.data(), count, &got), FT_OK);
        buffer.resize(got);
        return buffer;
    }

    // The identification exchange as the program makes it: 0x02, 10 ms, 0x0B.
    void Identify(FT_HANDLE handle) const {
        Write(handle, {0x02});
        virtualNow += 10;
        Write(handle, {0x0B});
    }

    static Bytes Written(int dev) {
        Bytes bytes(sim_written(dev, nullptr, 0));
        sim_written(dev, bytes.data(), bytes.size());
        return bytes;
    }

    d2xx::Library library_;
};

TEST_F(Simulator, AnswersTheIdentificationAndVersionRequestsByKind) {
    struct Case {
        int kind;
        std::string identification;
        std::string version;
    };
    const Case cases[] = {
        {SIM_KIND_INTERFACE, "SIM-01K001", "SIMV1.00"},
        {SIM_KIND_PROGRAMMER, "SIM-01M001", "SIMV1.00"},
        {SIM_KIND_METER, "SIM-01L001", ""},
        {'X', "SIM-01X001", ""},  // a wrong identification
        {SIM_KIND_SILENT, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.identification);
        sim_reset();
        const int dev = sim_add_device(c.kind);
        FT_HANDLE handle = Open(0);
        Identify(handle);
        EXPECT_EQ(Read(handle, 256), Text(c.identification));
        Write(handle, {'D'});
        EXPECT_EQ(Read(handle, 256), Text(c.version));
        EXPECT_EQ(Written(dev), (Bytes{0x02, 0x0B, 'D'}));
        EXPECT_EQ(sim_write_time(dev, 1) - sim_write_time(dev, 0), 10u);
        EXPECT_EQ(api().FT_Close(handle), FT_OK);
    }
}

TEST_F(Simulator, IdentificationIsAnsweredOnlyWhenTheRequestFollowsItsPrefix) {
    sim_add_device(SIM_KIND_INTERFACE);
    FT_HANDLE handle = Open(0);
    Write(handle, {0x0B, 0x00, 0x0B, 0x00, 0x02, 0x00, 0x02});  // meter greeting and stray bytes
    EXPECT_EQ(Queued(handle), 0u);
    Write(handle, {0x0B});
    EXPECT_EQ(Queued(handle), 10u);
}

TEST_F(Simulator, RepliesCanBeSetShortenedAndSpreadOverTime) {
    const int dev = sim_add_device(SIM_KIND_INTERFACE);
    const Bytes identification = Text("QM-2024-K-07");  // byte 6 is '4': a wrong identification
    ASSERT_EQ(sim_set_identification(dev, identification.data(), identification.size()), 0);
    ASSERT_EQ(sim_set_reply_timing(dev, 5, 4, 3), 0);
    FT_HANDLE handle = Open(0);
    Identify(handle);

    // 12 bytes: 4 at +5 ms, 4 at +8 ms, 4 at +11 ms.
    const std::pair<int, std::uint32_t> expected[] = {{0, 0}, {4, 0},   {5, 4},  {7, 4},
                                                      {8, 8}, {11, 12}, {30, 12}};
    const std::uint64_t start = virtualNow;
    for (const auto &[after, queued] : expected) {
        virtualNow = start + static_cast<std::uint64_t>(after);
        EXPECT_EQ(sim_rx_queued(dev), queued) << "at +" << after << " ms";
    }
    EXPECT_EQ(Read(handle, 256), identification);

    ASSERT_EQ(sim_set_reply_limit(dev, 9), 0);
    ASSERT_EQ(sim_set_reply_timing(dev, 0, 0, 0), 0);
    Identify(handle);
    EXPECT_EQ(Read(handle, 256), Text("QM-2024-K"));
}

TEST_F(Simulator, ReadWaitsOnTheInstalledClock) {
    const int dev = sim_add_device(SIM_KIND_METER);
    ASSERT_EQ(sim_set_reply_timing(dev, 2, 3, 4), 0);  // bytes at +2, +6, +10, +14 ms
    FT_HANDLE handle = Open(0, 50);
    Identify(handle);
    const std::uint64_t start = virtualNow;
    EXPECT_EQ(Read(handle, 10), Text("SIM-01L001"));
    EXPECT_EQ(virtualNow - start, 14u) << "the read returns as soon as the last byte arrives";

    EXPECT_EQ(Read(handle, 1), Bytes{});
    EXPECT_EQ(virtualNow - start, 64u) << "an empty read waits its whole time-out";

    // Without a way to let time pass a read returns at once; a clock that never moves ends it too.
    for (sim_sleep_fn sleep : {sim_sleep_fn{nullptr}, sim_sleep_fn{FrozenSleep}}) {
        sim_set_clock(VirtualClock, sleep);
        EXPECT_EQ(Read(handle, 1), Bytes{});
        EXPECT_EQ(virtualNow - start, 64u);
    }
}

TEST_F(Simulator, PushedStreamsArriveInOrder) {
    const int dev = sim_add_device(SIM_KIND_INTERFACE);
    const Bytes kline = {0x2E};
    const Bytes record = Text("K12");
    const Bytes raw = {0x80, 0xEE};
    ASSERT_EQ(sim_push_kline(dev, 0xF1, kline.data(), kline.size()), 0);
    ASSERT_EQ(sim_push_record(dev, record.data(), record.size()), 0);
    ASSERT_EQ(sim_push(dev, raw.data(), raw.size()), 0);
    ASSERT_EQ(sim_push_file(dev, SAMPLE_CAPTURE), 0);
    FT_HANDLE handle = Open(0);
    const Bytes head = Read(handle, 13);
    EXPECT_EQ(head, (Bytes{0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E, 0x02, 'K', '1', '2', 0x03, 0x80, 0xEE}));
    EXPECT_GT(Queued(handle), 0u) << "the capture file follows";

    const Bytes tooLong(256, 0x00);
    EXPECT_EQ(sim_push_kline(dev, 0xF1, tooLong.data(), tooLong.size()), -1);
    EXPECT_EQ(sim_push_record(dev, tooLong.data(), 255), -1);
    EXPECT_EQ(sim_push_file(dev, "no/such/capture"), -1);
    EXPECT_EQ(sim_push(7, raw.data(), raw.size()), -1);
}

TEST_F(Simulator, InjectedFailuresHitExactlyTheKthCall) {
    const int dev = sim_add_device(SIM_KIND_SILENT);
    FT_HANDLE handle = Open(0);
    std::uint8_t byte = 0;
    std::uint32_t count = 0;
    const auto status = [&] { return Status(handle, count); };
    const auto read = [&] { return api().FT_Read(handle, &byte, 0, &count); };
    const auto write = [&] { return api().FT_Write(handle, &byte, 1, &count); };
    const auto list = [&] { return api().FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY); };
    struct Case {
        int call;
        std::function<FT_STATUS()> make;
    };
    for (const Case &c : {Case{SIM_CALL_STATUS, status}, Case{SIM_CALL_READ, read},
                          Case{SIM_CALL_WRITE, write}, Case{SIM_CALL_LIST, list}}) {
        SCOPED_TRACE(c.call);
        const std::uint32_t before = sim_call_count(dev, c.call);
        ASSERT_EQ(sim_fail_call(dev, c.call, 3), 0);
        EXPECT_EQ(c.make(), FT_OK);
        EXPECT_EQ(c.make(), FT_OK);
        EXPECT_EQ(c.make(), FT_IO_ERROR);
        EXPECT_EQ(c.make(), FT_OK);
        EXPECT_EQ(sim_call_count(dev, c.call), before + 4);
    }
    EXPECT_EQ(sim_fail_call(dev, 9, 1), -1);
    EXPECT_EQ(sim_invalid_handle_calls(), 0u);
}

TEST_F(Simulator, ListedDeviceCanBeMadeToFailToOpen) {
    const int meter = sim_add_device(SIM_KIND_METER);
    sim_add_device(SIM_KIND_INTERFACE);
    ASSERT_EQ(sim_fail_open(meter, 1), 0);
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(api().FT_Open(0, &handle), FT_DEVICE_NOT_OPENED);
    EXPECT_EQ(sim_is_open(meter), 0);
    FT_HANDLE other = Open(1);
    ASSERT_EQ(sim_fail_open(meter, 0), 0);
    FT_HANDLE meterHandle = Open(0);
    std::uint32_t readTimeout = 0, writeTimeout = 0;
    EXPECT_EQ(sim_timeouts(meter, &readTimeout, &writeTimeout), 0);
    EXPECT_EQ(readTimeout, 10u);
    EXPECT_EQ(writeTimeout, 10u);
    EXPECT_EQ(api().FT_Close(meterHandle), FT_OK);
    EXPECT_EQ(api().FT_Close(other), FT_OK);
}

TEST_F(Simulator, CountsEveryCallOnABadHandle) {
    sim_add_device(SIM_KIND_SILENT);
    FT_HANDLE handle = Open(0);
    ASSERT_EQ(api().FT_Close(handle), FT_OK);
    std::uint32_t count = 0;
    EXPECT_EQ(api().FT_Close(handle), FT_INVALID_HANDLE);
    EXPECT_EQ(Status(handle, count), FT_INVALID_HANDLE);
    EXPECT_EQ(api().FT_Read(nullptr, nullptr, 0, &count), FT_INVALID_HANDLE);
    EXPECT_EQ(sim_invalid_handle_calls(), 3u);
    sim_reset();
    EXPECT_EQ(sim_invalid_handle_calls(), 0u);
}

TEST_F(Simulator, HandleFromBeforeAnUnplugNeverTouchesTheNewConnection) {
    const int dev = sim_add_device(SIM_KIND_INTERFACE);
    FT_HANDLE stale = Open(0);
    ASSERT_EQ(sim_unplug(dev), 0);
    ASSERT_EQ(sim_replug(dev), 0);
    FT_HANDLE fresh = Open(0);
    EXPECT_NE(fresh, stale);
    std::uint32_t count = 0;
    EXPECT_EQ(Status(stale, count), FT_IO_ERROR);
    EXPECT_EQ(api().FT_Close(stale), FT_OK);
    EXPECT_EQ(sim_is_open(dev), 1) << "closing the stale handle leaves the new connection open";
    FT_HANDLE third = nullptr;
    EXPECT_EQ(api().FT_Open(0, &third), FT_DEVICE_NOT_OPENED);
    Identify(fresh);
    EXPECT_EQ(Queued(fresh), 10u);
    EXPECT_EQ(api().FT_Close(fresh), FT_OK);
    EXPECT_EQ(sim_is_open(dev), 0);
    EXPECT_EQ(sim_invalid_handle_calls(), 0u);
}

TEST_F(Simulator, IndexesCountOnlyPluggedDevices) {
    const int first = sim_add_device(SIM_KIND_INTERFACE);
    const int second = sim_add_device(SIM_KIND_METER);
    ASSERT_EQ(sim_unplug(first), 0);
    FT_HANDLE handle = Open(0);
    EXPECT_EQ(sim_is_open(second), 1);
    Identify(handle);
    EXPECT_EQ(Read(handle, 10)[6], 'L');
    EXPECT_EQ(sim_unplug(9), -1);
    EXPECT_EQ(sim_is_open(9), -1);
}

// A scenario named by the environment, played by the simulator from the program's first request
// for devices; the officer's keys come through a pipe.
class ScenarioPlay : public Simulator {
protected:
    void SetUp() override {
        Simulator::SetUp();
        ASSERT_EQ(pipe(keys_), 0);
        sim_set_key_input(keys_[0]);
        const std::string path = (folder_.path() / "scenario.txt").string();
        std::ofstream(path) << "raw 01\nwait Click \"AUTO-Leg\"\nraw 02\n";
        setenv(d2xx::kScenarioVariable, path.c_str(), 1);
        sim_reset();  // the scenario is loaded afresh at the next request for devices
    }
    void TearDown() override {
        unsetenv(d2xx::kScenarioVariable);
        sim_set_key_input(0);
        close(keys_[0]);
        if (keys_[1] >= 0) close(keys_[1]);
        Simulator::TearDown();
    }
    void PressEnter() { ASSERT_EQ(write(keys_[1], "\n", 1), 1); }
    void CloseKeys() {
        close(keys_[1]);
        keys_[1] = -1;
    }
    // The bytes the interface has queued once `ms` more have passed.
    std::uint32_t QueuedAfter(FT_HANDLE interface, std::uint64_t ms) {
        virtualNow += ms;
        return Queued(interface);
    }

    int keys_[2] = {-1, -1};

private:
    d2xx_test::TemporaryFolder folder_;
};

TEST_F(ScenarioPlay, StartsAtTheFirstRequestForDevicesAndGoesOnOnlyAfterAnEnterAtTheWait) {
    virtualNow += 60000;  // a slow start-up: nothing is attached or sent before the program asks
    std::uint32_t count = 0;
    ASSERT_EQ(api().FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    ASSERT_EQ(count, 2u) << "the interface and the meter";
    FT_HANDLE interface = Open(0);
    EXPECT_EQ(QueuedAfter(interface, d2xx::kScenarioStartMs - 1), 0u);
    PressEnter();  // pressed before the question: it does not answer it
    EXPECT_EQ(QueuedAfter(interface, 1), 1u) << "the first item when the start comes";
    EXPECT_EQ(QueuedAfter(interface, d2xx::kScenarioStepMs), 1u) << "the wait reached";
    EXPECT_EQ(QueuedAfter(interface, 600000), 1u) << "still waiting for the officer";
    PressEnter();
    EXPECT_EQ(QueuedAfter(interface, 0), 1u);
    EXPECT_EQ(QueuedAfter(interface, d2xx::kScenarioStepMs - 1), 1u);
    EXPECT_EQ(QueuedAfter(interface, 1), 2u) << "the next item one step after the Enter";
}

TEST_F(ScenarioPlay, AClosedKeyInputLetsTheScenarioGoOn) {
    CloseKeys();
    std::uint32_t count = 0;
    ASSERT_EQ(api().FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    FT_HANDLE interface = Open(0);
    EXPECT_EQ(QueuedAfter(interface, d2xx::kScenarioStartMs + d2xx::kScenarioStepMs), 1u);
    EXPECT_EQ(QueuedAfter(interface, d2xx::kScenarioStepMs), 2u);
}

}  // namespace
