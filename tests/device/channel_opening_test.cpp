// Opening, closing and the reply waits of a channel on the simulator.
#include <gtest/gtest.h>

#include "device/channel_opening.h"
#include "platform/d2xx/sim_control.h"
#include "platform/runtime/clock.h"
#include "tests/device/link_fixtures.h"

namespace {

using device_test::Bytes;

std::uint64_t RuntimeClock() { return static_cast<std::uint64_t>(runtime::NowMs()); }
void RuntimeSleep(std::uint32_t ms) { runtime::SleepMs(ms); }

// The waits pause on the program's clock: the simulator follows it here.
class ChannelOpeningTest : public device_test::SimulatorTest {
protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        runtime::UseVirtualClock(0);
        sim_set_clock(RuntimeClock, RuntimeSleep);
    }
    void TearDown() override {
        SimulatorTest::TearDown();
        runtime::UseRealClock();
    }
};

TEST_F(ChannelOpeningTest, ClosingTwiceOrAfterAFailedOpenMakesNoCall) {
    const int dev = sim_add_device(SIM_KIND_INTERFACE);
    device::DeviceChannel channel;
    sim_fail_open(dev, 1);
    EXPECT_FALSE(device::OpenChannel(Api(), channel, 0));
    device::CloseChannel(Api(), channel);
    sim_fail_open(dev, 0);
    ASSERT_TRUE(device::OpenChannel(Api(), channel, 0));
    device::CloseChannel(Api(), channel);
    device::CloseChannel(Api(), channel);
    EXPECT_EQ(sim_is_open(dev), 0);
    // TearDown checks that no call reached a closed handle.
}

TEST_F(ChannelOpeningTest, AFragmentedReplyIsCollectedAndAFailureOrSilenceIsTold) {
    int dev = 0;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
    sim_set_reply_timing(dev, 5, 3, 20);
    const device::Reply id = device::ExchangeIdentification(Api(), channel);
    ASSERT_EQ(id.outcome, device::ReplyOutcome::Received);
    EXPECT_EQ(id.text.size(), device::kIdentificationBytes);
    EXPECT_EQ(id.text[device::kDeviceKindByte], 'K');

    sim_fail_call(dev, SIM_CALL_STATUS, 1);
    EXPECT_EQ(device::WaitForBytes(Api(), channel, 1), device::ReplyOutcome::LibraryFailed);
    const auto before = runtime::NowMs();
    EXPECT_EQ(device::WaitForBytes(Api(), channel, 1), device::ReplyOutcome::TimedOut);
    EXPECT_GE(runtime::NowMs() - before, device::kReplyWaitMs);
    EXPECT_LT(runtime::NowMs() - before, device::kReplyWaitMs + 20);

    // More than the reception buffer holds: the wait stops at its size.
    const Bytes flood(600, 0x55);
    sim_push(dev, flood.data(), flood.size());
    EXPECT_EQ(device::WaitForBytes(Api(), channel, 1000), device::ReplyOutcome::Received);
    EXPECT_EQ(channel.BytesRead, channel.RxBuffer.size());
    device::CloseChannel(Api(), channel);
}

}  // namespace
