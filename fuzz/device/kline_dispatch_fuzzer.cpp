// Any bytes as the stream of both device channels: framed into K-line messages and meter records,
// and every message sent down the window-less part of its dispatch row (the computed rows, then
// the decoder the row hands its bytes to, with the lengths the window passes); every record into
// one course store. Nothing may read outside a message or depend on bytes of an earlier one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/decoders/course_records.h"
#include "device/decoders/identity_records.h"
#include "device/decoders/measuring_points.h"
#include "device/decoders/mid_counters.h"
#include "device/decoders/novitius_text.h"
#include "device/decoders/tariff_pages.h"
#include "device/decoders/tivar_records.h"
#include "device/decoders/totaliser_record.h"
#include "device/kline_dispatch.h"
#include "device/meter_framing.h"
#include "fuzz/device/kline_rings.h"

namespace {

using device::KlineMessage;
using device::KlineRow;

// The members the computed rows carry from one message to the next.
struct DispatchModel {
    std::uint8_t CalcModeState = 0, VehicleResults = 0, LegPendingA = 0xFF, InterfaceStatus = 0;
    std::uint8_t TivarReadoutFlag = 0, TivarReadoutStage = 0, MidReadoutPending = 1, TestTariffSel = 0xFF;
};

void OwnFamilyRecord(DispatchModel &model, std::span<const std::uint8_t> record, bool full) {
    switch (decoders::ClassifyTivarRecord(record, full)) {
        case decoders::TivarRecordKind::TariffPage: decoders::DecodeTariffPage(record); break;
        case decoders::TivarRecordKind::Identity: decoders::DecodeIdentityRecord(record); break;
        case decoders::TivarRecordKind::ChangeCounters: decoders::DecodeChangeCounters(record); break;
        case decoders::TivarRecordKind::TotaliserRecord:
            decoders::DecodeTotaliserRecord(record, model.TivarReadoutFlag);
            break;
        case decoders::TivarRecordKind::Totalisers:
            if (const auto counters = decoders::DecodeOwnFamilyCounters(record)) {
                decoders::CountersOf(*counters);
                decoders::RegistersOf(*counters);
            }
            break;
        case decoders::TivarRecordKind::None: break;
    }
}

void NovitiusCounters(DispatchModel &model, std::span<const std::uint8_t> text) {
    const decoders::NovitiusLines lines(text);
    const decoders::CounterTexts readout = decoders::CountersOf(lines);
    decoders::RegistersOf(lines);
    const decoders::MidReadoutPlan plan = decoders::PlanMidReadout(
        {true, model.MidReadoutPending, model.TivarReadoutStage, 0, model.TestTariffSel, false, false, false});
    model.TivarReadoutStage = plan.TivarReadoutStage;
    model.MidReadoutPending = plan.EndRow ? plan.MidReadoutPending : 0;
    decoders::EndRow(readout, true, 0, readout);
}

void Dispatch(DispatchModel &model, const KlineMessage &m) {
    const std::span<const std::uint8_t> fromD3 = m.From(3);
    switch (device::ClassifyKlineMessage(m)) {
        case KlineRow::PointResult:
            decoders::FunctionsSup(m.d(2) + 100, fromD3, 0, {10000, model.InterfaceStatus, "D", "1000"});
            break;
        case KlineRow::TestSelection: model.TestTariffSel = device::SelectTest(m.d(3), m.d(4)).TestTariffSel; break;
        case KlineRow::TivarData: OwnFamilyRecord(model, fromD3, true); break;
        case KlineRow::Status: {
            const device::StatusOutcome s = device::HandleStatus(
                {m.d(3), model.CalcModeState, model.VehicleResults, model.LegPendingA, false});
            model.CalcModeState = s.CalcModeState;
            model.VehicleResults = s.VehicleResults;
            model.LegPendingA = s.LegPendingA;
            model.InterfaceStatus = s.InterfaceStatus;
            if (s.Edit108 != "S" && s.Edit108 != "D") std::abort();
            break;
        }
        case KlineRow::GeneratorAccuracy: device::GeneratorAccuracy(m); break;
        case KlineRow::MeterDate: device::DecodeMeterDate(m); break;
        case KlineRow::SetSpeed: decoders::BufToFloat(fromD3, 0, 2, 2, 100); break;
        case KlineRow::InterfaceId:
        case KlineRow::InterfaceVersion:
        case KlineRow::InterfaceText: m.Text(3, 10); break;
        case KlineRow::NovitiusIdentity: decoders::GetDataNovitius(fromD3); break;
        case KlineRow::NovitiusCounters: NovitiusCounters(model, fromD3); break;
        case KlineRow::NovitiusTrip: decoders::GetKursNovitius(fromD3); break;
        case KlineRow::NovitiusTariff: decoders::GetTaryfyNovitius(fromD3, m.d(2)); break;
        case KlineRow::TotaliserTestStart:
            model.TivarReadoutFlag = 0;
            OwnFamilyRecord(model, m.From(4), false);
            break;
        case KlineRow::TotaliserDistance:
        case KlineRow::TotaliserRecord: OwnFamilyRecord(model, m.From(4), false); break;
        case KlineRow::LayoutChangeMask: device::GetChangeTar(m.d(3)); break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::span<const std::uint8_t> stream(data, size);

    KlineRings &kline = StartedKlineRings();
    device::KlineByteRing &buffer = kline.bytes;
    device::KlineMessageRing &ring = kline.messages;
    DispatchModel model;
    for (std::size_t at = 0; at < stream.size() || buffer.ReadIndex != buffer.Ring.WriteIndex;) {
        at += buffer.Append(stream.subspan(at, std::min<std::size_t>(256, stream.size() - at)));
        device::FrameKlineMessages(buffer, ring);
        for (; !ring.Empty(); ring.Pop()) Dispatch(model, KlineMessage(ring.Front()));
    }

    device::MeterByteRing meterBytes;
    device::MeterRecordRing records;
    decoders::CourseStore store;
    const decoders::CourseContext context{{'A', 0, 'C', 'E'}, size > 0 ? data[0] : std::uint8_t{0}};
    for (std::size_t at = 0; at < stream.size() || meterBytes.ReadIndex != meterBytes.Ring.WriteIndex;) {
        at += meterBytes.Append(stream.subspan(at, std::min<std::size_t>(256, stream.size() - at)));
        device::FrameMeterRecords(meterBytes, records);
        for (; !records.Empty(); records.Pop()) decoders::GetDataTivarTIV(store, records.Front(), context);
    }
    return 0;
}
