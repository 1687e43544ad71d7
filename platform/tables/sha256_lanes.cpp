#include "platform/tables/sha256_lanes.h"

#include <cpuid.h>
#include <immintrin.h>

#include <stdexcept>

#define SHA_TARGET __attribute__((target("sha,sse4.1")))

namespace tables {
namespace {

alignas(16) constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

// A chaining state in the form the round instruction takes: abef holds F, E, B, A from lane 0
// up, cdgh holds H, G, D, C.
struct State {
    __m128i abef, cdgh;
};

SHA_TARGET State ToState(const std::array<uint32_t, 8> &h) {
    const __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h.data()));
    const __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h.data() + 4));
    const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
    const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
    return {_mm_alignr_epi8(cdab, efgh, 8), _mm_blend_epi16(efgh, cdab, 0xF0)};
}

// The state as words A..D and E..H from lane 0 up: the digest as the next message's words.
SHA_TARGET inline void Words(State s, __m128i &abcd, __m128i &efgh) {
    const __m128i feba = _mm_shuffle_epi32(s.abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(s.cdgh, 0xB1);
    abcd = _mm_blend_epi16(feba, dchg, 0xF0);
    efgh = _mm_alignr_epi8(dchg, feba, 8);
}

// N compressions side by side, each of one 16-word block (`w`, overwritten by its schedule).
template <int N>
SHA_TARGET __attribute__((always_inline)) inline void Compress(const State *start, __m128i (*w)[4], State *out) {
    State s[N];
    for (int i = 0; i < N; ++i) s[i] = start[i];
#pragma GCC unroll 16
    for (int g = 0; g < 16; ++g) {
        const __m128i k = _mm_load_si128(reinterpret_cast<const __m128i *>(kRound + 4 * g));
#pragma GCC unroll 4
        for (int i = 0; i < N; ++i) {
            __m128i m = w[i][g & 3];
            if (g >= 4) {
                // Words 4g..4g+3 from the four before them: W[t-16] + s0(W[t-15]) + W[t-7] + s1(W[t-2]).
                const __m128i t = _mm_add_epi32(_mm_sha256msg1_epu32(m, w[i][(g + 1) & 3]),
                                                _mm_alignr_epi8(w[i][(g + 3) & 3], w[i][(g + 2) & 3], 4));
                m = _mm_sha256msg2_epu32(t, w[i][(g + 3) & 3]);
                w[i][g & 3] = m;
            }
            m = _mm_add_epi32(m, k);
            s[i].cdgh = _mm_sha256rnds2_epu32(s[i].cdgh, s[i].abef, m);
            s[i].abef = _mm_sha256rnds2_epu32(s[i].abef, s[i].cdgh, _mm_shuffle_epi32(m, 0x0E));
        }
    }
    for (int i = 0; i < N; ++i) out[i] = {_mm_add_epi32(s[i].abef, start[i].abef), _mm_add_epi32(s[i].cdgh, start[i].cdgh)};
}

template <int N>
SHA_TARGET void Iterate(HmacLane *lanes, int rounds) {
    State inner[N], outer[N];
    __m128i u[N][2], sum[N][2];
    for (int i = 0; i < N; ++i) {
        inner[i] = ToState(lanes[i].inner);
        outer[i] = ToState(lanes[i].outer);
        for (int half = 0; half < 2; ++half) {
            u[i][half] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lanes[i].u.data() + 4 * half));
            sum[i][half] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lanes[i].sum.data() + 4 * half));
        }
    }
    // A digest after a hashed block is one block of its own: the 32 bytes, the end bit, and the
    // length of both blocks in bits.
    const __m128i end = _mm_set_epi32(0, 0, 0, static_cast<int>(0x80000000u));
    const __m128i length = _mm_set_epi32((64 + 32) * 8, 0, 0, 0);
    for (int n = 0; n < rounds; ++n) {
        __m128i w[N][4];
        State digest[N];
        for (int i = 0; i < N; ++i) w[i][0] = u[i][0], w[i][1] = u[i][1], w[i][2] = end, w[i][3] = length;
        Compress<N>(inner, w, digest);
        for (int i = 0; i < N; ++i) {
            Words(digest[i], w[i][0], w[i][1]);
            w[i][2] = end;
            w[i][3] = length;
        }
        Compress<N>(outer, w, digest);
        for (int i = 0; i < N; ++i) {
            Words(digest[i], u[i][0], u[i][1]);
            sum[i][0] = _mm_xor_si128(sum[i][0], u[i][0]);
            sum[i][1] = _mm_xor_si128(sum[i][1], u[i][1]);
        }
    }
    for (int i = 0; i < N; ++i)
        for (int half = 0; half < 2; ++half) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(lanes[i].u.data() + 4 * half), u[i][half]);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(lanes[i].sum.data() + 4 * half), sum[i][half]);
        }
}

}  // namespace

bool HasShaInstructions() {
    static const bool has = [] {
        unsigned a, b, c, d;
        if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_SSE4_1)) return false;
        return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_SHA) != 0;
    }();
    return has;
}

void IterateHmacLanes(std::span<HmacLane> lanes, int rounds) {
    switch (lanes.size()) {
        case 0: return;
        case 1: return Iterate<1>(lanes.data(), rounds);
        case 2: return Iterate<2>(lanes.data(), rounds);
        case 3: return Iterate<3>(lanes.data(), rounds);
        case 4: return Iterate<4>(lanes.data(), rounds);
        default: throw std::invalid_argument("more lanes than the SHA-256 lanes run at once");
    }
}

}  // namespace tables
