#pragma once
// The PBKDF2-HMAC-SHA256 iterations of several passwords run side by side on the CPU's SHA-256
// instructions. One chain of compressions waits on each round's result; the instructions of
// independent chains fill those waits: two passwords take little longer than one, four about
// twice as long.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tables {

// Whether this CPU has the SHA-256 and SSE4.1 instructions the lanes run on.
bool HasShaInstructions();

constexpr size_t kMaxShaLanes = 4;

// One password's derivation as 32-bit words (A..H, the digest's big-endian words): the HMAC's
// inner and outer states after the padded key's block, the last U and the XOR of the U's so far.
struct HmacLane {
    std::array<uint32_t, 8> inner;
    std::array<uint32_t, 8> outer;
    std::array<uint32_t, 8> u;
    std::array<uint32_t, 8> sum;
};

// Runs `rounds` more iterations U = HMAC(U), sum ^= U on up to kMaxShaLanes lanes at once.
// Only where HasShaInstructions().
void IterateHmacLanes(std::span<HmacLane> lanes, int rounds);

}  // namespace tables
