#pragma once
// The triple-DES construction of the QR text and the two hexadecimal conversions it uses.
//
// The construction is a 48-round Feistel network: one initial permutation, 16 rounds with the
// subkeys K1..K16 of key bytes 0-7, 16 rounds with K16..K1 of key bytes 8-15, 16 rounds with
// K1..K16 of key bytes 16-23, then the swap of halves and IP^-1. Unlike standard TDEA there is no
// swap and no permutation between the passes, so the ciphertext differs from TDEA's.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

using DesBlock = std::array<std::uint8_t, 8>;
using DesKey3 = std::span<const std::uint8_t, 24>;

DesBlock EncryptBlock3DES(const DesBlock &in, DesKey3 key);

// The exact inverse of EncryptBlock3DES under the same key.
DesBlock DecryptBlock3DES(const DesBlock &in, DesKey3 key);

// Two lower-case hexadecimal digits, high nibble first.
std::string ConvUchHEX(std::uint8_t value);

// The byte of the first two characters (high nibble first); a character that is not a hexadecimal
// digit, or a missing one, counts as 0 in its nibble.
std::uint8_t Char2ToUCH(std::string_view text);
