#include "app/page_panels.h"

namespace shell {
namespace {

constexpr Visibility Shown(bool shown) { return shown ? Visibility::Show : Visibility::Hide; }

PageView AllHidden() {
    PageView view;
    view.fill(Visibility::Hide);
    return view;
}

}  // namespace

std::optional<PageView> PagePanels(int page, const PageContext &c) {
    if (page < 0 || page >= kPageCount) return std::nullopt;
    PageView v = AllHidden();
    switch (page) {
        case 0:
            v[kParamsPanel] = Visibility::Show;
            break;
        case 1:
        case 2:
            v[kChangeViewPanel] = Shown(c.procedureOn);
            v[kTariffChoiceLabel] = Shown(!c.procedureOn);
            v[kTariffButtons] = c.procedureOn ? Visibility::Hide : Visibility::Keep;
            // The own family shows its second layout on the first tariff panel.
            v[page == 2 && !c.ownFamily ? kTariffPanel2 : kTariffPanel1] = Visibility::Show;
            break;
        case 3:
            if (c.procedureOn) {
                v[kChangeSummaryPanel] = Visibility::Show;
            } else {
                v[kTestChoice] = Visibility::Show;
                v[kDeleteResults] = Shown(c.settingLit);
                v[kTariffChoiceLabel] = Visibility::Show;
                v[kTariffButtons] = Visibility::Keep;
                v[kResultsPanel] = Visibility::Show;
            }
            break;
        case 4:
            if (!c.procedureOn) {
                v[kTariffChoiceLabel] = Visibility::Show;
                v[kTestChoice] = Shown(c.calcModeS);
                v[kTariffButtons] = Visibility::Keep;
            } else {
                v[kTariffChoiceLabel] = Visibility::Keep;
                v[kTestChoice] = Visibility::Keep;
            }
            v[kCountersPanel] = Visibility::Show;
            break;
        case 5:
            v[kSealsPanel] = Visibility::Show;
            break;
        case 6:
            v[c.procedureOn ? kChangeInspectionPanel : kInspectionPanel] = Visibility::Show;
            break;
        case 7:
            v[kCoursePanel] = Visibility::Show;
            break;
    }
    return v;
}

}  // namespace shell
