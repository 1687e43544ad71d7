#pragma once
// Working state of the two device channels as the main window keeps it: the channels, their
// connection flags, the K-line byte buffer and message ring, the meter's byte and record rings,
// the replay of a capture file and the readout's members (which the window sees through the bases).
#include <cstdint>

#include "device/capture_replay.h"
#include "device/channel_reading.h"
#include "device/kline_framing.h"
#include "device/meter_framing.h"
#include "device/readout_state.h"

namespace device {

struct DeviceLinkState : CaptureReplay, ReadoutState {
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
