#pragma once
// A main window whose device library is the simulator, both on the virtual clock the window's
// timers use; message boxes are recorded and the open dialog can be made to choose a capture file.
#include <gtest/gtest.h>

#include <fstream>

#include "app/form1.h"
#include "platform/d2xx/frames.h"
#include "platform/d2xx/sim_control.h"
#include "platform/runtime/clock.h"
#include "tests/app/main_window_fixture.h"
#include "tests/platform/d2xx/temporary_folder.h"

class WindowLinkTest : public MainWindowTest {
protected:
    void SetUp() override {
        runtime::UseVirtualClock(0);
        sim_reset();
        sim_set_clock(WindowClock, WindowSleep);
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return IDOK;
        };
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(sim_invalid_handle_calls(), 0u);
        sim_reset();
        sim_set_clock(nullptr, nullptr);
        Application->ModalBoxResponder = nullptr;
        Application->FileDialogResponder = nullptr;
        runtime::UseRealClock();
        MainWindowTest::TearDown();
    }
    // The window with the library loaded (Timer5 at 300 ms); the first scan comes 500 ms later.
    TForm1 &Start(const char *library = d2xx::kSimulatorLibraryName) {
        TForm1 &w = Create();
        w.DeviceLibraryName = library;
        gui::AdvanceTime(300);
        return w;
    }
    // Writes `bytes` as a capture file and makes the open dialog choose it.
    void ChooseCapture(const d2xx::Bytes &bytes) {
        const auto capture = folder.path() / "capture.bin";
        std::ofstream(capture, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        Application->FileDialogResponder = [capture](TOpenDialog &dialog) {
            dialog.SetFileName(QString::fromStdString(capture.string()));
            return true;
        };
    }
    d2xx_test::TemporaryFolder folder;
    std::vector<TModalBox> boxes;

private:
    static std::uint64_t WindowClock() { return static_cast<std::uint64_t>(runtime::NowMs()); }
    static void WindowSleep(std::uint32_t ms) { runtime::SleepMs(ms); }
};
