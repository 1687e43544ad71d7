#pragma once
// The print dialog: offers the machine's printers and printing to a PDF file, and sets up the
// process's printer (Printer()) with the choice. Cancelling changes nothing.
#include <QString>
#include <functional>
#include <optional>

class TPrintDialog {
public:
    // True when the operator chose where to print.
    bool Execute();

    // For tests: when set, Execute asks it instead of showing the dialog. A file name accepts and
    // prints to PDF files of that name at 600 dpi with no margins; std::nullopt cancels.
    static std::function<std::optional<QString>()> TestResponder;
    static constexpr int kTestDotsPerInch = 600;
};
