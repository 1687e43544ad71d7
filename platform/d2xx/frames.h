#pragma once
// Byte encodings of the two device streams: K-line frames of the measuring interface and STX/ETX
// records of the meter. Used to make capture files and to feed the simulator.
#include <cstdint>
#include <span>
#include <vector>

namespace d2xx {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kKlineFormat = 0x80;
inline constexpr std::uint8_t kKlineTarget = 0xEE;
inline constexpr std::size_t kKlineMaxData = 255;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::size_t kRecordMaxPayload = 254;

// 0x80 0xEE source length data... checksum, the checksum being the 8-bit sum of all bytes before
// it. The caller keeps data within kKlineMaxData bytes.
Bytes EncodeKlineFrame(std::uint8_t source, std::span<const std::uint8_t> data);

// 0x02 payload 0x03.
Bytes EncodeMeterRecord(std::span<const std::uint8_t> payload);

}  // namespace d2xx
