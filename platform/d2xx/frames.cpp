#include "platform/d2xx/frames.h"

#include <numeric>

namespace d2xx {

Bytes EncodeKlineFrame(std::uint8_t source, std::span<const std::uint8_t> data) {
    Bytes frame{kKlineFormat, kKlineTarget, source, static_cast<std::uint8_t>(data.size())};
    frame.insert(frame.end(), data.begin(), data.end());
    const unsigned sum = std::accumulate(frame.begin(), frame.end(), 0u);
    frame.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    return frame;
}

Bytes EncodeMeterRecord(std::span<const std::uint8_t> payload) {
    Bytes record{kStx};
    record.insert(record.end(), payload.begin(), payload.end());
    record.push_back(kEtx);
    return record;
}

}  // namespace d2xx
