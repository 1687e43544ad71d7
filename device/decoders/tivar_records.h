#pragma once
// The kinds of own-family data records and the field rules they share.
#include <cstdint>
#include <string>

#include "device/decoders/field_conversion.h"

namespace decoders {

enum class TivarRecordKind : uint8_t {
    None,            // ignored
    TariffPage,      // 'U1'..'U4'
    Identity,        // 'U0'
    Totalisers,      // 'UR': the counters readout
    ChangeCounters,  // 'UL'
    TotaliserRecord  // 'R' of the 2E E3 message
};

// `full` is true for the records of 2E F7 and false for those of 2E E3.
TivarRecordKind ClassifyTivarRecord(Bytes record, bool full);

// One field of an own-family record: position, width, mode, divisor, decimals.
struct TivarField {
    size_t position, width;
    uint8_t mode;
    float divisor;
    int decimals;
};

inline std::string ReadField(Bytes record, const TivarField &f) {
    return ConvertDataTivar(record, f.position, f.width, f.mode, f.divisor, f.decimals);
}

// An identity edit that the meter filled is locked, unless the field did not convert.
inline bool LockedByMeter(const std::string &text) {
    return text != kNoValue;
}

}  // namespace decoders
