#include "platform/gui/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/gui/application.h"
#include "platform/gui/printer.h"

bool TPrintDialog::Execute() {
    TPrinter &printer = *Printer();
    if (Application->PrintDialogResponder) {
        const std::optional<QString> pdfFile = Application->PrintDialogResponder();
        if (!pdfFile) return false;
        printer.UsePdfFile(*pdfFile, kTestDotsPerInch);
        return true;
    }
    QPrinter &qtPrinter = printer.QtPrinter();
    if (!documentName_.isEmpty()) qtPrinter.setDocName(documentName_);
    if (!pdfFile_.isEmpty() &&
        (qtPrinter.outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinterNames().isEmpty()))
        qtPrinter.setOutputFileName(pdfFile_);
    QPrintDialog dialog(&qtPrinter);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (qtPrinter.outputFormat() == QPrinter::PdfFormat)
        printer.UsePdfFile(qtPrinter.outputFileName(), qtPrinter.resolution());
    else
        printer.UseSystemPrinter();
    return true;
}
