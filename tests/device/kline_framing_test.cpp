// K-line framing: the frame cases, the hunt after good and bad frames, long streams across the
// ring's end, and full rings that stop and resume without losing a message.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/kline_framing.h"
#include "link_fixtures.h"

namespace {

using device_test::Bytes;

struct FramingCase {
    std::string name;
    std::vector<Bytes> pieces;  // appended one after the other, with a framing step after each
    std::vector<Bytes> messages;
};

std::vector<Bytes> FramePieces(const std::vector<Bytes> &pieces) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    std::vector<Bytes> messages;
    for (const Bytes &piece : pieces) {
        buffer->Append(piece);
        device::FrameKlineMessages(*buffer, *ring);
        device_test::TakeMessages(*ring, messages);
    }
    return messages;
}

TEST(KlineFraming, FramesAsTheCasesSay) {
    const std::vector<FramingCase> cases = {
        {"one data byte", {{0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E}}, {{0x2E}}},
        {"no data: the byte after the length is the sum", {{0x80, 0xEE, 0xF1, 0x00, 0x5F}}, {{}}},
        {"a frame over two reads", {{0x80, 0xEE, 0xF1}, {0x01, 0x2E, 0x8E}}, {{0x2E}}},
        {"one byte per read", {{0x80}, {0xEE}, {0xF1}, {0x01}, {0x2E}, {0x8E}}, {{0x2E}}},
        {"garbage before the header", {{0x00, 0x80, 0x12, 0xEE, 0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E}}, {{0x2E}}},
        {"a stray header inside the data starts no frame",
         {{0x80, 0xEE, 0xF1, 0x03, 0x80, 0xEE, 0x01, 0xD1}}, {{0x80, 0xEE, 0x01}}},
        {"a wrong sum drops the frame", {{0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8F}}, {}},
        // The bad frame's data end with 80 EE 01; with the hunt resumed inside the bad frame
        // these bytes and its checksum byte (01) are the header of a frame carrying 2E.
        {"the hunt resumes inside a bad frame",
         {{0x80, 0xEE, 0xF1, 0x03, 0x80, 0xEE, 0x01, 0x01, 0x2E, 0x9E}}, {{0x2E}}},
        // A frame cut short takes the next frame's first bytes for its own; its sum fails and the
        // next frame is still found.
        {"a frame cut short loses no good frame behind it",
         {{0x80, 0xEE, 0xF1, 0x08, 0x2E}, {0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E}, {0x80, 0xEE, 0xF1, 0x00, 0x5F}},
         {{0x2E}, {}}},
        // After a good frame the hunt starts behind it: its last bytes 80 EE must not pair with
        // the next frame's header (they would read 80 as a length and swallow the next frame).
        {"the hunt never looks back into a good frame",
         {{0x80, 0xEE, 0xFF, 0x01, 0x80, 0xEE}, {0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E}}, {{0x80}, {0x2E}}},
        {"two frames back to back",
         {{0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E, 0x80, 0xEE, 0xF1, 0x00, 0x5F}}, {{0x2E}, {}}},
    };
    for (const FramingCase &c : cases) EXPECT_EQ(FramePieces(c.pieces), c.messages) << c.name;
}

TEST(KlineFraming, SlotHoldsTheLengthAndNoBytesOfEarlierMessages) {
    const Bytes longData(200, 0x55);
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    // Both messages land in slot 0: the second, shorter one must not show the first one's bytes.
    for (const Bytes &data : {longData, Bytes{0x2E}}) {
        buffer->Append(d2xx::EncodeKlineFrame(0xF1, data));
        device::FrameKlineMessages(*buffer, *ring);
        ASSERT_FALSE(ring->Empty());
        ring->Pop();
        ring->ReadIndex = ring->WriteIndex = 0;
    }
    const device::KlineSlot &slot = ring->Slots[0];
    EXPECT_EQ(slot[0], 1);
    EXPECT_EQ(slot[1], 0x2E);
    for (std::size_t i = 2; i < slot.size(); ++i) ASSERT_EQ(slot[i], 0) << i;
}

TEST(KlineFraming, LongStreamAcrossTheRingsEndGivesEveryGoodFrame) {
    const auto stream = device_test::GenerateKlineStream(200 * 1024, 7);
    ASSERT_GT(stream.messages.size(), 1000u);
    for (const std::size_t piece : {1u, 97u, 256u, 4096u}) {
        EXPECT_TRUE(device_test::SameMessages(device_test::FrameInPieces(stream.bytes, piece), stream.messages)) << piece;
    }
}

TEST(KlineFraming, FullMessageRingStopsAndResumesLosingNothing) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    std::vector<Bytes> sent;
    for (int i = 0; i < 1100; ++i) {
        sent.push_back({0x2E, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)});
        ASSERT_EQ(buffer->Append(d2xx::EncodeKlineFrame(0xF1, sent.back())), 8u);
    }
    device::FrameKlineMessages(*buffer, *ring);
    EXPECT_TRUE(ring->Full());
    // A step on a full ring takes nothing.
    const auto readBefore = buffer->ReadIndex;
    device::FrameKlineMessages(*buffer, *ring);
    EXPECT_EQ(buffer->ReadIndex, readBefore);

    std::vector<Bytes> received;
    device_test::TakeMessages(*ring, received);
    device::FrameKlineMessages(*buffer, *ring);
    device_test::TakeMessages(*ring, received);
    EXPECT_EQ(received, sent);
}

TEST(KlineFraming, FullByteRingTakesOnlyWhatFitsAndKeepsTheFrameBeingCollected) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    const Bytes noise(buffer->Ring.kSize - 3, 0x11);
    EXPECT_EQ(buffer->Append(noise), noise.size());
    // Only three bytes fit: the start of a frame.
    const Bytes frame = d2xx::EncodeKlineFrame(0xF1, Bytes{0x2E, 0x01, 0x02});
    EXPECT_EQ(buffer->Append(frame), 3u);
    device::FrameKlineMessages(*buffer, *ring);
    // The hunt keeps the frame's start: three bytes of look-back plus what was not yet taken.
    EXPECT_EQ(buffer->Room(), buffer->Ring.kSize - 3);
    EXPECT_EQ(buffer->Append(std::span(frame).subspan(3)), frame.size() - 3);
    device::FrameKlineMessages(*buffer, *ring);
    std::vector<Bytes> received;
    device_test::TakeMessages(*ring, received);
    EXPECT_EQ(received, (std::vector<Bytes>{{0x2E, 0x01, 0x02}}));
}

TEST(KlineFraming, ResetStartsAgainFromAnEmptyBuffer) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    // Half a frame, then a reset: the rest alone is no frame, a whole frame afterwards is.
    buffer->Append(Bytes{0x80, 0xEE, 0xF1, 0x01});
    device::FrameKlineMessages(*buffer, *ring);
    buffer->Reset();
    buffer->Append(Bytes{0x2E, 0x8E, 0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E});
    device::FrameKlineMessages(*buffer, *ring);
    std::vector<Bytes> received;
    device_test::TakeMessages(*ring, received);
    EXPECT_EQ(received, (std::vector<Bytes>{{0x2E}}));
}

}  // namespace
