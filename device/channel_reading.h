#pragma once
// The reading steps of the two device channels: ask the device library how many bytes wait, read
// what the channel's reception buffer and the receiving ring can take, and append it.
#include <array>
#include <cstdint>

#include "device/kline_framing.h"
#include "device/meter_framing.h"
#include "platform/d2xx/loader.h"

namespace device {

// One device channel as the reading steps use it.
struct DeviceChannel {
    FT_HANDLE Handle = nullptr;
    // Result of the last library call on this channel.
    FT_STATUS Status = FT_OK;
    std::array<std::uint8_t, 256> RxBuffer{};
    std::uint32_t BytesRead = 0;
    // The three outputs of the status query.
    std::uint32_t RxQueued = 0;
    std::uint32_t TxQueued = 0;
    std::uint32_t EventStatus = 0;
};

enum class ReadResult {
    // A library call failed: the caller runs the channel's error routine.
    Failed,
    // No bytes were waiting.
    NothingWaiting,
    // Bytes were waiting; what the ring had room for was appended, the rest stays queued in the
    // device for a later step.
    Read,
};

// Reading step of the interface channel into the K-line byte buffer.
ReadResult ReadKlineBytes(const d2xx::FtApi &api, DeviceChannel &channel, KlineByteRing &buffer);
// Reading step of the meter channel into its byte ring.
ReadResult ReadMeterBytes(const d2xx::FtApi &api, DeviceChannel &channel, MeterByteRing &ring);

}  // namespace device
