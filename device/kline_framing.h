#pragma once
// K-line framing of the interface channel: received bytes wait in a byte ring, the framer finds
// frames "80 EE src L data... sum" in them and stores the data of every frame whose 8-bit sum
// matches as one message in the message ring, from which the dispatcher takes them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/byte_ring.h"

namespace device {

inline constexpr std::uint8_t kKlineFormatByte = 0x80;
inline constexpr std::uint8_t kKlineTargetByte = 0xEE;

// Received bytes and the framer's state. Positions count bytes since the last reset.
struct KlineByteRing {
    ByteRing<65536> Ring;
    // Bytes the framer has taken.
    std::uint64_t ReadIndex = 0;
    // 0 hunting for a header, 1 collecting a frame.
    std::uint8_t FramerState = 0;
    // Position of the 0x80 of the frame being collected.
    std::uint64_t FrameStart = 0;
    // Bytes taken since the length byte, and the number that completes the frame (L + 1).
    std::uint32_t FrameCounter = 0;
    std::uint32_t ExpectedCount = 0;
    // The hunt never looks back before this position: the end of the last good frame, so a good
    // frame's own bytes never pass for the start of the next header.
    std::uint64_t HuntFloor = 0;

    // The oldest position the framer may still read: the frame being collected, or the look-back
    // of the header test.
    std::uint64_t KeptFrom() const;
    // Stores what fits of `bytes` without overwriting anything the framer still needs; returns
    // how many bytes were stored.
    std::size_t Append(std::span<const std::uint8_t> bytes) { return Ring.Append(bytes, KeptFrom()); }
    std::uint32_t Room() const { return Ring.Room(KeptFrom()); }
    // All bytes zero, both indexes and the framer at the start.
    void Reset();
};

// A message slot: byte 0 is L, bytes 1..L the frame's data (service byte at 1); the bytes after
// the data are zero, never left over from an earlier message.
using KlineSlot = std::array<std::uint8_t, 256>;

// The framed messages. Indexes are free-running; the slot is the index masked to the ring.
struct KlineMessageRing {
    static constexpr std::uint32_t kSlots = 1024;
    std::array<KlineSlot, kSlots> Slots{};
    std::uint32_t WriteIndex = 0;
    std::uint32_t ReadIndex = 0;

    bool Empty() const { return WriteIndex == ReadIndex; }
    bool Full() const { return WriteIndex - ReadIndex == kSlots; }
    // The oldest waiting message; only while not Empty().
    const KlineSlot &Front() const { return Slots[ReadIndex & (kSlots - 1)]; }
    void Pop() { ++ReadIndex; }
    // Stores L = data.size() (at most 255) and the data in the next slot; only while not Full().
    void Push(std::span<const std::uint8_t> data);
};

// The data bytes of a message slot (L of them).
inline std::span<const std::uint8_t> KlineMessageData(const KlineSlot &slot) {
    return std::span<const std::uint8_t>(slot).subspan(1, slot[0]);
}

// One framing step: takes every waiting byte and stores each good frame in `messages`. When the
// message ring is full the step stops before the next byte; the next step goes on from there.
void FrameKlineMessages(KlineByteRing &buffer, KlineMessageRing &messages);

}  // namespace device
