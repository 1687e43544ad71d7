#include "device/channel_shutdown.h"

#include "device/channel_opening.h"

namespace device {

void CloseConnectedChannels(DeviceLinkState &link, const d2xx::FtApi &api) {
    if (link.KlineConnected == 1) {
        unsigned char goodbye = 0x02;
        uint32_t written = 0;
        api.FT_Write(link.KlineChannel.Handle, &goodbye, 1, &written);
        CloseChannel(api, link.KlineChannel);
        link.KlineConnected = 0;
    }
    if (link.TivarConnected == 1) {
        CloseChannel(api, link.TivarChannel);
        link.TivarConnected = 0;
    }
}

}  // namespace device
