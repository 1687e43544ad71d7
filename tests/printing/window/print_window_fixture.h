#pragma once
// A main window on the virtual clock whose print dialog answers with a PDF file in a folder of
// the test's own.
#include <QTemporaryDir>
#include <string>

#include "platform/gui/gui_test_support.h"
#include "tests/app/shell_fixture.h"

class PrintWindowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        w = &Create();
        pdf = dir.filePath("run.pdf");
        Application->PrintDialogResponder = [this] { return std::optional<QString>(pdf); };
    }
    void TearDown() override {
        Application->PrintDialogResponder = nullptr;
        ShellTest::TearDown();
    }

    // What pdfinfo says of the file the dialog answered.
    std::string Info() const { return RunCommand("pdfinfo '" + pdf.toStdString() + "' 2>&1"); }

    TForm1 *w = nullptr;
    QTemporaryDir dir;
    QString pdf;
};
