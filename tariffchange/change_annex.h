#pragma once
// The one-page landscape annex of the tariff-layout change procedure: the office and order header
// with the verdict, the taximeter's and the taxi's identification and settings, the tariff
// layouts before and after the change, the meter's change counters and registers, and a note on
// the inactive layouts. The page's QR code is drawn by the window.
#include <array>
#include <cstdint>
#include <string>

#include "printing/annex_frame.h"
#include "printing/annex_results.h"
#include "tariffchange/change_layout_state.h"

namespace tariffchange {

struct ChangeAnnexJob {
    // Texts of the window's edits and memos, family, options, dates (today and the reference of
    // the certificate's validity).
    printing::AnnexJob job;
    ChangeLayoutState *layouts = nullptr;
    // The code letters of the four layouts before (0..3) and after (4..7) the change; 0: none.
    std::array<std::uint8_t, 8> letters{};
    // While the procedure is on, a layout's activity follows the copy's own validity dates; else
    // the dates read for the job (start of group g at 2g, end at 2g + 1).
    bool procedureOn = false;
    std::array<std::string, 8> jobValidity;
    bool verdictNegative = false;
};

// Where the window draws the page's QR code, and the data it encodes (code page 1250 bytes).
printing::SymbolPlace ChangeAnnexCodePlace(int m);
std::string ChangeAnnexCodeData(const printing::AnnexJob &job);

// Draws everything but the QR symbol on a landscape canvas with base length m.
void DrawChangeAnnex(TCanvas &canvas, int m, const ChangeAnnexJob &annex);

}  // namespace tariffchange
