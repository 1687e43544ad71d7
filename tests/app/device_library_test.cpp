// Loading the device library from the main window's Timer5.
#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/app/shell_fixture.h"

namespace {

class DeviceLibraryTest : public ShellTest {};

TEST_F(DeviceLibraryTest, BothDeviceLibrariesLoadByNameAndStartTheScan) {
    for (const char *name : {device::kDeviceLibraryName, d2xx::kStationLibraryName, d2xx::kSimulatorLibraryName}) {
        TForm1 &w = Create();
        w.DeviceLibraryName = name;
        gui::AdvanceTime(299);
        EXPECT_EQ(w.DllLoaded, 0) << name;
        gui::AdvanceTime(1);
        EXPECT_EQ(w.DllLoaded, 1) << name;
        EXPECT_TRUE(w.FtdiDll.Loaded()) << name;
        EXPECT_FALSE(w.Timer5->Enabled()) << name;
        EXPECT_TRUE(w.Timer3->Enabled()) << name;
        TCloseAction action = caHide;
        w.FormClose(&w, action);
        EXPECT_FALSE(w.FtdiDll.Loaded()) << "closing the window unloads the library";
        form.reset();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DeviceLibraryTest, AMissingLibraryIsReportedOnceAndStopsTheDeviceTimers) {
    TForm1 &w = Create();
    w.DeviceLibraryName = "libd2xx_not_installed.so";
    w.Timer1->SetEnabled(true);
    w.Timer14->SetEnabled(true);
    gui::AdvanceTime(3000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "INFO");
    EXPECT_EQ(boxes[0].text, "Brak biblioteki ftd2xx.dll\n lub interfejs nie jest zainstalowany! ");
    EXPECT_EQ(boxes[0].flags, MB_OK);
    EXPECT_EQ(w.DllLoaded, 0);
    for (TTimer *timer : {w.Timer1, w.Timer3, w.Timer5, w.Timer14}) EXPECT_FALSE(timer->Enabled()) << timer->Name().toStdString();
}

}  // namespace
