// Any bytes through the K-line framer: the first byte picks a reading piece size and how often the
// dispatcher empties the message ring; the rest is the stream, repeated past the ring's end when
// asked. The messages must not depend on the pieces or on full rings, every slot holds its length
// and zeros after the data, and every byte is taken in the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "device/kline_framing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Take(device::KlineMessageRing &ring, std::vector<Bytes> &into) {
    for (; !ring.Empty(); ring.Pop()) {
        const device::KlineSlot &slot = ring.Front();
        for (std::size_t i = 1u + slot[0]; i < slot.size(); ++i) {
            if (slot[i] != 0) std::abort();
        }
        const auto data = device::KlineMessageData(slot);
        into.emplace_back(data.begin(), data.end());
    }
}

// Appends the stream in pieces of `piece` bytes as far as there is room, framing after each, and
// empties the message ring every `drainEvery` steps.
std::vector<Bytes> Frame(std::span<const std::uint8_t> stream, std::size_t piece, unsigned drainEvery) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    std::vector<Bytes> messages;
    std::size_t at = 0;
    for (unsigned step = 1; at < stream.size() || buffer->ReadIndex != buffer->Ring.WriteIndex; ++step) {
        at += buffer->Append(stream.subspan(at, std::min(piece, stream.size() - at)));
        device::FrameKlineMessages(*buffer, *ring);
        if (step % drainEvery == 0 || ring->Full()) Take(*ring, messages);
        if (step > 10 * stream.size() + 100) std::abort();  // no progress
    }
    Take(*ring, messages);
    return messages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t control = data[0];
    Bytes stream(data + 1, data + size);
    // Past the end of the byte ring, so its positions wrap.
    if (control & 0x80) {
        while (stream.size() < 70000) stream.insert(stream.end(), data + 1, data + size);
    }
    // Small pieces on short streams; on long ones they would only make each run slow.
    const std::size_t piece = (control & 0x80 ? 200 : 1) + (control & 0x3F) * 5;
    const unsigned drainEvery = 1 + ((control >> 6) & 1) * 7;
    if (Frame(stream, piece, drainEvery) != Frame(stream, 256, 1)) std::abort();
    return 0;
}
