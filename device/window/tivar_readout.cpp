// Own-family data records in the window: the tariff pages with their page captions and the end of
// the two-part readout, the identity and change-counter records, and the totaliser record of a
// test's start and end state.
#include "app/form1.h"
#include "device/decoders/identity_records.h"
#include "device/decoders/tariff_pages.h"
#include "device/decoders/tivar_records.h"
#include "device/decoders/totaliser_record.h"
#include "device/window/readout_texts.h"

namespace {

// Rows of TariffPanelEdits.
enum PanelRow : int { kOplP = 0, kOplD = 1, kOplC = 2, kDps = 3, kCps = 4, kSetSpeed = 5, kOpw = 6 };

using device_window::DeviceText;
using device_window::SetLocked;

TEdit *PanelEdit(TForm1 &w, int row, int column) { return w.TariffPanelEdits[8 * row + column]; }

// An identity edit the meter filled is locked, one it could not fill stays open for typing.
void SetFromMeter(TEdit *edit, const std::string &text) {
    edit->SetText(DeviceText(text));
    if (decoders::LockedByMeter(text)) edit->SetEnabled(false);
}

void TariffPage(TForm1 &w, const decoders::TariffPage &page) {
    const int pg = page.Page - 1;
    const bool change = w.ChangeProcedureOn();
    const uint8_t view = w.ZmianaView;
    w.TariffPageCode[pg] = static_cast<uint8_t>(page.PageCode);
    w.TariffPageCode2[pg] = static_cast<uint8_t>(page.PageCode);
    w.SetPageTivar();
    w.LayoutBase = page.LayoutBase;
    for (int t = 0; t < static_cast<int>(decoders::kPageTariffs); ++t) {
        const int c = page.FirstColumn + t;
        const decoders::TariffColumnTexts &column = page.Columns[t];
        w.UpdatePnelTaryf(c);
        if (t == 0) (page.FirstColumn == 0 ? w.Edit98 : w.Edit88)->SetText(DeviceText(page.JT));
        PanelEdit(w, kOplP, c)->SetText(DeviceText(column.OplP));
        PanelEdit(w, kDps, c)->SetText(DeviceText(column.Dps));
        PanelEdit(w, kCps, c)->SetText(DeviceText(column.Cps));
        PanelEdit(w, kOplD, c)->SetText(DeviceText(column.OplD));
        PanelEdit(w, kOplC, c)->SetText(DeviceText(column.OplC));
        w.TariffJdoplEdits[c]->SetText(DeviceText(column.Jdopl));
    }
    // The page's value gives the group's maximum surcharge and its dates the layout's validity: in
    // the change procedure those of the side read (start of group g at g, end at g + 4).
    if (change) {
        const tariffchange::ZuLayout side = w.Layout(view);
        side.maxSurcharge[static_cast<size_t>(pg)] = page.PageValueRemaining;
        side.validity[static_cast<size_t>(pg)] = page.Dates[0];
        side.validity[static_cast<size_t>(pg + 4)] = page.Dates[1];
        w.LayoutPageCodes[4 * view + pg] = static_cast<uint8_t>(page.PageCode);
    } else {
        w.GroupMaxSurcharge[static_cast<size_t>(pg)] = page.PageValueRemaining;
        w.TariffGroupTexts[pg] = {DeviceText(page.Dates[0]), DeviceText(page.Dates[1])};
    }
    if (page.GroupFlag && page.ActiveCount) {
        if (change) w.Layout(view).initialSegment[static_cast<size_t>(pg)] = *page.GroupFlag != 0 ? 1 : 0;
        else w.TariffGroupFlag[pg] = *page.GroupFlag;
        w.TariffPageActiveCount[pg] = *page.ActiveCount;
        for (int t = 0; t < static_cast<int>(decoders::kPageTariffs); ++t) {
            const int c = page.FirstColumn + t;
            const bool enabled = t < *page.ActiveCount;
            if (change) {
                w.Layout(view).enabled[static_cast<size_t>(w.LayoutBase + c)] = enabled ? 1 : 0;
            } else {
                w.TariffActivePanels[c]->SetColor(enabled ? clBlack : clWhite);
                w.TariffEnabledFlags[w.LayoutBase + c] = enabled ? 1 : 0;
            }
        }
    }
    // The fourth page completes a readout whose totalisers came first: the results are stored.
    if (page.Page == 4 && w.TivarReadoutStage == 1) {
        w.ResultsAccepted = 1;
        w.LayoutBase = w.ScheduledLayout;
        w.ZapiszWynikiFunkcja(w.TestTariffSel, 1);
        w.MidCounterStart = w.MidCounterEnd;
        w.TivarReadoutStage = 2;
    }
}

void Identity(TForm1 &w, const decoders::IdentityRecord &id) {
    if (id.Options) {
        const decoders::IdentityOptions &o = *id.Options;
        w.TrybFiskalny = DeviceText(o.TrybFiskalny);
        SetLocked(w.Edit12, o.Edit12);
        for (auto [panel, black] : {std::pair{w.Panel28, o.Panel28Black}, std::pair{w.Panel29, o.Panel29Black}}) {
            panel->SetColor(black ? clBlack : clWhite);
            panel->SetEnabled(false);
        }
        w.TivarOptionFlags = o.TivarOptionFlags;
    }
    SetFromMeter(w.Edit21, id.Edit21);
    SetFromMeter(w.Edit107, id.Edit107);
    SetFromMeter(w.Edit25, id.Edit25);
    w.Edit38->SetText(DeviceText(id.Edit38));
    w.Edit110->SetText(DeviceText(id.Edit110));
    w.Edit486->SetText(DeviceText(id.Edit486));
    w.Edit7->SetText(DeviceText(id.Edit7));
    SetLocked(w.Edit22, id.Edit22);
    SetLocked(w.Edit24, id.Edit24);
    SetLocked(w.Edit434, id.Edit434);
    w.NrBoczny = DeviceText(id.NrBoczny);
}

void ChangeCounters(TForm1 &w, const std::array<decoders::ChangeCounter, decoders::kChangeGroups> &groups) {
    const std::array<TEdit *, decoders::kChangeGroups> counts{w.Edit498, w.Edit499, w.Edit500, w.Edit501, w.Edit502};
    const std::array<TEdit *, decoders::kChangeGroups> times{w.Edit503, w.Edit504, w.Edit505, w.Edit506, w.Edit507};
    for (size_t g = 0; g < decoders::kChangeGroups; ++g) {
        counts[g]->SetText(DeviceText(groups[g].Count));
        times[g]->SetText(DeviceText(groups[g].Time));
    }
}

void TotaliserRecord(TForm1 &w, const decoders::TotaliserRecord &r) {
    const int count = r.TivarTariffCount;
    if (count != 0)
        for (int i = 0; i < 4; ++i) w.TariffActivePanels[i]->SetColor(i + 1 > count ? clWhite : clBlack);
    w.TivarTariffCount = r.TivarTariffCount;
    w.SetOwnMaker();
    w.Memo3->SetEnabled(false);
    w.Button3->SetEnabled(false);
    w.Edit352->SetText(DeviceText(r.Edit352));
    w.Edit98->SetText(DeviceText(r.Edit98));
    w.Edit99->SetText(DeviceText(r.Edit99));
    for (int t = 0; t < count && t < static_cast<int>(r.Tariffs.size()); ++t) {
        w.UpdatePnelTaryf(t);
        PanelEdit(w, kOplD, t)->SetText(DeviceText(r.Tariffs[t].OplD));
        PanelEdit(w, kOplC, t)->SetText(DeviceText(r.Tariffs[t].OplC));
        // The end state carries the test's set speed and the constant the test ran with.
        if (r.EndState) {
            PanelEdit(w, kSetSpeed, t)->SetText(w.Edit36->Text());
            w.Edit29->SetText(w.Edit107->Text());
        }
        if (t == 0) PanelEdit(w, kOpw, 0)->SetText(QStringLiteral("1,0"));
    }
    SetFromMeter(w.Edit107, r.Edit107);
    SetLocked(w.Edit20, r.Edit20);
    SetFromMeter(w.Edit21, r.Edit21);
    if (r.Edit23) SetLocked(w.Edit23, *r.Edit23);
    w.Edit100->SetText(DeviceText(r.Edit100));
    w.UpdatePnelTaryf(0);
    w.FunctionDroga();
    const int row = r.EndState ? 1 : 0;
    const std::array<std::pair<int, const std::string *>, 5> counters{
        {{1, &r.Counters.Counter1}, {0, &r.Counters.Counter0}, {5, &r.Counters.Counter5},
         {2, &r.Counters.Counter2}, {7, &r.Counters.Counter7}}};
    for (const auto &[counter, text] : counters) w.CounterEdits[8 * row + counter]->SetText(DeviceText(*text));
}

}  // namespace

void TForm1::GetDataTivar(std::span<const uint8_t> record, uint8_t, bool full) {
    switch (decoders::ClassifyTivarRecord(record, full)) {
        case decoders::TivarRecordKind::TariffPage:
            if (const auto page = decoders::DecodeTariffPage(record)) TariffPage(*this, *page);
            break;
        case decoders::TivarRecordKind::Identity:
            if (const auto id = decoders::DecodeIdentityRecord(record)) Identity(*this, *id);
            break;
        case decoders::TivarRecordKind::Totalisers: GetLicznikiMID(record, 0, 1); break;
        case decoders::TivarRecordKind::ChangeCounters:
            if (const auto groups = decoders::DecodeChangeCounters(record)) ChangeCounters(*this, *groups);
            break;
        case decoders::TivarRecordKind::TotaliserRecord:
            if (const auto r = decoders::DecodeTotaliserRecord(record, TivarReadoutFlag)) TotaliserRecord(*this, *r);
            break;
        case decoders::TivarRecordKind::None: break;
    }
}

void TForm1::SetPageTivar() {
    std::array<char, decoders::kTariffPages> codes{}, shown{};
    const bool change = ChangeProcedureOn();
    for (size_t k = 0; k < decoders::kTariffPages; ++k) {
        codes[k] = static_cast<char>(TariffPageCode[k]);
        shown[k] = static_cast<char>(change ? LayoutPageCodes[4 * ZmianaView + k] : TariffPageCode[k]);
    }
    const decoders::PageCaptions captions = decoders::SetPageTivar(codes, shown);
    Panel157->SetCaption(DeviceText(captions.Panel157));
    Panel158->SetCaption(DeviceText(captions.Panel158));
    for (size_t slot = 0; slot < ResultSlotPanels.size(); ++slot)
        ResultSlotPanels[slot]->SetCaption(DeviceText(captions.ResultSlotPanels[slot]));
}
