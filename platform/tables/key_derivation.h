#pragma once
// Table passwords become raw 256-bit SQLCipher keys. The derivation (PBKDF2-HMAC-SHA256) runs
// once per password per run; files are then keyed with SQLCipher's raw-key form x'<64 hex>',
// which skips SQLCipher's own per-open key derivation, so opening a table costs no KDF. Each file
// still has its own random salt, from which SQLCipher derives the page authentication key.
// The passwords are constants of the program, so the iteration count only keeps a stolen file
// from being tried against guesses for free.
#include <array>
#include <cstdint>
#include <string>
#include <span>
#include <string_view>
#include <vector>

#include "platform/tables/sha256_lanes.h"

namespace tables {

using TableKey = std::array<uint8_t, 32>;

TableKey DeriveTableKey(std::string_view password);
// The keys of several passwords, in their order. Where the CPU has the SHA-256 instructions
// (`instructions`), up to kMaxShaLanes of them are derived side by side (two take little longer
// than one, four about twice as long); otherwise one after another.
std::vector<TableKey> DeriveTableKeys(std::span<const std::string_view> passwords,
                                      bool instructions = HasShaInstructions());

// The key in the form SQLCipher takes for a raw key: x'<64 hex digits>'.
std::string RawKeyLiteral(const TableKey &key);

}  // namespace tables
