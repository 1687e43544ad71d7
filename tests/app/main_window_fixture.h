#pragma once
// A main window created for one desktop size, headless, working in an empty folder of its own: the
// tables and text files the window makes are made there and never meet another test's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "app/form1.h"

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : previousDir_(QDir::currentPath()) { QDir::setCurrent(workDir.path()); }
    ~MainWindowTest() override {
        form.reset();
        QDir::setCurrent(previousDir_);
    }
    void TearDown() override { Application->SetDesktopRect(std::nullopt); }

    // Creates the window as the program does, on a desktop of the given size.
    TForm1 &Create(int width = 638, int height = 458) {
        gui::EnsureQtApplication();
        Application->SetDesktopRect(QRect(0, 0, width, height));
        form = CreateForm<TForm1>();
        return *form;
    }

    // Shows the window and waits for its first frame and the work that waits for it (the order of
    // Tab among the fields), as the officer sees the window before working in it.
    static void ShowAndWaitForFirstFrame(TForm &window) {
        bool painted = false;
        window.AfterNextPaint([&] { painted = true; });
        window.Show();
        for (int turn = 0; turn < 1000 && !painted; ++turn) QCoreApplication::processEvents();
        ASSERT_TRUE(painted);
    }

    QTemporaryDir workDir;
    std::unique_ptr<TForm1> form;

private:
    QString previousDir_;
};
