#include "device/decoders/totaliser_record.h"

#include "device/decoders/tivar_records.h"

namespace decoders {

namespace {

constexpr size_t kMaxTariffs = 4;

TotaliserCounters Counters(Bytes record) {
    TotaliserCounters c;
    const std::string unpaid = ReadField(record, {100, 6, kHexDigits, 10, 1});
    c.Counter1 = ReadField(record, {106, 6, kHexDigits, 10, 1});
    c.Counter0 = SumText(c.Counter1, unpaid);
    c.Counter5 = ReadField(record, {112, 6, kHexDigits, 1, 0});
    c.Counter2 = ReadField(record, {118, 8, kHexDigits, 1, 0});
    c.Counter7 = ReadField(record, {126, 6, kHexDigits, 1, 0});
    return c;
}

std::string TypeDesignation(Bytes record) {
    const std::string field = ReadField(record, {83, 5, kPlainText, 1, 0});
    if (!FieldPresent(record, 83, 5)) return field;
    return std::string(field.rbegin(), field.rend()) + " FISKALNY";
}

}  // namespace

std::optional<TotaliserRecord> DecodeTotaliserRecord(Bytes record, uint8_t &TivarReadoutFlag) {
    if (ClassifyTivarRecord(record, false) != TivarRecordKind::TotaliserRecord) return std::nullopt;
    TotaliserRecord r;
    if (record.size() > 1 && record[1] >= '1' && record[1] <= '4')
        r.TivarTariffCount = static_cast<uint8_t>(record[1] - '0');
    r.Edit352 = ReadField(record, {3, 8, kDecimalDigits, 100, 2});
    r.Edit98 = ReadField(record, {11, 6, kDecimalDigits, 100, 2});
    r.Edit99 = ReadField(record, {75, 4, kDecimalDigits, 100, 2});
    for (size_t t = 0; t < r.TivarTariffCount && t < kMaxTariffs; ++t)
        r.Tariffs.push_back({ReadField(record, {17 + 6 * t, 6, kHexDigits, 100, 2}),
                             ReadField(record, {41 + 8 * t, 8, kHexDigits, 100, 2})});
    r.Edit107 = ReadField(record, {79, 4, kHexDigits, 1, 0});
    r.Edit20 = TypeDesignation(record);
    r.Edit21 = ReadField(record, {88, 6, kDecimalDigits, 1, 0});
    if (const std::optional<int32_t> serial = TextToInt(r.Edit21))
        r.Edit23 = std::string(*serial > kMarkingSerialLimit ? kMarkingAboveLimit : kMarkingUpToLimit);
    r.Edit100 = ReadField(record, {94, 6, kDecimalDigits, 100, 2});
    r.EndState = TivarReadoutFlag != 0;
    TivarReadoutFlag = r.EndState ? 0 : 1;
    r.Counters = Counters(record);
    return r;
}

}  // namespace decoders
