#pragma once
// The one place where a planned page of the print run meets the window operation that draws it.
#include <QString>
#include <functional>

#include "platform/gui/canvas.h"
#include "printing/print_run_plan.h"

class TForm1;

namespace printing {

// Draws one page on the printer canvas with the base length m.
using PageOperation = std::function<void(TCanvas &canvas, int m)>;

// The drawing of a planned page, followed by SetPrintVerSoft where the run calls it.
PageOperation PageOperationOf(TForm1 &window, const PlannedPage &page);

}  // namespace printing
