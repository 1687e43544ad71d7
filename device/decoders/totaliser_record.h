#pragma once
// The own-family totaliser record 'R' of the 2E E3 message: tariffs, identity and totalisers;
// successive records give the start and the end state of a test.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/decoders/field_conversion.h"

namespace decoders {

// Type-approval markings chosen by the serial number.
inline constexpr int32_t kMarkingSerialLimit = 28650;
inline constexpr std::string_view kMarkingAboveLimit = "ZT 17/2010";
inline constexpr std::string_view kMarkingUpToLimit = "ZT 9/2003";

struct TotaliserTariff {
    std::string OplD;  // fee per kilometre
    std::string OplC;  // fee per hour
};

// One row of the counters page: counters 0, 1, 2, 5 and 7.
struct TotaliserCounters {
    std::string Counter0;  // all kilometres: paid plus unpaid, 2 decimals
    std::string Counter1;  // paid kilometres
    std::string Counter2;  // tariff units
    std::string Counter5;  // trips
    std::string Counter7;  // surcharge units
};

struct TotaliserRecord {
    uint8_t TivarTariffCount = 0;          // 1..4, 0 when the digit is none of them
    std::string Edit352;                   // initial fee of tariff 1
    std::string Edit98;                    // tariff unit JT
    std::string Edit99;                    // tariff constant STC
    std::vector<TotaliserTariff> Tariffs;  // the first TivarTariffCount tariffs
    std::string Edit107;                   // constant k; locked unless "---"
    std::string Edit20;                    // type designation + " FISKALNY"
    std::string Edit21;                    // serial number; locked unless "---"
    std::optional<std::string> Edit23;     // type-approval marking; nothing when the serial is no integer
    std::string Edit100;                   // surcharge unit
    bool EndState = false;                 // the counters go to "Stan końcowy", else "Stan początkowy"
    TotaliserCounters Counters;
};

// Decodes an 'R' record and advances TivarReadoutFlag (0: this record is the start state);
// nothing, and the flag unchanged, for another record.
std::optional<TotaliserRecord> DecodeTotaliserRecord(Bytes record, uint8_t &TivarReadoutFlag);

}  // namespace decoders
