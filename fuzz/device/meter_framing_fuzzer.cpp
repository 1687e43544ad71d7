// Any bytes through the meter framer: the first byte picks a reading piece size and how often the
// decoder takes records; the rest is the stream. The records must not depend on the pieces or on
// full rings, each holds 1 to 254 bytes with neither STX nor ETX, and every byte is taken in the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "device/meter_framing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Take(device::MeterRecordRing &records, std::vector<Bytes> &into) {
    for (; !records.Empty(); records.Pop()) {
        const auto record = records.Front();
        if (record.empty() || record.size() > device::kMeterMaxPayload) std::abort();
        for (const std::uint8_t b : record) {
            if (b == device::kMeterStx || b == device::kMeterEtx) std::abort();
        }
        into.emplace_back(record.begin(), record.end());
    }
}

std::vector<Bytes> Frame(std::span<const std::uint8_t> stream, std::size_t piece, unsigned takeEvery) {
    device::MeterByteRing bytes;
    device::MeterRecordRing records;
    std::vector<Bytes> received;
    std::size_t at = 0;
    for (unsigned step = 1; at < stream.size() || bytes.ReadIndex != bytes.Ring.WriteIndex; ++step) {
        at += bytes.Append(stream.subspan(at, std::min(piece, stream.size() - at)));
        device::FrameMeterRecords(bytes, records);
        if (step % takeEvery == 0 || records.Full()) Take(records, received);
        if (step > 10 * stream.size() + 100) std::abort();  // no progress
    }
    Take(records, received);
    return received;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t control = data[0];
    const std::span<const std::uint8_t> stream(data + 1, size - 1);
    const std::size_t piece = 1 + (control & 0x3F) * 9;
    const unsigned takeEvery = 1 + (control >> 6) * 3;
    if (Frame(stream, piece, takeEvery) != Frame(stream, 512, 1)) std::abort();
    return 0;
}
