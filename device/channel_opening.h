#pragma once
// Opening, closing and the identification exchange of one device channel. A channel is open while
// its handle is set; closing clears the handle, so no call ever reaches a closed handle and a
// handle is never closed twice.
#include <cstdint>
#include <string>

#include "device/channel_reading.h"
#include "platform/d2xx/loader.h"

namespace device {

// How long a reply may take to arrive (a time, not a count of status queries).
inline constexpr std::int64_t kReplyWaitMs = 500;
// Read and write time-outs set on every opened channel.
inline constexpr std::uint32_t kChannelTimeoutMs = 10;
// Length of the identification reply and of the version reply; byte 6 of the identification
// names the device.
inline constexpr std::uint32_t kIdentificationBytes = 10;
inline constexpr std::uint32_t kVersionBytes = 8;
inline constexpr std::size_t kDeviceKindByte = 6;

// Opens the device at `index` on the channel, sets its time-outs and drops the bytes waiting on
// it. False (channel left closed) when the device does not open.
bool OpenChannel(const d2xx::FtApi &api, DeviceChannel &channel, std::uint32_t index);
// Closes the channel when it is open.
void CloseChannel(const d2xx::FtApi &api, DeviceChannel &channel);
// Writes one byte; false when the write failed.
bool WriteChannelByte(const d2xx::FtApi &api, DeviceChannel &channel, std::uint8_t byte);

enum class ReplyOutcome {
    Received,
    // A library call failed: the caller runs the channel's error routine.
    LibraryFailed,
    // Fewer bytes than asked came within kReplyWaitMs.
    TimedOut,
};

struct Reply {
    ReplyOutcome outcome = ReplyOutcome::TimedOut;
    // The reply's first bytes (as many as were asked for) as Latin-1 characters.
    std::string text;
};

// Collects bytes from the channel into its reception buffer, starting at its beginning, until at
// least `count` have come or `limitMs` passed. Never reads beyond the buffer.
ReplyOutcome WaitForBytes(const d2xx::FtApi &api, DeviceChannel &channel, std::uint32_t count,
                          std::int64_t limitMs = kReplyWaitMs);

// The identification exchange: drops waiting bytes, sends 0x02, pauses 10 ms, sends 0x0B and
// waits for the 10-byte reply.
Reply ExchangeIdentification(const d2xx::FtApi &api, DeviceChannel &channel);
// Asks the interface or the programmer for its 8-character software version ('D').
Reply AskVersion(const d2xx::FtApi &api, DeviceChannel &channel);

}  // namespace device
