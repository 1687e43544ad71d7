#pragma once
// Shared pieces of the device-link tests: a long generated interface stream with the messages it
// must give, draining the message ring, and a channel on the simulator running on a virtual clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "device/channel_reading.h"
#include "device/kline_framing.h"
#include "platform/d2xx/frames.h"
#include "platform/d2xx/loader.h"

namespace device_test {

using d2xx::Bytes;

// An interface stream of at least `size` bytes: good frames of every length (with stray 80 EE in
// their data), frames with a wrong checksum and noise between frames, made so that exactly the
// good frames are messages.
struct GeneratedStream {
    Bytes bytes;
    std::vector<Bytes> messages;
    // The stream as a capture description: a "kline" line per good frame, "raw" lines for the rest.
    std::string description;
};
GeneratedStream GenerateKlineStream(std::size_t size, std::uint32_t generatorStart);

// Moves every waiting message out of the ring, appending its data to `into`.
void TakeMessages(device::KlineMessageRing &ring, std::vector<Bytes> &into);

// Compares long message lists, naming the first message that differs instead of printing them all.
testing::AssertionResult SameMessages(const std::vector<Bytes> &actual, const std::vector<Bytes> &expected);

// Frames `bytes` by appending them in pieces of `piece` bytes, framing and draining after each.
std::vector<Bytes> FrameInPieces(const Bytes &bytes, std::size_t piece);

// The simulator library loaded, reset and running on a virtual clock that only sleeps move.
class SimulatorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    const d2xx::FtApi &Api() const { return library_.Api(); }
    // Adds a device of `kind`, opens it as the program does and returns the channel on it.
    device::DeviceChannel OpenDevice(int kind, int &dev);

private:
    d2xx::Library library_;
};

}  // namespace device_test
