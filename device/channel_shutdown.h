#pragma once
// Letting go of the device channels when the program ends: the interface is told with the single
// byte 0x02, then each channel that is connected is closed. Channels that are not connected are
// never written to or closed, so a stale handle cannot reach a device another program opened.
#include "device/device_link_state.h"
#include "platform/d2xx/loader.h"

namespace device {

void CloseConnectedChannels(DeviceLinkState &link, const d2xx::FtApi &api);

}  // namespace device
