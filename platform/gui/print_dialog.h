#pragma once
// The print dialog: offers the machine's printers and printing to a PDF file, and sets up the
// process's printer (Printer()) with the choice. Cancelling changes nothing. Tests answer it through
// Application's PrintDialogResponder.
#include <QString>

#include "platform/gui/component.h"

class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(TComponent *owner = nullptr) : TComponent(owner) {}

    // True when the operator chose where to print.
    bool Execute();

    // The resolution of the PDF files a responder's answer prints to.
    static constexpr int kTestDotsPerInch = 600;
};
