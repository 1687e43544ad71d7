// STX/ETX framing of the meter channel.
#include "device/meter_framing.h"

namespace device {

void MeterByteRing::Reset() {
    Ring.WriteIndex = 0;
    ReadIndex = 0;
}

std::span<const std::uint8_t> MeterRecordRing::Front() const {
    const std::uint32_t slot = ReadIndex & (kRecords - 1);
    return std::span<const std::uint8_t>(Records[slot]).first(Lengths[slot]);
}

namespace {

// Ends the record being collected; an empty one leaves no record.
void CloseRecord(MeterRecordRing &records) {
    if (records.Position == 0) return;
    records.Lengths[records.WriteIndex & (MeterRecordRing::kRecords - 1)] =
        static_cast<std::uint8_t>(records.Position);
    ++records.WriteIndex;
}

}  // namespace

void FrameMeterRecords(MeterByteRing &bytes, MeterRecordRing &records) {
    const std::uint64_t end = bytes.Ring.WriteIndex;
    while (bytes.ReadIndex != end && !records.Full()) {
        const std::uint8_t b = bytes.Ring.At(bytes.ReadIndex++);
        if (records.FramerState == 0) {
            if (b == kMeterStx) {
                records.FramerState = 1;
                records.Position = 0;
            }
            continue;
        }
        if (b == kMeterEtx || b == kMeterStx) {
            CloseRecord(records);
            records.FramerState = b == kMeterStx ? 1 : 0;
            records.Position = 0;
            continue;
        }
        if (records.Position == kMeterMaxPayload) {
            // One byte too many: the record is dropped and bytes up to the next STX are ignored.
            records.FramerState = 0;
            continue;
        }
        records.Records[records.WriteIndex & (MeterRecordRing::kRecords - 1)][records.Position++] = b;
    }
}

}  // namespace device
