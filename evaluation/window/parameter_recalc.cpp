// Carrying the operator's edits of the tariff page into the per-slot stores.
//
// Order of writes shared with the scanner intake and the job loader: values enter the stores, and
// the tariff screen shows them (UpdatePnelTaryf reloads the selected tariff's edits and the page's
// group edits from the stores before it evaluates). A job loader writes the stores, then calls
// UpdatePnelTaryf. Anything written into a parameter edit outside an evaluation or a reload (the
// operator's keys, the scanner intake) fires the edit's change handler, which puts the text into
// the edit's own store first, whichever tariff it belongs to, and then stores the selected tariff's
// page (PrzeliczWyniki). The evaluation's own writes run with RecalcGuard 0 and never reach a store
// through the handlers; and because under MID the evaluation shows the tariff constant STC as
// "---", the STC store is taken from the page only under ZT, so a loaded or scanned STC survives.
#include <algorithm>

#include "app/form1.h"

namespace {

// Elements of TariffParamEdits after the ten rows of eight: pairs (first page, second page) of
// JT, STC, JDOPŁ.
constexpr int kGroupEdits = 96;

}  // namespace

void TForm1::PrzeliczWyniki() {
    using namespace evaluation;
    if (RecalcGuard != 1) return;
    if (Edit108->Text() != QLatin1String("S") && Edit108->Text() != QLatin1String("D")) Edit108->SetText(QStringLiteral("S"));
    UpdateEdit(CurrentTariff, ShownTest());
    const int slot = LayoutBase + CurrentTariff;
    for (int row = kOplP; row <= kOpw; ++row)
        TariffParams[row][slot] = TariffPanelEdits[8 * row + CurrentTariff]->Text().toStdString();
    TariffJdoplaty[slot] = TariffJdoplEdits[CurrentTariff]->Text().toStdString();
    for (int t = 0; t < 8; ++t) {
        TariffEnabledFlags[LayoutBase + t] = TariffActivePanels[t]->Color() == clBlack ? 1 : 0;
        TariffCheckBoxes[t]->SetChecked(TariffCheckFlags[LayoutBase + t] != 0);
        for (int row = kVgp; row <= kCns; ++row)
            TariffSpeedParams[row][LayoutBase + t] = TariffParamEdits[8 * (kPageVgp + row) + t]->Text().toStdString();
    }
    const int page = CurrentTariff / 4;
    const int group = slot / 4;
    for (int row : {kJT, kSTC, kJDOPL})
        if (row != kSTC || ApprovalRegime == 0)
            TariffGroupUnits[row][group] = TariffParamEdits[kGroupEdits + 2 * row + page]->Text().toStdString();
    StalaStTaryf[slot] = Edit29->Text().toStdString();
}

// The store an edit of the tariff page (or Edit29) shows; nullptr for an edit without one.
std::string *TForm1::StoreOfTariffEdit(const TObject *edit) {
    using namespace evaluation;
    for (int t = 0; t < 8; ++t) {
        const int slot = LayoutBase + t;
        for (int row = kOplP; row <= kOpw; ++row)
            if (TariffPanelEdits[8 * row + t] == edit) return &TariffParams[row][slot];
        if (TariffJdoplEdits[t] == edit) return &TariffJdoplaty[slot];
    }
    for (int row : {kJT, kSTC, kJDOPL})
        for (int page = 0; page < 2; ++page)
            if (TariffParamEdits[kGroupEdits + 2 * row + page] == edit) return &TariffGroupUnits[row][LayoutBase / 4 + page];
    if (edit == Edit29) return &StalaStTaryf[LayoutBase + CurrentTariff];
    return nullptr;
}

// Shared by the tariff page's parameter edits: the edited value enters its store, the page is
// stored, then every tariff is selected in turn, which reloads each from the stores, ending on the
// tariff that was shown before.
void TForm1::Edit98Change(TObject *Sender) {
    if (StoreZmianaEdit()) return;
    if (RecalcGuard != 1) return;
    if (std::string *store = StoreOfTariffEdit(Sender)) *store = static_cast<TEdit *>(Sender)->Text().toStdString();
    PrzeliczWyniki();
    const int shown = CurrentTariff;
    for (int t = 0; t < 8; ++t) UpdatePnelTaryf(t);
    UpdatePnelTaryf(shown);
}

void TForm1::Edit40Change(TObject *Sender) {
    if (StoreZmianaEdit()) return;
    if (RecalcGuard != 1) return;
    if (std::string *store = StoreOfTariffEdit(Sender)) *store = static_cast<TEdit *>(Sender)->Text().toStdString();
    PrzeliczWyniki();
}

bool TForm1::CzySymulacjaBazy() const {
    return std::any_of(SlotTotalDistance.begin(), SlotTotalDistance.end(), [](float d) { return d != 0.0F; });
}
