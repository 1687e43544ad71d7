#include "device/channel_opening.h"

#include <algorithm>

#include "platform/runtime/clock.h"

namespace device {

namespace {

constexpr std::uint8_t kIdentifyFirst = 0x02;
constexpr std::uint8_t kIdentifySecond = 0x0B;
constexpr std::uint8_t kAskVersion = 'D';
constexpr std::int64_t kIdentifyPauseMs = 10;

// Reads and drops what waits on the channel; the statuses are kept, not acted on.
void DropWaitingBytes(const d2xx::FtApi &api, DeviceChannel &channel) {
    channel.Status = api.FT_GetStatus(channel.Handle, &channel.RxQueued, &channel.TxQueued, &channel.EventStatus);
    if (channel.Status != FT_OK || channel.RxQueued == 0) return;
    const auto count = std::min(channel.RxQueued, static_cast<std::uint32_t>(channel.RxBuffer.size()));
    channel.Status = api.FT_Read(channel.Handle, channel.RxBuffer.data(), count, &channel.BytesRead);
    channel.BytesRead = 0;
}

Reply AwaitReply(const d2xx::FtApi &api, DeviceChannel &channel, std::uint32_t count) {
    Reply reply;
    reply.outcome = WaitForBytes(api, channel, count);
    if (reply.outcome == ReplyOutcome::Received)
        reply.text.assign(channel.RxBuffer.begin(), channel.RxBuffer.begin() + count);
    return reply;
}

}  // namespace

bool OpenChannel(const d2xx::FtApi &api, DeviceChannel &channel, std::uint32_t index) {
    FT_HANDLE handle = nullptr;
    channel.Status = api.FT_Open(static_cast<int>(index), &handle);
    if (channel.Status != FT_OK || handle == nullptr) return false;
    channel.Handle = handle;
    channel.Status = api.FT_SetTimeouts(handle, kChannelTimeoutMs, kChannelTimeoutMs);
    DropWaitingBytes(api, channel);
    return true;
}

void CloseChannel(const d2xx::FtApi &api, DeviceChannel &channel) {
    if (channel.Handle == nullptr) return;
    channel.Status = api.FT_Close(channel.Handle);
    channel.Handle = nullptr;
}

bool WriteChannelByte(const d2xx::FtApi &api, DeviceChannel &channel, std::uint8_t byte) {
    std::uint32_t written = 0;
    channel.Status = api.FT_Write(channel.Handle, &byte, 1, &written);
    return channel.Status == FT_OK;
}

ReplyOutcome WaitForBytes(const d2xx::FtApi &api, DeviceChannel &channel, std::uint32_t count, std::int64_t limitMs) {
    const auto capacity = static_cast<std::uint32_t>(channel.RxBuffer.size());
    count = std::min(count, capacity);
    channel.BytesRead = 0;
    const std::int64_t deadline = runtime::NowMs() + limitMs;
    for (;;) {
        channel.Status = api.FT_GetStatus(channel.Handle, &channel.RxQueued, &channel.TxQueued, &channel.EventStatus);
        if (channel.Status != FT_OK) return ReplyOutcome::LibraryFailed;
        const auto take = std::min(channel.RxQueued, capacity - channel.BytesRead);
        if (take > 0) {
            std::uint32_t got = 0;
            channel.Status = api.FT_Read(channel.Handle, channel.RxBuffer.data() + channel.BytesRead, take, &got);
            if (channel.Status != FT_OK) return ReplyOutcome::LibraryFailed;
            channel.BytesRead += std::min(got, take);
        }
        if (channel.BytesRead >= count) return ReplyOutcome::Received;
        if (runtime::NowMs() >= deadline) return ReplyOutcome::TimedOut;
        runtime::SleepMs(1);
    }
}

Reply ExchangeIdentification(const d2xx::FtApi &api, DeviceChannel &channel) {
    DropWaitingBytes(api, channel);
    WriteChannelByte(api, channel, kIdentifyFirst);
    runtime::SleepMs(kIdentifyPauseMs);
    if (!WriteChannelByte(api, channel, kIdentifySecond)) return {ReplyOutcome::LibraryFailed, {}};
    return AwaitReply(api, channel, kIdentificationBytes);
}

Reply AskVersion(const d2xx::FtApi &api, DeviceChannel &channel) {
    if (!WriteChannelByte(api, channel, kAskVersion)) return {ReplyOutcome::LibraryFailed, {}};
    return AwaitReply(api, channel, kVersionBytes);
}

}  // namespace device
