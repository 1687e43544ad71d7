// Rows of the K-line dispatch and the computations on their bytes.
#include "device/kline_dispatch.h"

#include "platform/runtime/numbers.h"

namespace device {

std::string KlineMessage::Text(std::size_t k, std::size_t count) const {
    const std::span<const std::uint8_t> bytes = From(k);
    const std::size_t n = std::min(count, bytes.size());
    return std::string(reinterpret_cast<const char *>(bytes.data()), n);
}

namespace {

KlineRow Classify2E(const KlineMessage &m) {
    const std::uint8_t d2 = m.d(2);
    switch (m.d(1)) {
        case 0xF3: return KlineRow::PointResult;
        case 0xF1: return d2 == 0x9A ? KlineRow::InterfaceText : KlineRow::None;
        case 0xF7: return d2 == 0x80 ? KlineRow::TestSelection : KlineRow::TivarData;
        case 0xF6: return KlineRow::TariffSelect;
        case 0xF5:
            if (d2 == 0x01) return KlineRow::Status;
            return d2 == 0x02 ? KlineRow::GeneratorAccuracy : KlineRow::None;
        case 0xF9:
            switch (d2) {
                case 0x18: return KlineRow::StationConstant;
                case 0x08: return KlineRow::SlotDeviceByte;
                case 0x1D: return KlineRow::ThirdCounter;
                case 0x2C: return KlineRow::SetSpeed;
                case 0x1C: return KlineRow::SecondCounter;
                case 0x0B: return KlineRow::MeterDate;
                default: return KlineRow::None;
            }
        case 0xF2:
            switch (d2) {
                case 0x00: return KlineRow::NovitiusIdentity;
                case 0x15: return KlineRow::NovitiusCounters;
                case 0x14: return KlineRow::NovitiusTrip;
                case 0x16: return m.d(3) == 0 && m.d(4) == 0 ? KlineRow::ZtAccepted : KlineRow::None;
                case 0x17: return KlineRow::InterfaceId;
                case 0x18: return KlineRow::InterfaceVersion;
                default: return KlineRow::None;
            }
        case 0xF8: return KlineRow::NovitiusTariff;
        case 0xFD: return d2 == 0x0D ? KlineRow::FirstCounter : KlineRow::None;
        case 0xF4:
            if (d2 == 0x55) return KlineRow::ChangeBefore;
            return d2 == 0x75 ? KlineRow::ChangeAfter : KlineRow::None;
        case 0xE3:
            if (d2 == 0x01) return KlineRow::TotaliserTestStart;
            return d2 == 0x02 ? KlineRow::TotaliserDistance : KlineRow::TotaliserRecord;
        case 0xE7: return KlineRow::ZtResults;
        default: return KlineRow::None;
    }
}

}  // namespace

KlineRow ClassifyKlineMessage(const KlineMessage &m) {
    switch (m.d(0)) {
        case 0x2E: return m.size() >= 2 ? Classify2E(m) : KlineRow::None;
        case 0x2F:
            if (m.d(1) != 0xF7) return KlineRow::None;
            switch (m.d(2)) {
                case 0x80: return KlineRow::LayoutChangeBefore;
                case 0x81: return KlineRow::LayoutChangeAfter;
                case 0x82: return KlineRow::LayoutChangeMask;
                default: return KlineRow::None;
            }
        case 0x82: return m.size() >= 1 ? KlineRow::RunEnd : KlineRow::None;
        default: return KlineRow::None;
    }
}

TestSelection SelectTest(std::uint8_t layoutChoice, std::uint8_t index) {
    TestSelection s{index, index, 0};
    switch (layoutChoice) {
        case 1:
            s.TestTariffSel = static_cast<std::uint8_t>(s.TestTariffSel + 4);
            s.KlineModeFlags |= 0x10;
            break;
        case 2:
            s.ScheduledLayout = 8;
            s.KlineModeFlags |= 0x20;
            break;
        case 3:
            s.ScheduledLayout = 8;
            s.TestTariffSel = static_cast<std::uint8_t>(s.TestTariffSel + 4);
            s.KlineModeFlags |= 0x30;
            break;
        default: break;
    }
    return s;
}

StatusOutcome HandleStatus(const StatusInputs &in) {
    StatusOutcome out;
    out.InterfaceStatus = in.Status;
    out.CalcModeState = in.CalcModeState;
    out.VehicleResults = in.VehicleResults;
    out.LegPendingA = in.LegPendingA;
    // The results come in system S (state 1) or D (state 2); a calculation mode already set to the
    // other system refuses them, otherwise the mode takes the results' system.
    const int received = (in.Status & kStatusSystemD) == kStatusSystemD ? 2 : 1;
    const auto systemName = [](int state) { return std::string(state == 2 ? "D" : "S"); };
    if (in.CalcModeState == 3 - received) {
        out.Warning = {"Aktualny tryb obliczania '" + systemName(in.CalcModeState) + "'",
                       "Odebrane wyniki są w '" + systemName(received) + "'"};
        out.ResultsAccepted = 0;
        out.Edit108 = systemName(in.CalcModeState);
    } else {
        out.CalcModeState = static_cast<decltype(out.CalcModeState)>(received);
        out.ResultsAccepted = 1;
        out.Edit108 = systemName(received);
        out.KursSystem = static_cast<std::uint8_t>(systemName(received)[0]);
    }
    const bool resultsFromVehicle = (in.Status & kStatusResultsVehicle) != 0;
    out.CalcRelativeToK = in.VehicleResults == 1 && !resultsFromVehicle ? 1 : 0;
    out.CzasX10 = !in.RegimeZT && (in.Status & kStatusTimeX10) != 0 ? 1 : 0;
    if (in.LegPendingA == 0xFF) {
        if (resultsFromVehicle) {
            out.VehicleResults = 1;
            out.LegPendingA = 1;
            out.ResultsAccepted = 1;
        }
    } else if (in.LegPendingA == 1) {
        if (resultsFromVehicle) {
            out.VehicleResults = 1;
            out.ResultsAccepted = 1;
        } else if ((in.Status & kStatusFromVehicle) != 0) {
            out.Warning = {"Aktualny pomiar z pojazdu.", "a odebrane wyniki nie."};
            out.ResultsAccepted = 0;
        } else {
            out.ResultsAccepted = 1;
        }
    }
    return out;
}

std::string GeneratorAccuracy(const KlineMessage &message) {
    // The first character, then the sign, digits and points of the six characters.
    std::string text(1, static_cast<char>(message.d(3)));
    for (std::size_t n = 3; n <= 8; ++n) {
        const char c = static_cast<char>(message.d(n));
        if ((c >= '0' && c <= '9') || c == '+' || c == '-') text += c;
        else if (c == '.') text += FormatSettings.DecimalSeparator;
    }
    long double deviation = 0;
    if (text.size() < 3 || !TryStrToFloat(std::string_view(text).substr(2), deviation)) return "---";
    // Seconds per day into percent of a day.
    const float percent = static_cast<float>(deviation * (1.0L / 864));
    return text.substr(1, 1) + FloatToStrF(percent, 10, 6);
}

std::string ConvertCharBcd(std::uint8_t value) {
    return std::to_string(value >> 4) + std::to_string(value & 0x0F);
}

MeterDate DecodeMeterDate(const KlineMessage &m) {
    MeterDate date;
    date.Date = ConvertCharBcd(m.d(8)) + ConvertCharBcd(m.d(7)) + "-" + ConvertCharBcd(m.d(6)) + "-" +
                ConvertCharBcd(m.d(5));
    date.DateTime = date.Date + " / " + ConvertCharBcd(m.d(4)) + ":" + ConvertCharBcd(m.d(3));
    return date;
}

std::string GetChangeTar(std::uint8_t mask) {
    std::string text;
    for (int tariff = 0; tariff < 4; ++tariff) {
        if ((mask & (1 << (2 * tariff))) == 0) continue;
        if (!text.empty()) text += ',';
        text += static_cast<char>('1' + tariff);
    }
    return text;
}

}  // namespace device
