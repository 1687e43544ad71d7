#pragma once
// Which panels of the main screen a page shows: a pure table of the eight pages, with the
// tariff-layout change procedure on or off.
#include <array>
#include <optional>

namespace shell {

inline constexpr int kPageCount = 8;

// The panels every page manages.
enum PagePanel : int {
    kParamsPanel,           // Panel241, general parameters
    kTariffPanel1,          // Panel240, first tariff panel
    kTariffPanel2,          // Panel242, second tariff panel
    kResultsPanel,          // Panel243, results grid
    kCountersPanel,         // Panel244
    kSealsPanel,            // Panel245
    kInspectionPanel,       // Panel289
    kCoursePanel,           // Panel394, live course display
    kChangeSummaryPanel,    // Panel378, summary of a layout change
    kChangeInspectionPanel, // Panel344, inspection items of a layout change
    kChangeViewPanel,       // Panel343, "Przed zmianą" / "Po zmianie"
    kTariffChoiceLabel,     // Label120 "WYBÓR TARYFY"
    kTariffButtons,         // the eight TariffSelPanels
    kTestChoice,            // Panel126 "czas" and Panel127 "droga"
    kDeleteResults,         // Panel8 "USUŃ wyniki"
    kPagePanelCount
};

enum class Visibility { Keep, Show, Hide };

struct PageContext {
    bool procedureOn = false;  // "Z/U" lit
    bool ownFamily = false;    // MeterFamily 1
    bool settingLit = false;   // "Ust." lit
    bool calcModeS = false;    // Edit108 reads "S"
};

using PageView = std::array<Visibility, kPagePanelCount>;

// The visibility of each managed panel on the page; nothing for a page outside 0..7. Panels that
// a page leaves to the tariff panel setter read Keep.
std::optional<PageView> PagePanels(int page, const PageContext &context);

}  // namespace shell
