// NOVITIUS text messages in the window: the identification, a tariff and a trip record.
#include "device/decoders/novitius_text.h"
#include "device/window/readout_texts.h"

namespace {

// Rows of TariffParamEdits.
enum ParamRow : int { kOplP = 0, kOplD = 1, kOplC = 2, kDps = 3, kCps = 4 };

using device_window::DeviceText;
using device_window::SetLocked;

TEdit *ParamEdit(TForm1 &w, int row, int tariff) { return w.TariffParamEdits[8 * row + tariff]; }

}  // namespace

decoders::NovitiusLines device_window::SplitNovitiusText(TForm1 &w, std::span<const uint8_t> data, uint8_t length) {
    decoders::NovitiusLines lines(MessageText(data, length));
    w.Memo7->Lines().Clear();
    for (size_t i = 0; i < lines.size(); ++i) w.Memo7->Lines().Add(DeviceText(lines[i]));
    return lines;
}

void TForm1::GetDataNovitius(std::span<const uint8_t> data, uint8_t length) {
    device_window::SplitNovitiusText(*this, data, length);
    const decoders::NovitiusIdentity id = decoders::GetDataNovitius(device_window::MessageText(data, length));
    LayoutBase = 0;
    UpdatePnelTaryf(0);
    for (int t = 0; t < 8; ++t) ParamEdit(*this, kOplP, t)->SetText(DeviceText(id.OplP));
    ParamEdit(*this, kOplP, 0)->SetEnabled(false);
    SetLocked(Edit98, id.JT);
    Edit88->SetText(DeviceText(id.JT));
    SetLocked(Edit100, id.Jdopl);
    Edit112->SetText(DeviceText(id.Jdopl));
    SetLocked(Edit107, id.Edit107);
    Edit110->SetText(DeviceText(id.Edit110));
    Edit20->SetText(DeviceText(id.Edit20));
    if (id.Preset) {
        SetLocked(Edit24, id.Preset->Edit24);
        SetLocked(Edit434, id.Preset->Edit434);
        SetLocked(Edit23, id.Preset->Edit23);
    }
    SetLocked(Edit21, id.Edit21);
    SetLocked(Edit25, id.Edit25);
    if (id.Edit12) Edit12->SetText(DeviceText(*id.Edit12));
    if (CalcModeState == 0) Edit108->SetText(Edit12->Text());
    Panel28->SetColor(clWhite);
    Panel29->SetColor(clWhite);
    Edit12->SetEnabled(false);
}

void TForm1::GetTaryfyNovitius(std::span<const uint8_t> data, uint8_t length, uint8_t tariff) {
    device_window::SplitNovitiusText(*this, data, length);
    const auto r = decoders::GetTaryfyNovitius(device_window::MessageText(data, length), tariff);
    if (!r) return;
    const int t = r->Tariff - 1;
    UpdatePnelTaryf(t);
    ParamEdit(*this, kOplD, t)->SetText(DeviceText(r->OplD));
    ParamEdit(*this, kOplC, t)->SetText(DeviceText(r->OplC));
    if (!ChangeProcedureOn()) {
        TariffEnabledFlags[t] = r->Enabled ? 1 : 0;
        TariffActivePanels[t]->SetColor(r->Enabled ? clBlack : clWhite);
    } else {
        Layout(ZmianaView).enabled[static_cast<size_t>(t)] = r->Enabled ? 1 : 0;
    }
    if (r->Cps) ParamEdit(*this, kCps, t)->SetText(DeviceText(*r->Cps));
    if (r->Dps) ParamEdit(*this, kDps, t)->SetText(DeviceText(*r->Dps));
}

void TForm1::GetKursNovitius(std::span<const uint8_t> data, uint8_t length) {
    device_window::SplitNovitiusText(*this, data, length);
    const decoders::NovitiusTrip trip = decoders::GetKursNovitius(device_window::MessageText(data, length));
    ZapiszWynikiFunkcja(trip.Tariff, 0);
    ApprovalRegime = 1;
}
