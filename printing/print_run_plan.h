#pragma once
// The order of the pages of one print run: a landscape job for the measurement-error annex B and
// a portrait job for the other documents, worked out from the options screen's choices alone.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/gui/printer.h"

namespace printing {

enum class PageKind {
    ChangeAnnex,          // the tariff-layout change annex, "1/1"
    AnnexBFirstTivar,     // annex B, first page, own family
    AnnexBFirstNovitius,  // annex B, first page, NOVITIUS family
    AnnexBResults,        // annex B, the results page of one slot
    ChangeProtocol,       // the protocol of the tariff-layout change
    CheckProtocol,        // the check protocol
    CourseAnnex,          // annex C
    InspectionAnnex,      // annex A
    Certificate,          // the certificate
    TariffAnnex,          // the certificate's tariff-layout annex, plain form
    TariffAnnexMid        // the same with QR codes
};

struct PlannedPage {
    PageKind kind;
    int pages = 0;  // the page count printed on annex B pages
    int page = 0;
    int slot = -1;           // annex B results pages: the slot 0..15
    bool secondSet = false;  // drawn with VehicleResults cleared (the base-run set)
    bool baseRun = false;    // the results page of the second set (PrintBaseRun = 1)
};

struct PlannedJob {
    TPrinterOrientation orientation = poPortrait;
    std::vector<PlannedPage> pages;  // empty: the job is not begun
};

// The tick boxes of the options screen (true = black = chosen) and the job's switches.
struct PrintChoices {
    bool annexB = false;             // Panel246
    bool protocol = false;           // Panel247
    bool courseAnnex = false;        // Panel405
    bool inspectionAnnex = false;    // Panel248
    bool certificate = false;        // Panel249
    bool tariffAnnex = false;        // Panel250
    bool secondSetOnBase = false;    // Panel410 white
    bool changeProcedureOn = false;  // Panel342 white
    std::uint8_t meterFamily = 0;    // 1 own family, 0 NOVITIUS
    bool relativeToK = false;        // CalcRelativeToK
};

// The slots whose test mark is set, ascending.
std::vector<int> TestedSlots(const std::array<bool, 16> &marked);

// Always two jobs, landscape first then portrait, so that the printer ends in portrait. With
// results relative to k and no tested slot, no results page is printed and no second set.
std::vector<PlannedJob> PlanPrintRun(const PrintChoices &choices, const std::vector<int> &testedSlots);

}  // namespace printing
