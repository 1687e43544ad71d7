// The reading steps against the simulator: a long stream read live gives the same messages as
// framing it directly; failed calls append nothing; full rings leave the rest queued in the device.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/channel_reading.h"
#include "device/meter_framing.h"
#include "link_fixtures.h"
#include "platform/d2xx/sim_control.h"

namespace {

using device_test::Bytes;

class ChannelReading : public device_test::SimulatorTest {
protected:
    // Reading and framing steps, as the window's timers make them, until the device has sent
    // everything and the framer has taken it.
    std::vector<Bytes> ReadLive(device::DeviceChannel &channel, int dev) {
        auto buffer = std::make_unique<device::KlineByteRing>();
        auto ring = std::make_unique<device::KlineMessageRing>();
        std::vector<Bytes> messages;
        while (sim_rx_queued(dev) > 0 || buffer->ReadIndex != buffer->Ring.WriteIndex) {
            EXPECT_NE(device::ReadKlineBytes(Api(), channel, *buffer), device::ReadResult::Failed);
            device::FrameKlineMessages(*buffer, *ring);
            device_test::TakeMessages(*ring, messages);
        }
        return messages;
    }
};

TEST_F(ChannelReading, LiveStreamGivesTheSameMessagesAsDirectFraming) {
    const auto stream = device_test::GenerateKlineStream(200 * 1024, 11);
    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
    ASSERT_EQ(sim_push(dev, stream.bytes.data(), stream.bytes.size()), 0);
    const auto live = ReadLive(channel, dev);
    EXPECT_TRUE(device_test::SameMessages(live, stream.messages));
    EXPECT_TRUE(device_test::SameMessages(live, device_test::FrameInPieces(stream.bytes, 256)));
    EXPECT_EQ(channel.Status, FT_OK);
}

TEST_F(ChannelReading, NothingWaitingReadsNothing) {
    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
    auto buffer = std::make_unique<device::KlineByteRing>();
    EXPECT_EQ(device::ReadKlineBytes(Api(), channel, *buffer), device::ReadResult::NothingWaiting);
    EXPECT_EQ(sim_call_count(dev, SIM_CALL_READ), 0u);
    EXPECT_EQ(buffer->Ring.WriteIndex, 0u);
}

TEST_F(ChannelReading, FailedCallsAppendNothing) {
    for (const int call : {SIM_CALL_STATUS, SIM_CALL_READ}) {
        sim_reset();
        int dev = -1;
        device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
        const Bytes frame = d2xx::EncodeKlineFrame(0xF1, Bytes{0x2E});
        sim_push(dev, frame.data(), frame.size());
        auto buffer = std::make_unique<device::KlineByteRing>();
        sim_fail_call(dev, call, 1);
        EXPECT_EQ(device::ReadKlineBytes(Api(), channel, *buffer), device::ReadResult::Failed) << call;
        EXPECT_EQ(channel.Status, FT_IO_ERROR);
        EXPECT_EQ(channel.BytesRead, 0u);
        EXPECT_EQ(buffer->Ring.WriteIndex, 0u) << call;
        // The next step reads the bytes the failed one left.
        EXPECT_EQ(device::ReadKlineBytes(Api(), channel, *buffer), device::ReadResult::Read);
        EXPECT_EQ(buffer->Ring.WriteIndex, frame.size());
        Api().FT_Close(channel.Handle);
    }
}

TEST_F(ChannelReading, UnpluggedDeviceFailsTheStep) {
    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_METER, dev);
    device::MeterByteRing ring;
    sim_unplug(dev);
    EXPECT_EQ(device::ReadMeterBytes(Api(), channel, ring), device::ReadResult::Failed);
    EXPECT_EQ(ring.Ring.WriteIndex, 0u);
    Api().FT_Close(channel.Handle);
}

TEST_F(ChannelReading, FullByteRingLeavesTheRestQueuedInTheDevice) {
    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
    const Bytes noise(70000, 0x11);
    sim_push(dev, noise.data(), noise.size());
    auto buffer = std::make_unique<device::KlineByteRing>();
    // Without framing the reader fills the buffer and then stops, taking nothing more.
    for (int step = 0; step < 300; ++step) device::ReadKlineBytes(Api(), channel, *buffer);
    EXPECT_EQ(buffer->Ring.WriteIndex, buffer->Ring.kSize);
    EXPECT_EQ(sim_rx_queued(dev), noise.size() - buffer->Ring.kSize);
}

TEST_F(ChannelReading, MeterRecordsReadInSmallPiecesAndWithAFullRing) {
    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_METER, dev);
    std::vector<Bytes> sent, received;
    for (int i = 0; i < 40; ++i) {
        sent.push_back(Bytes(1 + i * 5, static_cast<std::uint8_t>('A' + i)));
        sent.back()[0] = 'E';
        ASSERT_EQ(sim_push_record(dev, sent.back().data(), sent.back().size()), 0);
    }
    device::MeterByteRing ring;
    device::MeterRecordRing records;
    // The decoder takes one record per step, so the rings fill up and the device holds the rest.
    while (sim_rx_queued(dev) > 0 || ring.ReadIndex != ring.Ring.WriteIndex || !records.Empty()) {
        EXPECT_NE(device::ReadMeterBytes(Api(), channel, ring), device::ReadResult::Failed);
        device::FrameMeterRecords(ring, records);
        if (!records.Empty()) {
            received.emplace_back(records.Front().begin(), records.Front().end());
            records.Pop();
        }
    }
    EXPECT_EQ(received, sent);
}

}  // namespace
