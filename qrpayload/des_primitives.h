#pragma once
// The DES primitive on bit vectors: one bit value (0 or 1) per byte. Unpacking 8 bytes gives 64 bit
// values, byte 0 first and the most significant bit of each byte first. Each operation writes into
// an output vector supplied by the caller.
#include <array>
#include <cstdint>
#include <span>

using DesBits28 = std::array<std::uint8_t, 28>;
using DesBits32 = std::array<std::uint8_t, 32>;
using DesBits48 = std::array<std::uint8_t, 48>;
using DesBlockBytes = std::span<const std::uint8_t, 8>;

// Unpacks the block and applies IP; bits 0-31 of the result form L, bits 32-63 form R.
void DesInitialPermutation(DesBlockBytes in, DesBits32 &L, DesBits32 &R);

// Unpacks the 8 key bytes and applies PC-1 (the parity bits drop out); C and D are its two halves.
void DesPermutedChoice1(DesBlockBytes key, DesBits28 &C, DesBits28 &D);

// The expansion E of a 32-bit half to 48 bits.
void DesExpand(const DesBits32 &R, DesBits48 &out);

// C0 and D0 rotated left by the sum of the shift schedule up to round index r (0-15); always taken
// afresh from the unrotated halves.
void DesRoundKeyShift(const DesBits28 &C0, const DesBits28 &D0, int r, DesBits28 &C, DesBits28 &D);

// PC-2 of C followed by D: the 48-bit subkey.
void DesPermutedChoice2(const DesBits28 &C, const DesBits28 &D, DesBits48 &K);

// Bitwise exclusive or; out may be a.
void DesXor48(const DesBits48 &a, const DesBits48 &b, DesBits48 &out);

// The eight S-boxes: 48 bits in, 32 bits out.
void DesSBoxes(const DesBits48 &in, DesBits32 &out);

// The permutation P; out may be in.
void DesPermuteP(const DesBits32 &in, DesBits32 &out);

// Bitwise exclusive or; out may be a or b.
void DesXor32(const DesBits32 &a, const DesBits32 &b, DesBits32 &out);

// The 64 bits R followed by L through IP^-1, packed to 8 bytes.
void DesFinalPermutation(const DesBits32 &L, const DesBits32 &R, std::span<std::uint8_t, 8> out);
