#include "link_fixtures.h"

#include <algorithm>
#include <random>
#include <span>

#include "platform/d2xx/sim_control.h"

namespace device_test {

namespace {

// A byte that is never 0x80: noise and the bytes of bad frames can then never look like a header.
std::uint8_t NotFormatByte(std::mt19937 &random) {
    const auto b = static_cast<std::uint8_t>(random());
    return b == device::kKlineFormatByte ? 0x7F : b;
}

std::uint64_t virtualNow = 0;
std::uint64_t VirtualClock() {
    return virtualNow;
}
void VirtualSleep(std::uint32_t milliseconds) {
    virtualNow += milliseconds;
}

// "HH HH ...": bytes as the capture description writes them.
std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t b : bytes) text += {' ', kDigits[b >> 4], kDigits[b & 15]};
    return text;
}

// Adds raw bytes to the stream and its description.
void AddRaw(GeneratedStream &stream, std::span<const std::uint8_t> bytes) {
    stream.bytes.insert(stream.bytes.end(), bytes.begin(), bytes.end());
    stream.description += "raw" + Hex(bytes) + "\n";
}

}  // namespace

GeneratedStream GenerateKlineStream(std::size_t size, std::uint32_t generatorStart) {
    std::mt19937 random(generatorStart);
    GeneratedStream stream;
    while (stream.bytes.size() < size) {
        const auto kind = random() % 8;
        // Mostly short messages, as the interface sends them, some up to the longest.
        const std::size_t length = kind == 0 ? random() % 256 : random() % 24;
        Bytes data(length);
        if (kind == 1) {
            // A frame with a wrong checksum, dropped by the framer.
            for (auto &b : data) b = NotFormatByte(random);
            Bytes frame = d2xx::EncodeKlineFrame(NotFormatByte(random), data);
            frame.back() = static_cast<std::uint8_t>(frame.back() + 1);
            if (frame.back() == device::kKlineFormatByte) frame.back() = 0x81;
            AddRaw(stream, frame);
        } else {
            for (auto &b : data) b = static_cast<std::uint8_t>(random());
            if (length >= 2 && kind == 2) std::copy_n(Bytes{0x80, 0xEE}.begin(), 2, data.begin());
            const auto source = static_cast<std::uint8_t>(random());
            const Bytes frame = d2xx::EncodeKlineFrame(source, data);
            stream.bytes.insert(stream.bytes.end(), frame.begin(), frame.end());
            stream.description += "kline" + Hex(std::span(&source, 1)) + Hex(data) + "\n";
            stream.messages.push_back(data);
        }
        // Noise between frames: neither a format byte nor a target byte.
        Bytes noise(random() % 4);
        for (auto &b : noise) {
            b = NotFormatByte(random);
            if (b == device::kKlineTargetByte) b = 0x11;
        }
        if (!noise.empty()) AddRaw(stream, noise);
    }
    return stream;
}

void TakeMessages(device::KlineMessageRing &ring, std::vector<Bytes> &into) {
    for (; !ring.Empty(); ring.Pop()) {
        const auto data = device::KlineMessageData(ring.Front());
        into.emplace_back(data.begin(), data.end());
    }
}

testing::AssertionResult SameMessages(const std::vector<Bytes> &actual, const std::vector<Bytes> &expected) {
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << actual.size() << " messages instead of " << expected.size()
                                       << ", the first difference at message " << (a - actual.begin());
}

std::vector<Bytes> FrameInPieces(const Bytes &bytes, std::size_t piece) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    std::vector<Bytes> messages;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const auto count = std::min(piece, bytes.size() - at);
        EXPECT_EQ(buffer->Append(std::span(bytes).subspan(at, count)), count);
        device::FrameKlineMessages(*buffer, *ring);
        TakeMessages(*ring, messages);
    }
    return messages;
}

void SimulatorTest::SetUp() {
    ASSERT_TRUE(library_.Load(D2XX_SIM_LIBRARY)) << library_.Error();
    sim_reset();
    virtualNow = 1000;
    sim_set_clock(VirtualClock, VirtualSleep);
}

void SimulatorTest::TearDown() {
    EXPECT_EQ(sim_invalid_handle_calls(), 0u);
    sim_reset();
    sim_set_clock(nullptr, nullptr);
}

device::DeviceChannel SimulatorTest::OpenDevice(int kind, int &dev) {
    dev = sim_add_device(kind);
    device::DeviceChannel channel;
    EXPECT_EQ(Api().FT_Open(dev, &channel.Handle), FT_OK);
    EXPECT_EQ(Api().FT_SetTimeouts(channel.Handle, 10, 10), FT_OK);
    return channel;
}

}  // namespace device_test
