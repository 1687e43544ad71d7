#include "device/decoders/novitius_text.h"

#include "platform/runtime/numbers.h"

namespace decoders {

namespace {

constexpr int kNovitiusTariffs = 8;
constexpr int kTripTariffs = 8;  // 0..7

std::optional<ModelPreset> PresetOf(const std::string &typeDesignation) {
    if (typeDesignation == "Taxi e") return ModelPreset{"1.03", "A481", "PL 16 001/MI-007"};
    if (typeDesignation == "Txe") return ModelPreset{"1.00", "7FA7", "PL 20 001/MI-007"};
    return std::nullopt;
}

std::optional<std::string> CalculationSystem(const std::string &line) {
    if (line == "0" || line == "1") return "S";
    if (line == "2" || line == "3") return "D";
    return std::nullopt;
}

// The line's number times 0.001 in binary32, 3 decimals; nothing when it is no number.
std::optional<std::string> Thousandths(const std::string &line) {
    const std::optional<long double> value = TextToNumber(line);
    if (!value) return std::nullopt;
    return FormatValue(static_cast<float>(static_cast<float>(*value) * 0.001F), 3);
}

}  // namespace

NovitiusLines::NovitiusLines(Bytes text) {
    std::string pending;
    for (uint8_t c : text) {
        if (c == '\r') {
            lines_.push_back(std::move(pending));
            pending.clear();
        } else {
            pending += c == '.' ? ',' : static_cast<char>(c);
        }
    }
}

const std::string &NovitiusLines::operator[](size_t index) const {
    static const std::string empty;
    return index < lines_.size() ? lines_[index] : empty;
}

NovitiusIdentity GetDataNovitius(Bytes text) {
    const NovitiusLines lines(text);
    NovitiusIdentity id;
    id.OplP = lines[1];
    id.JT = lines[2];
    id.Jdopl = lines[3];
    id.Edit107 = lines[5];
    id.Edit110 = lines[7];
    id.Edit20 = lines[9];
    id.Preset = PresetOf(lines[9]);
    id.Edit21 = lines[10];
    id.Edit25 = lines[11] == "0" ? "OSTATNIA AKTYWNA" : lines[11];
    id.Edit12 = CalculationSystem(lines[15]);
    return id;
}

std::optional<NovitiusTariff> GetTaryfyNovitius(Bytes text, int tariff) {
    if (tariff < 1 || tariff > kNovitiusTariffs) return std::nullopt;
    const NovitiusLines lines(text);
    NovitiusTariff t;
    t.Tariff = tariff;
    t.OplD = lines[3];
    t.OplC = lines[4];
    t.Enabled = lines[5] != "0";
    t.Cps = Thousandths(lines[7]);
    t.Dps = Thousandths(lines[8]);
    return t;
}

NovitiusTrip GetKursNovitius(Bytes text) {
    const NovitiusLines lines(text);
    const std::optional<int32_t> tariff = TextToInt(lines[2]);
    NovitiusTrip trip;
    trip.Tariff = tariff && *tariff >= 0 && *tariff < kTripTariffs ? *tariff : 0;
    trip.TripTime = lines[4];
    return trip;
}

}  // namespace decoders
