#include "device/decoders/tivar_records.h"

namespace decoders {

TivarRecordKind ClassifyTivarRecord(Bytes record, bool full) {
    if (!full)
        return !record.empty() && record[0] == 'R' ? TivarRecordKind::TotaliserRecord : TivarRecordKind::None;
    if (record.size() < 2 || (record[0] != 'U' && record[0] != 'u')) return TivarRecordKind::None;
    switch (record[1]) {
        case '1':
        case '2':
        case '3':
        case '4':
            return TivarRecordKind::TariffPage;
        case '0':
            return TivarRecordKind::Identity;
        case 'R':
            return TivarRecordKind::Totalisers;
        case 'L':
            return TivarRecordKind::ChangeCounters;
        default:
            return TivarRecordKind::None;
    }
}

}  // namespace decoders
