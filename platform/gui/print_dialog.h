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

    // The document's name, and the PDF file offered when the output is a file: offered when the
    // last print went to a file or the machine has no printer, so that a new print never follows
    // an old file name into another folder.
    void SetDocument(const QString &name, const QString &pdfFile) {
        documentName_ = name;
        pdfFile_ = pdfFile;
    }
    QString OfferedFile() const { return pdfFile_; }

    // The resolution of the PDF files a responder's answer prints to.
    static constexpr int kTestDotsPerInch = 600;

private:
    QString documentName_;
    QString pdfFile_;
};
