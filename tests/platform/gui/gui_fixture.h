#pragma once
// Shared set-up of the framework's tests: the virtual clock, recorded modal boxes answered by a
// scripted reply, and operator typing delivered as key events.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <vector>

#include "platform/gui/application.h"
#include "platform/runtime/clock.h"

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        runtime::UseVirtualClock(0);
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return reply;
        };
    }
    void TearDown() override {
        Application->ModalBoxResponder = nullptr;
        Application->FileDialogResponder = nullptr;
        Application->SetDesktopRect(std::nullopt);
        runtime::UseRealClock();
    }

    // Types text into a widget as the operator would, key by key.
    static void Type(QWidget *widget, const QString &text) {
        for (QChar c : text) {
            const int key = c == '\r' ? Qt::Key_Return : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }

    std::vector<TModalBox> boxes;
    int reply = IDOK;
};
