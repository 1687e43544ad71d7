#pragma once
// The cipher of the QR text composed from OpenSSL's DES: single DES is DES-EDE3 with three equal
// key thirds, and the construction equals E(k3, G(D(k2, G(E(k1, x))))) with G = IP^-1 o swap o IP,
// the swap of halves that standard DES does at the end of each operation and the construction omits.
#include <array>
#include <cstdint>

#include "qrpayload/block_cipher.h"

using Key24 = std::array<std::uint8_t, 24>;
using Key8 = std::array<std::uint8_t, 8>;

DesBlock OpenSslDes(const Key8 &key, const DesBlock &block, bool encrypt);
DesBlock OpenSslTdea(const Key24 &key, const DesBlock &block, bool encrypt);
DesBlock SwapHalvesUnderIp(const DesBlock &block);
DesBlock OracleEncrypt3(const Key24 &key, const DesBlock &block);
DesBlock OracleDecrypt3(const Key24 &key, const DesBlock &block);
Key8 KeyThird(const Key24 &key, int third);
