// Any bytes through the K-line framer: the first byte picks a reading piece size, how often the
// dispatcher empties the message ring, whether the byte ring's positions start just before its
// end (so they wrap within the first bytes) and whether the stream repeats until it could fill the
// message ring. The messages must not depend on the pieces, the positions or full rings, every
// slot holds its length and zeros after the data, and every byte is taken in the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "device/kline_framing.h"
#include "fuzz/device/kline_rings.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The messages are kept one after the other, each as its length and its data.
void Take(device::KlineMessageRing &ring, Bytes &into) {
    for (; !ring.Empty(); ring.Pop()) {
        static constexpr device::KlineSlot kZeros{};
        const device::KlineSlot &slot = ring.Front();
        if (std::memcmp(slot.data() + 1 + slot[0], kZeros.data(), slot.size() - 1 - slot[0]) != 0) std::abort();
        into.insert(into.end(), slot.begin(), slot.begin() + 1 + slot[0]);
    }
}

// Appends the stream in pieces of `piece` bytes as far as there is room, framing after each, and
// empties the message ring every `drainEvery` steps. The byte ring starts at position `start`, as
// after `start` bytes taken: a start just below a multiple of its size wraps it at once.
Bytes Frame(std::span<const std::uint8_t> stream, std::size_t piece, unsigned drainEvery, std::uint64_t start) {
    KlineRings &rings = StartedKlineRings();
    device::KlineByteRing &buffer = rings.bytes;
    device::KlineMessageRing &ring = rings.messages;
    buffer.Ring.WriteIndex = buffer.ReadIndex = buffer.HuntFloor = start;
    Bytes messages;
    messages.reserve(stream.size());  // a message's length and data take fewer bytes than its frame
    std::size_t at = 0;
    for (unsigned step = 1; at < stream.size() || buffer.ReadIndex != buffer.Ring.WriteIndex; ++step) {
        at += buffer.Append(stream.subspan(at, std::min(piece, stream.size() - at)));
        device::FrameKlineMessages(buffer, ring);
        if (step % drainEvery == 0 || ring.Full()) Take(ring, messages);
        if (step > 10 * stream.size() + 100) std::abort();  // no progress
    }
    Take(ring, messages);
    return messages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t control = data[0];
    Bytes stream(data + 1, data + size);
    // Enough frames of five bytes to fill the message ring, when asked.
    if (control & 0x80) {
        constexpr std::size_t kFillingStream = 5 * (device::KlineMessageRing::kSlots + 8);
        while (stream.size() < kFillingStream) stream.insert(stream.end(), data + 1, data + size);
    }
    // Small pieces on short streams; on the long ones they only make each run slow.
    const std::size_t piece = (control & 0x80 ? 64 : 1) + (control & 0x1F) * 9;
    const unsigned drainEvery = 1 + ((control >> 5) & 1) * 7;
    const std::uint64_t start = control & 0x40 ? decltype(device::KlineByteRing::Ring)::kSize - 1 - stream.size() % 61 : 0;
    if (Frame(stream, piece, drainEvery, start) != Frame(stream, 256, 1, 0)) std::abort();
    return 0;
}
