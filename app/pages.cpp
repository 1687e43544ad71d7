// The pages of the main screen: which panels each page shows, the tariff layout it addresses, the
// test shown on the results and counters pages, and the page tabs.
#include "app/form1.h"
#include "app/page_panels.h"

namespace {

constexpr int kFirstTabIndex = 13;  // ButtonPanels 13..19 are the seven page tabs
constexpr int kTabCount = 7;

}  // namespace

void TForm1::PageFunction(int32_t page) {
    const shell::PageContext context{.procedureOn = Lit(Panel342),
                                     .ownFamily = MeterFamily != 0,
                                     .settingLit = Lit(Panel163),
                                     .calcModeS = Edit108->Text() == QStringLiteral("S")};
    const auto view = shell::PagePanels(page, context);
    if (!view) return;
    if (page == 0) JobListFull = 1;
    // The tariff pages always address the first layout; the results and counters pages only outside
    // the layout change procedure.
    if (page >= 1 && page <= 4 && !(page >= 3 && context.procedureOn)) {
        LayoutBase = 0;
        SetPaneleTaryf(MeterFamily, page, 1);
    }

    const std::array<std::vector<TControl *>, shell::kPagePanelCount> panels = {{
        {Panel241}, {Panel240}, {Panel242}, {Panel243}, {Panel244}, {Panel245}, {Panel289}, {Panel394},
        {Panel378}, {Panel344}, {Panel343}, {Label120},
        {TariffSelPanels.begin(), TariffSelPanels.end()}, {Panel126, Panel127}, {Panel8},
    }};
    for (int p = 0; p < shell::kPagePanelCount; ++p) {
        if ((*view)[p] == shell::Visibility::Keep) continue;
        for (TControl *control : panels[p]) control->SetVisible((*view)[p] == shell::Visibility::Show);
    }

    // The tariffs of the shown layout are made current one by one, ending on the first; a highlighted
    // first button is not the current one, so it is filled afresh.
    const auto refreshTariffs = [this](std::initializer_list<int> tariffs, bool highlightFirst = true) {
        if (highlightFirst) TariffSelPanels[*tariffs.begin()]->SetColor(clBtnShadow);
        for (int t : tariffs) UpdatePnelTaryf(t);
        UpdatePnelTaryf(*tariffs.begin());
    };
    switch (page) {
        case 1:
            refreshTariffs({0, 1, 2, 3});
            break;
        case 2:
            if (context.ownFamily) {
                LayoutBase = 8;
                refreshTariffs({0, 1, 2, 3}, false);
            } else {
                refreshTariffs({4, 5, 6, 7}, false);
            }
            break;
        case 3:
            if (context.procedureOn) break;
            Panel126->SetColor(clBtnShadow);
            FunctionCzas();
            refreshTariffs({0, 7});
            break;
        case 4:
            if (!context.procedureOn) {
                if (!context.calcModeS) FunctionDroga();
                refreshTariffs({0});
            }
            // After a distance test the counters belong to it, in the layout change procedure too.
            if (DistanceTestDone != 0) {
                FunctionDroga();
                refreshTariffs({0});
            }
            break;
    }
}

void TForm1::SelectTab(int32_t page) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        TPanel *panel = ButtonPanels[kFirstTabIndex + tab];
        const bool selected = tab == page;
        panel->SetColor(selected ? clWhite : clNavy);
        panel->Font().SetColor(selected ? clBlack : clWhite);
    }
}
