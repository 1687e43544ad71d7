#include "device/decoders/identity_records.h"

#include "device/decoders/tivar_records.h"
#include "tariffchange/change_record.h"

namespace decoders {

namespace {

constexpr size_t kChangeTimeWidth = 12;

// A hexadecimal digit as the meters count it: '0'..'9', any other character c - 55 (8 bits).
uint8_t Nibble(uint8_t c) {
    return c >= '0' && c <= '9' ? static_cast<uint8_t>(c - '0') : static_cast<uint8_t>(c - 55);
}

IdentityOptions DecodeOptions(uint8_t v) {
    IdentityOptions o;
    o.TrybFiskalny = (v & 0x01) != 0 ? "TAK" : "NIE";
    o.Edit12 = (v & 0x80) != 0 ? "D" : "S";
    o.Panel28Black = (v & 0x10) != 0;
    o.Panel29Black = (v & 0x08) != 0;
    o.TivarOptionFlags = {static_cast<uint8_t>((v & 0x04) != 0), static_cast<uint8_t>((v & 0x02) != 0)};
    return o;
}

std::string Text(Bytes record, size_t position, size_t width) {
    return ReadField(record, {position, width, kPlainText, 1, 0});
}

}  // namespace

std::optional<IdentityRecord> DecodeIdentityRecord(Bytes record) {
    if (ClassifyTivarRecord(record, true) != TivarRecordKind::Identity) return std::nullopt;
    IdentityRecord r;
    if (FieldPresent(record, 2, 2))
        r.Options = DecodeOptions(static_cast<uint8_t>(Nibble(record[3]) << 4 | Nibble(record[2])));
    r.Edit21 = ReadField(record, {4, 6, kDecimalDigits, 1, 0});
    r.Edit107 = ReadField(record, {10, 4, kHexDigits, 1, 0});
    r.Edit25 = ReadField(record, {20, 2, kHexDigits, 1, 0});
    if (r.Edit25 == "0") r.Edit25 = "OSTATNIA AKTYWNA";
    r.Edit38 = Text(record, 42, 20);
    r.Edit110 = Text(record, 34, 8);
    r.Edit486 = Text(record, 80, 10);
    r.Edit7 = Text(record, 62, 17);
    r.Edit22 = FieldPresent(record, 90, 8) ? "20" + Text(record, 90, 8) : std::string(kNoValue);
    r.Edit24 = Text(record, 98, 8);
    r.Edit434 = Text(record, 106, 8);
    r.NrBoczny = Text(record, 26, 8);
    return r;
}

std::optional<std::array<ChangeCounter, kChangeGroups>> DecodeChangeCounters(Bytes record) {
    if (ClassifyTivarRecord(record, true) != TivarRecordKind::ChangeCounters) return std::nullopt;
    std::array<ChangeCounter, kChangeGroups> counters;
    for (size_t g = 0; g < kChangeGroups; ++g) {
        counters[g].Count = ReadField(record, {2 + 32 * g, 4, kHexDigits, 1, 0});
        // A time cut off by the end of the record is absent, like its count.
        const std::string time = Text(record, 22 + 32 * g, kChangeTimeWidth);
        counters[g].Time = time.size() == kChangeTimeWidth ? tariffchange::DecodeCzasZmiany(time) : std::string(kNoValue);
    }
    return counters;
}

}  // namespace decoders
