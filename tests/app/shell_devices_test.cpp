// The shell's commands and timers that reach the devices, on the simulator: the exit button lets the
// channels go, "Leg." identifies the interface again, and the re-identification after a run asks
// only when no identity arrived.
#include <QCoreApplication>

#include "app/process_end.h"
#include "platform/d2xx/sim_control.h"
#include "platform/runtime/clock.h"
#include "tests/app/shell_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint64_t WindowClock() { return static_cast<uint64_t>(runtime::NowMs()); }
void WindowSleep(uint32_t ms) { runtime::SleepMs(ms); }

Bytes Written(int dev) {
    Bytes bytes(sim_written(dev, nullptr, 0));
    sim_written(dev, bytes.data(), bytes.size());
    return bytes;
}

class ShellDevicesTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        sim_reset();
        sim_set_clock(WindowClock, WindowSleep);
        savedEnd_ = std::exchange(shell::EndProcess, [this](int code) { exits.push_back(code); });
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(sim_invalid_handle_calls(), 0u);
        sim_reset();
        sim_set_clock(nullptr, nullptr);
        shell::EndProcess = savedEnd_;
        ShellTest::TearDown();
    }
    // The window on the simulator library, after the scan has opened what is attached.
    TForm1 &Start() {
        TForm1 &w = Create();
        w.DeviceLibraryName = d2xx::kSimulatorLibraryName;
        gui::AdvanceTime(300 + 500 + 500);
        return w;
    }
    std::vector<int> exits;

private:
    std::function<void(int)> savedEnd_;
};

TEST_F(ShellDevicesTest, TheExitButtonSaysGoodbyeAndClosesOnlyOpenChannels) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    ASSERT_EQ(w.KlineConnected, 1);
    ASSERT_EQ(w.TivarConnected, 1);
    sim_clear_written(kline);
    sim_clear_written(meter);
    Press(w.Panel6);
    EXPECT_EQ(Written(kline), Bytes{0x02});
    EXPECT_EQ(Written(meter), Bytes{});
    EXPECT_EQ(sim_is_open(kline), 0);
    EXPECT_EQ(sim_is_open(meter), 0);
    EXPECT_FALSE(w.FtdiDll.Loaded());
    EXPECT_EQ(exits, std::vector<int>{0});
}

TEST_F(ShellDevicesTest, TheExitButtonWithOnlyTheMeterLeavesTheInterfaceHandleAlone) {
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    ASSERT_EQ(w.KlineConnected, 0);
    ASSERT_EQ(w.TivarConnected, 1);
    sim_clear_written(meter);
    Press(w.Panel6);
    EXPECT_EQ(Written(meter), Bytes{}) << "the goodbye goes to the interface only";
    EXPECT_EQ(sim_is_open(meter), 0);
    EXPECT_EQ(exits, std::vector<int>{0});
}

TEST_F(ShellDevicesTest, VerificationIdentifiesTheInterfaceAgain) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    TForm1 &w = Start();
    ASSERT_EQ(w.KlineConnected, 1);
    Press(w.Panel163);  // "Ust."
    sim_clear_written(kline);
    Press(w.Panel162);  // "Leg."
    const Bytes asked = Written(kline);
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(Bytes(asked.begin(), asked.begin() + 2), (Bytes{0x02, 0x0B}));
}

TEST_F(ShellDevicesTest, TheRunEndAsksOnlyWhenNoIdentityArrivedAndKeepsTheSerialFieldsState) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    TForm1 &w = Start();
    ASSERT_EQ(w.KlineConnected, 1);
    w.Edit21->SetEnabled(false);  // a meter's serial number filled from the device

    sim_clear_written(kline);
    w.InterfaceIdReceived = 1;
    w.Timer13->SetEnabled(true);
    gui::AdvanceTime(1000);
    EXPECT_EQ(Written(kline), Bytes{}) << "the identity arrived during the run";
    EXPECT_EQ(w.InterfaceIdReceived, 0);
    EXPECT_FALSE(w.Timer13->Enabled()) << "one shot";

    w.Timer13->SetEnabled(true);
    gui::AdvanceTime(1000);
    EXPECT_EQ(Written(kline), (Bytes{0x02, 0x0B, 'D'})) << "asked, the version included";
    EXPECT_FALSE(w.Edit21->Enabled()) << "the serial field's state comes back";
}

}  // namespace
