#pragma once
// The process's printer made to print to a PDF file, as the print dialog does when the officer
// chooses one.
#include <gtest/gtest.h>

#include <QString>

#include "platform/gui/application.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/printer.h"

// The printer, its next job going to `pdf` in the given orientation.
inline TPrinter &PdfPrinter(const QString &pdf, TPrinterOrientation orientation = poPortrait) {
    gui::EnsureQtApplication();
    Application->PrintDialogResponder = [pdf] { return std::optional<QString>(pdf); };
    EXPECT_TRUE(TPrintDialog().Execute());
    Application->PrintDialogResponder = nullptr;
    TPrinter &printer = *Printer();
    printer.SetOrientation(orientation);
    return printer;
}
