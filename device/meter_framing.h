#pragma once
// Framing of the meter channel: received bytes wait in a byte ring, the framer cuts them into
// records "02 payload 03" and keeps each record's payload with its length in the record ring,
// from which the course-record decoder takes them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/byte_ring.h"

namespace device {

inline constexpr std::uint8_t kMeterStx = 0x02;
inline constexpr std::uint8_t kMeterEtx = 0x03;
inline constexpr std::size_t kMeterMaxPayload = 254;

// Received bytes of the meter channel and the framer's read position.
struct MeterByteRing {
    ByteRing<512> Ring;
    std::uint64_t ReadIndex = 0;

    // Stores what fits of `bytes` without overwriting unread ones; returns how many were stored.
    std::size_t Append(std::span<const std::uint8_t> bytes) { return Ring.Append(bytes, ReadIndex); }
    std::uint32_t Room() const { return Ring.Room(ReadIndex); }
    // Both indexes to 0 (a new connection).
    void Reset();
};

// Complete records waiting for the decoder, and the record being collected.
struct MeterRecordRing {
    static constexpr std::uint32_t kRecords = 8;
    using Record = std::array<std::uint8_t, 256>;

    std::array<Record, kRecords> Records{};
    // Payload length of each record.
    std::array<std::uint8_t, kRecords> Lengths{};
    // 0 idle, 1 inside a record.
    std::uint8_t FramerState = 0;
    // Free-running record indexes; the record is the index masked to the ring. The record being
    // collected is the one at WriteIndex.
    std::uint32_t WriteIndex = 0;
    std::uint32_t ReadIndex = 0;
    // Bytes stored so far in the record being collected.
    std::uint32_t Position = 0;

    bool Empty() const { return WriteIndex == ReadIndex; }
    bool Full() const { return WriteIndex - ReadIndex == kRecords; }
    // The payload of the oldest waiting record; only while not Empty().
    std::span<const std::uint8_t> Front() const;
    void Pop() { ++ReadIndex; }
};

// One framing step: takes every waiting byte. A record ends at ETX or at the next STX; an empty
// record is ignored; one longer than kMeterMaxPayload is dropped up to the next STX. When the
// record ring is full the step stops before the next byte; the next step goes on from there.
void FrameMeterRecords(MeterByteRing &bytes, MeterRecordRing &records);

}  // namespace device
