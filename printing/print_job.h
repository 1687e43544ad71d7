#pragma once
// One printer job held open for a scope: begun at construction, ended by End, and aborted when
// the scope is left without End (an exception while drawing), so the printer is free again and
// no half-written file is left behind.
#include "platform/gui/printer.h"

namespace printing {

class PrintJobScope {
public:
    explicit PrintJobScope(TPrinter &printer) : printer_(printer) { printer_.BeginDoc(); }
    PrintJobScope(const PrintJobScope &) = delete;
    PrintJobScope &operator=(const PrintJobScope &) = delete;
    ~PrintJobScope() {
        if (printer_.Printing()) printer_.Abort();
    }

    void End() { printer_.EndDoc(); }

private:
    TPrinter &printer_;
};

}  // namespace printing
