// K-line framing: header hunt, length, checksum, and the hunt inside a frame whose sum fails.
#include "device/kline_framing.h"

#include <algorithm>

namespace device {

// The header test looks at the two bytes three and four places behind the next read position.
constexpr std::uint64_t kHeaderLookBack = 3;

std::uint64_t KlineByteRing::KeptFrom() const {
    if (FramerState == 1) return FrameStart;
    const std::uint64_t lookBack = ReadIndex > kHeaderLookBack ? ReadIndex - kHeaderLookBack : 0;
    return std::max(HuntFloor, lookBack);
}

void KlineByteRing::Reset() {
    Ring.Reset();
    ReadIndex = 0;
    FramerState = 0;
    FrameStart = 0;
    FrameCounter = 0;
    ExpectedCount = 0;
    HuntFloor = 0;
}

void KlineMessageRing::Push(std::span<const std::uint8_t> data) {
    KlineSlot &slot = Slots[WriteIndex & (kSlots - 1)];
    slot[0] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), slot.begin() + 1);
    std::fill(slot.begin() + 1 + static_cast<std::ptrdiff_t>(data.size()), slot.end(), 0);
    ++WriteIndex;
}

namespace {

// The frame that ends with the checksum at position `sumAt`: stores it when its sum matches.
bool TakeFrame(const KlineByteRing &buffer, std::uint64_t sumAt, KlineMessageRing &messages) {
    std::uint8_t sum = 0;
    for (std::uint64_t p = buffer.FrameStart; p < sumAt; ++p) sum = static_cast<std::uint8_t>(sum + buffer.Ring.At(p));
    if (sum != buffer.Ring.At(sumAt)) return false;
    std::array<std::uint8_t, 255> data;
    const std::uint64_t first = buffer.FrameStart + 4;
    const auto length = static_cast<std::size_t>(sumAt - first);
    for (std::size_t i = 0; i < length; ++i) data[i] = buffer.Ring.At(first + i);
    messages.Push(std::span<const std::uint8_t>(data.data(), length));
    return true;
}

}  // namespace

void FrameKlineMessages(KlineByteRing &buffer, KlineMessageRing &messages) {
    const std::uint64_t end = buffer.Ring.WriteIndex;
    while (buffer.ReadIndex != end && !messages.Full()) {
        const std::uint64_t r = ++buffer.ReadIndex;
        if (buffer.FramerState == 0) {
            if (r - buffer.HuntFloor >= 4 && buffer.Ring.At(r - 4) == kKlineFormatByte &&
                buffer.Ring.At(r - 3) == kKlineTargetByte) {
                buffer.FramerState = 1;
                buffer.FrameStart = r - 4;
                buffer.FrameCounter = 0;
                buffer.ExpectedCount = buffer.Ring.At(r - 1) + 1u;
            }
            continue;
        }
        if (++buffer.FrameCounter != buffer.ExpectedCount) continue;
        buffer.FramerState = 0;
        if (TakeFrame(buffer, r - 1, messages)) {
            buffer.HuntFloor = r;
        } else {
            // The hunt goes on just behind the bad frame's header: a good frame that began inside
            // the bytes a cut-short frame took for its own is found there.
            buffer.ReadIndex = buffer.FrameStart + 4;
        }
    }
}

}  // namespace device
