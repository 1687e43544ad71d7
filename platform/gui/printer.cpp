#include "platform/gui/printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

TPrinter::TPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      canvas_(std::make_unique<gui::PainterCanvas>(printer_.get(), false)) {}

TPrinter::~TPrinter() {
    if (printing_) Abort();
}

void TPrinter::CheckPrinting(bool printing) const {
    if (printing_ == printing) return;
    throw EPrinter(printing_ ? "Printing in progress" : "Printer is not currently printing");
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    printer_->setDocName(title_);
    if (!pdfFileName_.isEmpty()) printer_->setOutputFileName(JobFileName());
    if (!canvas_->Open()) {
        throw EPrinter(
            pdfFileName_.isEmpty()
                ? "The printer could not start the job"
                : QString("Cannot create file \"%1\"").arg(printer_->outputFileName()).toStdString());
    }
    if (!pdfFileName_.isEmpty()) {
        ++pdfJobs_;
        writtenFiles_.append(QFileInfo(printer_->outputFileName()).absoluteFilePath());
    }
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    printer_->newPage();
    ++pageNumber_;
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    canvas_->Close();
    printing_ = false;
}

void TPrinter::Abort() {
    CheckPrinting(true);
    printer_->abort();
    canvas_->Close();
    if (!pdfFileName_.isEmpty()) {
        QFile::remove(printer_->outputFileName());
        writtenFiles_.removeLast();
    }
    printing_ = false;
    aborted_ = true;
}

TPrinterOrientation TPrinter::Orientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    printer_->setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int TPrinter::PageWidth() const {
    return printer_->width();
}

int TPrinter::PageHeight() const {
    return printer_->height();
}

int TPrinter::PixelsPerInch() const {
    return printer_->resolution();
}

void TPrinter::UsePdfFile(const QString &fileName, int dotsPerInch) {
    CheckPrinting(false);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setResolution(dotsPerInch);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setFullPage(true);
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    pdfFileName_ = fileName;
    pdfJobs_ = 0;
    writtenFiles_.clear();
}

void TPrinter::UseSystemPrinter() {
    CheckPrinting(false);
    printer_->setFullPage(false);  // the origin is the corner of the printable area
    pdfFileName_.clear();
    writtenFiles_.clear();
}

QString TPrinter::JobFileName() const {
    if (pdfJobs_ == 0) return pdfFileName_;
    const QFileInfo file(pdfFileName_);
    const QString numbered = file.completeBaseName() + "-" + QString::number(pdfJobs_ + 1);
    return file.dir().filePath(file.suffix().isEmpty() ? numbered : numbered + "." + file.suffix());
}

TPrinter *Printer() {
    // Never destroyed: a Qt printer must not outlive the application object, which ends first.
    static TPrinter *printer = new TPrinter;
    return printer;
}
