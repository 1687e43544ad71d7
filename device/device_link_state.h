#pragma once
// Working state of the two device channels as the main window keeps it: the channels, their
// connection flags, the K-line byte buffer and message ring, the meter's byte and record rings,
// and the replay of a capture file (whose members the window sees through the base).
#include <cstdint>

#include "device/capture_replay.h"
#include "device/channel_reading.h"
#include "device/kline_framing.h"
#include "device/meter_framing.h"

namespace device {

struct DeviceLinkState : CaptureReplay {
    DeviceChannel KlineChannel;
    DeviceChannel TivarChannel;
    std::uint8_t KlineConnected = 0;
    std::uint8_t TivarConnected = 0;
    KlineByteRing KlineByteBuffer;
    KlineMessageRing KlinePacketRing;
    MeterByteRing TivarByteRing;
    MeterRecordRing TivarRecordRing;
};

}  // namespace device
