#include "platform/gui/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/gui/printer.h"

std::function<std::optional<QString>()> TPrintDialog::TestResponder;

bool TPrintDialog::Execute() {
    TPrinter &printer = *Printer();
    if (TestResponder) {
        const std::optional<QString> pdfFile = TestResponder();
        if (!pdfFile) return false;
        printer.UsePdfFile(*pdfFile, kTestDotsPerInch);
        return true;
    }
    QPrinter &qtPrinter = printer.QtPrinter();
    QPrintDialog dialog(&qtPrinter);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (qtPrinter.outputFormat() == QPrinter::PdfFormat)
        printer.UsePdfFile(qtPrinter.outputFileName(), qtPrinter.resolution());
    else
        printer.UseSystemPrinter();
    return true;
}
