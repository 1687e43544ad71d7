#pragma once
// A main window created for one desktop size, headless.
#include <gtest/gtest.h>

#include <memory>

#include "app/form1.h"

class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override { Application->SetDesktopRect(std::nullopt); }

    // Creates the window as the program does, on a desktop of the given size.
    TForm1 &Create(int width = 638, int height = 458) {
        gui::EnsureQtApplication();
        Application->SetDesktopRect(QRect(0, 0, width, height));
        form = CreateForm<TForm1>();
        return *form;
    }

    std::unique_ptr<TForm1> form;
};
