#pragma once
// The job's values that the annex B pages print, gathered from the main window.
#include "printing/annex_frame.h"

class TForm1;

namespace printing {

AnnexJob AnnexJobOf(TForm1 &window);

// Today's local date.
CalendarDate Today();

}  // namespace printing
