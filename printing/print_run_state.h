#pragma once
// Working members of the print run. The main window inherits PrintRunState, so the pages read
// them by their plain names (PrintDevice, PrintScale, ...); the job's switches they read
// (MeterFamily, ApprovalRegime, CalcRelativeToK) are the window's own.
#include <QString>
#include <cstdint>

class TPrinter;

namespace printing {

struct PrintRunState {
    TPrinter *PrintDevice = nullptr;  // the printer of the current run
    float PrintScale = 1;             // 4961 / page width as the printer reports it before the run
    int PrintPageWidth = 0;           // page width in device pixels, re-read after each orientation change
    int PrintedTariffCount = 0;       // tested slots; annex B prints this + 1 as its page count
    QString PrintRunStatus;           // the documents the last run left out; empty when it printed all
};

}  // namespace printing
