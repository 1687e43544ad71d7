#pragma once
// The K-line channel's two rings for the K-line fuzzers: made once for the whole run, as the
// channel keeps them (fresh ones, a third of a megabyte, cost more than an input), and started
// anew for each use as a new connection starts them.
#include <memory>

#include "device/kline_framing.h"

struct KlineRings {
    device::KlineByteRing bytes;
    device::KlineMessageRing messages;
};

inline KlineRings &StartedKlineRings() {
    static const auto rings = std::make_unique<KlineRings>();
    rings->bytes.Reset();
    // Every push writes its whole slot, so the indexes alone start the message ring anew.
    rings->messages.WriteIndex = rings->messages.ReadIndex = 0;
    return *rings;
}
