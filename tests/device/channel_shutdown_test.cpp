// Letting go of the channels at the end of the program: the interface hears 0x02 and is closed,
// the meter is closed, and a channel that is not connected is neither written to nor closed.
#include <gtest/gtest.h>

#include <memory>

#include "device/channel_shutdown.h"
#include "link_fixtures.h"
#include "platform/d2xx/sim_control.h"

namespace {

class ChannelShutdown : public device_test::SimulatorTest {};

TEST_F(ChannelShutdown, ClosesOnlyConnectedChannels) {
    struct Case {
        bool interface, meter;
    };
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
        sim_reset();
        auto link = std::make_unique<device::DeviceLinkState>();
        int interfaceDev = -1, meterDev = -1;
        link->KlineChannel = OpenDevice(SIM_KIND_INTERFACE, interfaceDev);
        link->TivarChannel = OpenDevice(SIM_KIND_METER, meterDev);
        link->KlineConnected = c.interface;
        link->TivarConnected = c.meter;
        sim_clear_written(interfaceDev);
        sim_clear_written(meterDev);

        device::CloseConnectedChannels(*link, Api());

        uint8_t written[4] = {};
        EXPECT_EQ(sim_written(interfaceDev, written, sizeof written), c.interface ? 1u : 0u);
        if (c.interface) EXPECT_EQ(written[0], 0x02);
        EXPECT_EQ(sim_written(meterDev, written, sizeof written), 0u);
        EXPECT_EQ(sim_is_open(interfaceDev) == 1, !c.interface);
        EXPECT_EQ(sim_is_open(meterDev) == 1, !c.meter);
        EXPECT_EQ(link->KlineConnected + link->TivarConnected, 0);
        EXPECT_EQ(sim_invalid_handle_calls(), 0u);
        // Closing again touches nothing.
        device::CloseConnectedChannels(*link, Api());
        EXPECT_EQ(sim_invalid_handle_calls(), 0u);
    }
}

}  // namespace
