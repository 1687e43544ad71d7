#pragma once
// A byte ring of a power-of-two size addressed by free-running positions: a position counts the
// bytes stored since the last reset and the slot is the position masked to the ring. The owner
// says which positions it still needs; a write never overwrites them.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace device {

template <std::uint32_t Size>
struct ByteRing {
    static_assert(Size != 0 && (Size & (Size - 1)) == 0, "the ring size is a power of two");
    static constexpr std::uint32_t kSize = Size;

    std::array<std::uint8_t, Size> Bytes{};
    // Bytes stored since the last reset; the next byte goes to this position.
    std::uint64_t WriteIndex = 0;

    std::uint8_t At(std::uint64_t position) const { return Bytes[position & (Size - 1)]; }

    // Room left while the positions from `keptFrom` (at most WriteIndex) must stay intact.
    std::uint32_t Room(std::uint64_t keptFrom) const {
        return static_cast<std::uint32_t>(Size - (WriteIndex - keptFrom));
    }

    // Stores as many of `bytes` as fit without overwriting the positions from `keptFrom`;
    // returns how many were stored. The rest is the caller's to offer again later.
    std::size_t Append(std::span<const std::uint8_t> bytes, std::uint64_t keptFrom) {
        const std::size_t count = std::min<std::size_t>(bytes.size(), Room(keptFrom));
        for (std::size_t i = 0; i < count; ++i) Bytes[WriteIndex++ & (Size - 1)] = bytes[i];
        return count;
    }

    void Reset() {
        Bytes.fill(0);
        WriteIndex = 0;
    }
};

}  // namespace device
