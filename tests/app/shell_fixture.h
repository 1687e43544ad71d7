#pragma once
// A main window on the virtual clock, with message boxes recorded instead of shown.
#include <QFile>
#include <vector>

#include "platform/runtime/clock.h"
#include "tests/app/main_window_fixture.h"

class ShellTest : public MainWindowTest {
protected:
    void SetUp() override {
        runtime::UseVirtualClock(0);
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return IDOK;
        };
    }
    void TearDown() override {
        form.reset();
        Application->ModalBoxResponder = nullptr;
        runtime::UseRealClock();
        MainWindowTest::TearDown();
    }

    // Writes a text file into the working directory, lines ending with CR LF.
    static void WriteFile(const QString &name, const QByteArray &bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A press on a panel, and the 200 ms until its queued command has run.
    static void Press(TPanel *panel) {
        panel->Click();
        gui::AdvanceTime(200);
    }

    std::vector<TModalBox> boxes;
};
