#pragma once
// The printer object: one print job at a time between BeginDoc and EndDoc (or Abort), drawn on
// its canvas in device pixels with the origin at the top left of the printable area. Orientation
// may change inside a job; it applies from the next page on, and PageWidth and PageHeight always
// describe the page to come. Output goes to the printer chosen in the print dialog or to PDF
// files: the first job to the chosen file name, every later job to that name with "-2", "-3", ...
// before the extension, so that no job overwrites another.
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/gui/canvas.h"
#include "platform/runtime/errors.h"

class QPrinter;

enum TPrinterOrientation { poPortrait, poLandscape };

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

class TPrinter {
public:
    TPrinter();
    TPrinter(const TPrinter &) = delete;
    TPrinter &operator=(const TPrinter &) = delete;
    ~TPrinter();

    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Ends the job without finishing it; a PDF file of the job is removed.
    void Abort();
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }

    // The job's name (the title of a PDF file); taken at BeginDoc.
    QString Title() const { return title_; }
    void SetTitle(const QString &title) { title_ = title; }
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation orientation);
    int PageWidth() const;
    int PageHeight() const;
    int PixelsPerInch() const;

    TCanvas *Canvas() { return canvas_.get(); }

    // Output to PDF files (see above) on A4 paper with no margins, at the given resolution.
    void UsePdfFile(const QString &fileName, int dotsPerInch);
    // Output to the system printer that the Qt printer is set to.
    void UseSystemPrinter();
    QPrinter &QtPrinter() { return *printer_; }
    // The PDF files written since the output was last chosen, in order; none for a printer.
    const QStringList &WrittenFiles() const { return writtenFiles_; }

private:
    void CheckPrinting(bool printing) const;
    QString JobFileName() const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<gui::PainterCanvas> canvas_;
    QString title_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
    QString pdfFileName_;  // empty: a system printer
    int pdfJobs_ = 0;
    QStringList writtenFiles_;
};

// The process's printer.
TPrinter *Printer();
