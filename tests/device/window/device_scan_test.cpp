// The window's device channels against the simulator, on the virtual clock the window's timers use.
#include <gtest/gtest.h>

#include <fstream>

#include "app/form1.h"
#include "device/channel_opening.h"
#include "platform/d2xx/sim_control.h"
#include "platform/runtime/clock.h"
#include "tests/device/link_fixtures.h"
#include "tests/device/window/window_link_fixture.h"

namespace {

using d2xx::Bytes;

Bytes Written(int dev) {
    Bytes bytes(sim_written(dev, nullptr, 0));
    sim_written(dev, bytes.data(), bytes.size());
    return bytes;
}

// The channels' framing, watched at the message ring: the dispatcher (Timer4) is kept off so that
// the tests take the framed messages themselves.
class DeviceScanTest : public WindowLinkTest {
protected:
    TForm1 &Start(const char *library = d2xx::kSimulatorLibraryName) {
        TForm1 &w = WindowLinkTest::Start(library);
        w.Timer4->SetEnabled(false);
        return w;
    }
    // Runs the window for `ms`, moving the framed messages out of the ring.
    void Run(TForm1 &w, int ms) {
        for (int t = 0; t < ms; t += 10) {
            gui::AdvanceTime(10);
            device_test::TakeMessages(w.KlinePacketRing, messages);
        }
    }
    std::vector<Bytes> messages;
};

TEST_F(DeviceScanTest, InterfaceAtZeroAndMeterAtOneConnectInTwoTicks) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    w.Panel162->SetColor(clWhite);  // "Leg." selected: the version is asked
    gui::AdvanceTime(500);
    EXPECT_EQ(w.Panel164->Color(), clGreen);
    EXPECT_EQ(w.Panel393->Color(), clRed) << "the meter waits for the next tick";
    EXPECT_EQ(Written(kline), (Bytes{0x02, 0x0B, 'D'}));
    EXPECT_EQ(w.Label155->Caption(), "SOFT:SIMV1.00");
    EXPECT_EQ(w.Edit14->Text(), "Interfejs USB-QM");
    EXPECT_EQ(w.Edit15->Text().size(), 10);
    EXPECT_FALSE(w.Edit14->Enabled());
    EXPECT_TRUE(w.Timer1->Enabled());
    EXPECT_TRUE(w.Timer3->Enabled());
    gui::AdvanceTime(500);
    EXPECT_EQ(w.Panel393->Color(), clGreen);
    EXPECT_EQ(Written(meter), (Bytes{0x02, 0x0B, 0x00, 0x02, 0x00, 0x00}));
    EXPECT_TRUE(w.Timer15->Enabled());
    EXPECT_FALSE(w.Timer3->Enabled()) << "both connected: the scan stops";
    EXPECT_EQ(sim_is_open(kline), 1);
    EXPECT_EQ(sim_is_open(meter), 1);
}

TEST_F(DeviceScanTest, AVersionThatDoesNotComeKeepsTheShownOneInsteadOfStaleBytes) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    sim_set_version(kline, nullptr, 0);
    TForm1 &w = Start();
    w.Panel163->SetColor(clWhite);
    w.Label155->SetCaption(QStringLiteral("SOFT:OLD"));
    gui::AdvanceTime(500);
    EXPECT_EQ(w.Panel164->Color(), clGreen);
    EXPECT_EQ(w.Label155->Caption(), "SOFT:OLD");
    EXPECT_EQ(w.Edit14->Text(), "Interfejs USB-QM");
}

TEST_F(DeviceScanTest, TheRunEndReidentifiesOnlyAConnectedInterface) {
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    gui::AdvanceTime(500);
    sim_clear_written(meter);
    w.Timer13->SetEnabled(true);
    gui::AdvanceTime(1000);
    EXPECT_EQ(Written(meter), Bytes{}) << "the meter is never probed through a closed interface handle";
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    gui::AdvanceTime(500);
    ASSERT_EQ(w.KlineConnected, 1);
    sim_clear_written(kline);
    w.Timer13->SetEnabled(true);
    gui::AdvanceTime(1000);
    const Bytes asked = Written(kline);
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(Bytes(asked.begin(), asked.begin() + 2), (Bytes{0x02, 0x0B}));
    EXPECT_EQ(w.Panel164->Color(), clGreen);
}

TEST_F(DeviceScanTest, ALoneMeterIsTakenInTheFirstTickWithoutModeFieldsTouched) {
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    gui::AdvanceTime(500);
    EXPECT_EQ(w.Panel393->Color(), clGreen);
    EXPECT_EQ(w.Panel164->Color(), clRed);
    EXPECT_EQ(sim_is_open(meter), 1);
    EXPECT_EQ(w.Edit14->Text(), "---");
    EXPECT_TRUE(w.Timer3->Enabled()) << "the interface is still looked for";
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.TivarConnected, 1);
    EXPECT_EQ(w.KlineConnected, 0);
}

TEST_F(DeviceScanTest, AShortReplyGivesUpWithinTheTimeBoundAndTheNextIndexIsTried) {
    const int shortReply = sim_add_device(SIM_KIND_INTERFACE);
    sim_set_reply_limit(shortReply, 9);
    const int kline = sim_add_device(SIM_KIND_PROGRAMMER);
    TForm1 &w = Start();
    const auto before = runtime::NowMs();
    gui::AdvanceTime(500);
    EXPECT_LT(runtime::NowMs() - before, 500 + 2 * device::kReplyWaitMs) << "the waits are bounded by time";
    EXPECT_EQ(sim_is_open(shortReply), 0);
    EXPECT_EQ(sim_is_open(kline), 1);
    EXPECT_EQ(w.Panel164->Color(), clGreen);
    // The meter pass retries the short device; neither is a meter.
    gui::AdvanceTime(500);
    EXPECT_EQ(sim_is_open(shortReply), 0);
    EXPECT_EQ(w.TivarConnected, 0);
    EXPECT_TRUE(w.Timer3->Enabled());
}

TEST_F(DeviceScanTest, UnpluggedChannelsTurnRedAndAreFoundAgainWhenReplugged) {
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    const int meter = sim_add_device(SIM_KIND_METER);
    TForm1 &w = Start();
    gui::AdvanceTime(1000);
    ASSERT_EQ(w.KlineConnected + w.TivarConnected, 2);
    sim_unplug(kline);
    sim_unplug(meter);
    gui::AdvanceTime(60);
    EXPECT_EQ(w.Panel164->Color(), clRed);
    EXPECT_EQ(w.Panel393->Color(), clRed);
    for (TTimer *timer : {w.Timer1, w.Timer2, w.Timer15, w.Timer16}) EXPECT_FALSE(timer->Enabled()) << timer->Name().toStdString();
    EXPECT_TRUE(w.Timer3->Enabled());
    EXPECT_EQ(sim_is_open(kline), 0);
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.Panel164->Color(), clRed) << "nothing to find while unplugged";
    sim_replug(kline);
    sim_replug(meter);
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.Panel164->Color(), clGreen);
    EXPECT_EQ(w.Panel393->Color(), clGreen);
    EXPECT_FALSE(w.Timer3->Enabled());
}

TEST_F(DeviceScanTest, AReplayedCaptureGivesTheMessagesOfTheLivePush) {
    const auto stream = device_test::GenerateKlineStream(20000, 7);
    const int kline = sim_add_device(SIM_KIND_INTERFACE);
    TForm1 &w = Start();
    gui::AdvanceTime(500);
    ASSERT_EQ(w.KlineConnected, 1);
    sim_push(kline, stream.bytes.data(), stream.bytes.size());
    Run(w, 4000);
    EXPECT_TRUE(device_test::SameMessages(messages, stream.messages));

    ChooseCapture(stream.bytes);
    messages.clear();
    w.StartCaptureReplay();
    Run(w, 100);
    EXPECT_FALSE(w.Timer1->Enabled()) << "live reading pauses during a replay";
    Run(w, 5000);
    EXPECT_TRUE(device_test::SameMessages(messages, stream.messages));
    EXPECT_FALSE(w.Timer8->Enabled());
    EXPECT_TRUE(w.Timer1->Enabled()) << "live reading resumes on the connected channel";
}

TEST_F(DeviceScanTest, StoppingAReplayAndReplayingWithoutTheLibraryAreSafe) {
    const auto stream = device_test::GenerateKlineStream(20000, 11);
    ChooseCapture(stream.bytes);
    TForm1 &w = Start("libd2xx_not_installed.so");
    ASSERT_EQ(w.DllLoaded, 0);
    w.StartCaptureReplay();
    Run(w, 200);
    w.StopCaptureReplay();
    EXPECT_FALSE(w.Timer8->Enabled());
    EXPECT_EQ(w.ReplayFile, nullptr);
    const auto stoppedAt = messages.size();
    EXPECT_GT(stoppedAt, 0u);
    EXPECT_LT(stoppedAt, stream.messages.size());
    Run(w, 500);
    EXPECT_EQ(messages.size(), stoppedAt) << "nothing more is fed after STOP";

    messages.clear();
    w.StartCaptureReplay();
    Run(w, 5000);
    EXPECT_TRUE(device_test::SameMessages(messages, stream.messages));
    EXPECT_FALSE(w.Timer1->Enabled()) << "no live reading without the library";
    EXPECT_EQ(boxes.size(), 1u) << "only the missing-library box";
}

}  // namespace
