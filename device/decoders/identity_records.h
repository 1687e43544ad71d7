#pragma once
// Own-family identity record 'U0' and change-counter record 'UL'.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/decoders/field_conversion.h"

namespace decoders {

// The option byte of 'U0', bit by bit.
struct IdentityOptions {
    std::string TrybFiskalny;                   // "TAK" / "NIE" (0x01)
    std::string Edit12;                         // calculation system "D" / "S" (0x80)
    bool Panel28Black = false;                  // agreed price allowed (0x10)
    bool Panel29Black = false;                  // discount allowed (0x08)
    std::array<uint8_t, 2> TivarOptionFlags{};  // [0] from 0x04, [1] from 0x02
};

// The texts of 'U0', in the order the window writes them; Edit21, Edit107 and Edit25 are locked unless "---"
// (LockedByMeter), Edit12, Edit22, Edit24, Edit434 always.
struct IdentityRecord {
    std::optional<IdentityOptions> Options;  // nothing when the record ends before it
    std::string Edit21;                      // serial number
    std::string Edit107;                     // constant k [imp/km]
    std::string Edit25;                      // tariff in the cash register; "OSTATNIA AKTYWNA" for 0
    std::string Edit38;                      // vehicle make
    std::string Edit110;                     // registration number
    std::string Edit486;                     // tyre size
    std::string Edit7;                       // VIN
    std::string Edit22;                      // production date, "20" + the field
    std::string Edit24;                      // software version
    std::string Edit434;                     // checksum
    std::string NrBoczny;                    // side number
};

// Decodes a 'U0' record; nothing for another record.
std::optional<IdentityRecord> DecodeIdentityRecord(Bytes record);

inline constexpr size_t kChangeGroups = 5;  // general parameters and tariff layouts 1..4

struct ChangeCounter {
    std::string Count;  // Edit498 + g
    std::string Time;   // Edit503 + g: "20YY-MM-DD hh:mm:ss" or "---"
};

// Decodes a 'UL' record; nothing for another record.
std::optional<std::array<ChangeCounter, kChangeGroups>> DecodeChangeCounters(Bytes record);

}  // namespace decoders
