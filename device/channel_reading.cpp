// Reading the waiting bytes of a device channel. Bytes are appended only when the read succeeded,
// and never more than were asked for.
#include "device/channel_reading.h"

#include <algorithm>
#include <span>

namespace device {

namespace {

// Reads as many of the waiting bytes as `receiver` has room for into the channel's reception
// buffer and appends them to it.
template <typename Receiver>
ReadResult ReadChannel(const d2xx::FtApi &api, DeviceChannel &channel, Receiver &receiver) {
    channel.BytesRead = 0;
    channel.Status = api.FT_GetStatus(channel.Handle, &channel.RxQueued, &channel.TxQueued, &channel.EventStatus);
    if (channel.Status != FT_OK) return ReadResult::Failed;
    if (channel.RxQueued == 0) return ReadResult::NothingWaiting;
    const auto count = std::min({channel.RxQueued, static_cast<std::uint32_t>(channel.RxBuffer.size()), receiver.Room()});
    if (count == 0) return ReadResult::Read;
    std::uint32_t got = 0;
    channel.Status = api.FT_Read(channel.Handle, channel.RxBuffer.data(), count, &got);
    if (channel.Status != FT_OK) return ReadResult::Failed;
    channel.BytesRead = std::min(got, count);
    receiver.Append(std::span<const std::uint8_t>(channel.RxBuffer.data(), channel.BytesRead));
    return ReadResult::Read;
}

}  // namespace

ReadResult ReadKlineBytes(const d2xx::FtApi &api, DeviceChannel &channel, KlineByteRing &buffer) {
    return ReadChannel(api, channel, buffer);
}

ReadResult ReadMeterBytes(const d2xx::FtApi &api, DeviceChannel &channel, MeterByteRing &ring) {
    return ReadChannel(api, channel, ring);
}

}  // namespace device
