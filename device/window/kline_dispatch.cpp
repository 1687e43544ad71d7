// The K-line dispatch in the window: Timer4 takes every message the framer has put into the
// message ring and acts on it by its row (identity, status, counters, measuring points, readouts,
// the start and end of the measuring run).
#include <exception>

#include "app/form1.h"
#include "device/decoders/measuring_points.h"
#include "device/kline_dispatch.h"
#include "device/window/readout_texts.h"

namespace {

using device::KlineMessage;
using device::KlineRow;

using device_window::DeviceText;
using device_window::SetLocked;

// Opens the measuring-run screen and the verification mode; both tolerate being called again.
void RunStart(TForm1 &w) {
    w.TestPelgrivator(1);
    w.Legalizacja(1);
}

void ShowWarning(TForm1 &w, const std::pair<std::string, std::string> &warning) {
    w.Label121->SetCaption(QString::fromStdString(warning.first));
    w.Label122->SetCaption(QString::fromStdString(warning.second));
    w.Panel169->Show();
}

// 2E F3: a measuring point of the current test into the received pairs.
void PointResult(TForm1 &w, const KlineMessage &m) {
    const decoders::MeasuringPointInputs inputs{static_cast<int32_t>(w.StationConstK), w.InterfaceStatus,
                                                w.Edit108->Text().toStdString(), w.Edit107->Text().toStdString()};
    const decoders::MeasuringPointResult r = decoders::FunctionsSup(m.d(2) + 100, m.From(3), 0, inputs);
    if (r.TotalDistance) w.TotalDistance = *r.TotalDistance;
    if (!r.IsPoint) return;
    w.ResultsSystem = r.ResultsSystem;
    const size_t value = 2 * static_cast<size_t>(r.Row), number = value + 1;
    for (int array = 0; array < 4; ++array)
        if ((r.PointNumberArrays & (1 << array)) != 0) w.DeviceRowPairs[array][number] = r.PointNumber;
    if (r.Array3Value) w.DeviceRowPairs[2][value] = *r.Array3Value;
    if (r.Array4Value) w.DeviceRowPairs[3][value] = *r.Array4Value;
    if (r.DeviceRowDistance) w.DeviceRowDistance[r.Row] = *r.DeviceRowDistance;
    if (r.MeasuredValue) {
        w.DeviceRowPairs[0][value] = *r.MeasuredValue;
        w.DeviceRowPairs[1][value] = *r.MeasuredValue;
    }
}

void Status(TForm1 &w, const KlineMessage &m) {
    RunStart(w);
    const device::StatusOutcome s = device::HandleStatus(
        {m.d(3), w.CalcModeState, w.VehicleResults, w.LegPendingA[1], w.Panel13->Caption() == QStringLiteral("ZT")});
    w.InterfaceStatus = s.InterfaceStatus;
    w.CalcModeState = s.CalcModeState;
    w.ResultsAccepted = s.ResultsAccepted;
    if (s.KursSystem) w.KursSystem = *s.KursSystem;
    w.CalcRelativeToK = s.CalcRelativeToK;
    w.CzasX10 = s.CzasX10;
    w.Panel388->SetColor(s.CzasX10 != 0 ? clBlack : clWhite);
    w.VehicleResults = s.VehicleResults;
    w.LegPendingA[1] = s.LegPendingA;
    w.Edit108->SetText(QString::fromStdString(s.Edit108));
    if (s.Warning) ShowWarning(w, *s.Warning);
    w.Edit108->SetEnabled(false);
}

void GeneratorAccuracy(TForm1 &w, const KlineMessage &m) {
    const std::string accuracy = device::GeneratorAccuracy(m);
    SetLocked(w.Edit437, accuracy);
    w.ZmianaPending = 1;
    if (accuracy == "---") {
        w.CalcRelativeToK = 0;
        w.ZmianaPending = 0;
    }
}

void MeterDate(TForm1 &w, const KlineMessage &m) {
    const device::MeterDate date = device::DecodeMeterDate(m);
    for (TEdit *edit : {w.Edit485, w.Edit483, w.Edit484}) edit->SetText(QString::fromStdString(date.Date));
    w.MeterDateText = QString::fromStdString(date.DateTime);
}

void InterfaceId(TForm1 &w, const KlineMessage &m) {
    const std::string id = m.Text(3, 10);
    if (id.size() > 6 && id[6] == 'K') {
        SetLocked(w.Edit15, id);
        SetLocked(w.Edit14, "Interfejs USB-QM");
    }
    w.InterfaceIdReceived = 1;
}

// The "Z/U" panel of the layout-change procedure and its view label.
void ShowChangeView(TForm1 &w, uint8_t view) {
    w.Label423->SetCaption(view == 0 ? QStringLiteral("Przed zmianą") : QStringLiteral("Po zmianie"));
    w.ZmianaView = view;
}

void CentreChangeLabel(TForm1 &w) { TForm1::SetCenterPosition(w.Label423, w.Panel343); }

void LitChangePanel(TForm1 &w) {
    w.Panel342->SetColor(clWhite);
    w.Panel342->Font().SetColor(clBlack);
}

void ChangeBefore(TForm1 &w) {
    w.TestPelgrivator(1);
    LitChangePanel(w);
    ShowChangeView(w, 0);
    w.TestReturn = 1;
    w.Legalizacja(1);
    w.SetTaxiNovitius();
    w.SetPaneleTaryf(0, 0, 1);
    w.ZmianaUkladow(1);
    CentreChangeLabel(w);
}

void LayoutChangeBefore(TForm1 &w) {
    w.TestPelgrivator(1);
    w.Panel342->Show();
    LitChangePanel(w);
    ShowChangeView(w, 0);
    w.Panel162->SetColor(clInactiveCaptionText);
    w.TestReturn = 1;
    w.Legalizacja(1);
    w.ZmianaUkladow(1);
    w.MeterFamily = 0;
    w.SetTaxiTivar();
    w.SetPaneleTaryf(1, 0, 1);
    CentreChangeLabel(w);
}

void TotaliserTestStart(TForm1 &w) {
    w.SetTaxiNovitius();
    w.SetTaksometr(true);
    w.TivarReadoutFlag = 0;
    w.Panel162->SetColor(clInactiveCaptionText);
    w.Legalizacja(1);
    w.Panel37->SetEnabled(false);
    w.UsunWyniki();
    w.UsunLiczniki();
    w.UsunTaryfy();
}

void RunEnd(TForm1 &w) {
    w.Panel169->Hide();
    w.TestPelgrivator(0);
    if (w.ApprovalRegime == 0 && w.DistanceTestDone == 0) {
        w.ZapiszWynikiFunkcja(w.CurrentTariff, 0);
        w.EnableLiczniki(true);
        w.SetPanelAktywna(static_cast<int8_t>(w.CurrentTariff));
    }
    if (w.ChangeProcedureOn() || w.Edit108->Text() == QStringLiteral("S")) w.TivarReadoutStage = 0;
}

void Handle2E(TForm1 &w, const KlineMessage &m, KlineRow row) {
    const uint8_t length = static_cast<uint8_t>(m.size() >= 3 ? m.size() - 3 : 0);
    switch (row) {
        case KlineRow::PointResult:
            RunStart(w);
            PointResult(w, m);
            break;
        case KlineRow::InterfaceText: SetLocked(w.Edit28, m.Text(3)); break;
        case KlineRow::TestSelection: {
            RunStart(w);
            const device::TestSelection s = device::SelectTest(m.d(3), m.d(4));
            w.ScheduledLayout = s.ScheduledLayout;
            w.TestTariffSel = s.TestTariffSel;
            w.KlineModeFlags = s.KlineModeFlags;
            break;
        }
        case KlineRow::TivarData:
            RunStart(w);
            w.SetTaxiTivar();
            w.SetPaneleTaryf(1, 0, 1);
            w.GetDataTivar(m.From(3), 0, true);
            break;
        case KlineRow::TariffSelect:
            RunStart(w);
            w.CurrentTariff = (m.d(2) >> 4) & 7;
            w.UpdatePnelTaryf(w.CurrentTariff);
            break;
        case KlineRow::Status: Status(w, m); break;
        case KlineRow::GeneratorAccuracy: GeneratorAccuracy(w, m); break;
        case KlineRow::StationConstant:
            RunStart(w);
            w.StationConstK = m.Count24();
            break;
        case KlineRow::SlotDeviceByte:
            if ((w.InterfaceStatus & device::kStatusSlotByte) != 0 && w.TestTariffSel < 16 && w.MeterFamily == 1) {
                const int slot = w.TestTariffSel + w.ScheduledLayout;
                if (slot < 16) w.SlotDeviceByte[slot] = m.d(3);
            }
            break;
        case KlineRow::ThirdCounter:
            RunStart(w);
            w.LicznikiKeep[2] = m.Count24();
            w.VehicleResults = 1;
            break;
        case KlineRow::SetSpeed:
            RunStart(w);
            SetLocked(w.Edit36, decoders::BufToFloat(m.From(3), 0, 2, 2, 100));
            break;
        case KlineRow::SecondCounter:
            RunStart(w);
            w.LicznikiKeep[1] = m.Count24();
            break;
        case KlineRow::MeterDate: MeterDate(w, m); break;
        case KlineRow::NovitiusIdentity:
            w.SetTaxiNovitius();
            if (w.ApprovalRegime == 0) w.Panel162->SetColor(clInactiveCaptionText);
            RunStart(w);
            w.SetTaksometr(false);
            w.GetDataNovitius(m.From(3), length);
            break;
        case KlineRow::NovitiusCounters:
            w.SetTaxiNovitius();
            RunStart(w);
            w.GetLicznikiMID(m.From(3), length, 0);
            break;
        case KlineRow::NovitiusTrip:
            w.SetTaxiNovitius();
            RunStart(w);
            w.GetKursNovitius(m.From(3), length);
            break;
        case KlineRow::ZtAccepted:
            if (w.ApprovalRegime != 0) {
                w.Panel162->SetColor(clInactiveCaptionText);
                w.SetTaksometr(true);
                w.ResultsAccepted = 1;
            }
            RunStart(w);
            break;
        case KlineRow::InterfaceId: InterfaceId(w, m); break;
        case KlineRow::InterfaceVersion:
            w.Label155->SetCaption(QStringLiteral("SOFT:") + DeviceText(m.Text(3, 8)));
            break;
        case KlineRow::NovitiusTariff:
            w.SetTaxiNovitius();
            RunStart(w);
            w.GetTaryfyNovitius(m.From(3), length, m.d(2));
            break;
        case KlineRow::FirstCounter: w.LicznikiKeep[0] = m.d(3); break;
        case KlineRow::ChangeBefore: ChangeBefore(w); break;
        case KlineRow::ChangeAfter:
            ShowChangeView(w, 1);
            w.TestReturn = 1;
            CentreChangeLabel(w);
            break;
        case KlineRow::TotaliserTestStart:
            w.DistanceTestDone = 1;
            TotaliserTestStart(w);
            w.GetDataTivar(m.From(4), 0, false);
            break;
        case KlineRow::TotaliserDistance:
            w.DistanceTestDone = 1;
            w.GetDataTivar(m.From(4), 0, false);
            break;
        case KlineRow::TotaliserRecord: w.GetDataTivar(m.From(4), 0, false); break;
        case KlineRow::ZtResults:
            w.DistanceTestDone = 1;
            w.ZapiszWynikiZT(m.From(2));
            break;
        default: break;
    }
}

void HandleMessage(TForm1 &w, const KlineMessage &m) {
    const KlineRow row = device::ClassifyKlineMessage(m);
    switch (row) {
        case KlineRow::None: break;
        case KlineRow::LayoutChangeBefore: LayoutChangeBefore(w); break;
        case KlineRow::LayoutChangeAfter:
            ShowChangeView(w, 1);
            CentreChangeLabel(w);
            break;
        case KlineRow::LayoutChangeMask:
            w.ChangedTariffsMask = m.d(3);
            w.Edit8->SetText(QString::fromStdString(device::GetChangeTar(m.d(3))));
            break;
        case KlineRow::RunEnd: RunEnd(w); break;
        default: Handle2E(w, m, row); break;
    }
}

}  // namespace

void TForm1::Timer4Timer(TObject *) { TimerDecodePacketKline(); }

void TForm1::TimerDecodePacketKline() {
    const uint32_t end = KlinePacketRing.WriteIndex;
    while (KlinePacketRing.ReadIndex != end) {
        // The message leaves the ring before it is handled: one that fails is not handled again
        // and never holds up the messages behind it.
        const device::KlineSlot slot = KlinePacketRing.Front();
        KlinePacketRing.Pop();
        try {
            HandleMessage(*this, KlineMessage(slot));
        } catch (const std::exception &) {
            // What the message changed before the failure stays; the next message goes on.
        }
    }
}
