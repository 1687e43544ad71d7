#pragma once
// Annex B, the results page of one tested slot: the identification block with the slot's tariff
// parameters and a QR code of the job's identity, the fee-from-time and fee-from-distance results
// with failed cells marked, the taximeter counters and, for calculation system D, the formulas.
#include <string>

#include "printing/annex_frame.h"

namespace printing {

// Where a QR symbol goes, in device pixels, and its module size.
struct SymbolPlace {
    int left = 0, top = 0, module = 0;
};

// The data of the page's QR code (code page 1250 bytes), before it is enciphered.
std::string ResultsCodeData(const AnnexJob &job);
SymbolPlace ResultsCodePlace(int m);

// Draws everything but the QR symbol.
void DrawResultsPage(TCanvas &canvas, int m, const AnnexJob &job, int pages, int page, int slot);

}  // namespace printing
