#pragma once
// A main window on the virtual clock, in its own empty working directory, with message boxes
// recorded instead of shown.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "platform/runtime/clock.h"
#include "tests/app/main_window_fixture.h"

class ShellTest : public MainWindowTest {
protected:
    void SetUp() override {
        runtime::UseVirtualClock(0);
        previousDir = QDir::currentPath();
        ASSERT_TRUE(workDir.isValid());
        QDir::setCurrent(workDir.path());
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return IDOK;
        };
    }
    void TearDown() override {
        form.reset();
        Application->ModalBoxResponder = nullptr;
        QDir::setCurrent(previousDir);
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

    QTemporaryDir workDir;
    QString previousDir;
    std::vector<TModalBox> boxes;
};
