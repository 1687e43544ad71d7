#pragma once
// Working members of the print run. The main window inherits PrintRunState, so the pages read
// them by their plain names (PrintDevice, PrintScale, ...).
#include <cstdint>

class TPrinter;

namespace printing {

struct PrintRunState {
    TPrinter *PrintDevice = nullptr;  // the printer of the current run
    float PrintScale = 1;             // 4961 / page width as the printer reports it before the run
    int PrintPageWidth = 0;           // page width in device pixels, re-read after each orientation change
    int PrintedTariffCount = 0;       // tested slots; annex B prints this + 1 as its page count

    // The job's switches that the run and its pages read.
    std::uint8_t MeterFamily = 0;      // 1 own family, 0 NOVITIUS
    std::uint8_t ApprovalRegime = 1;   // 1 MID, 0 ZT
    std::uint8_t CalcRelativeToK = 0;  // results relative to the meter constant k
};

}  // namespace printing
