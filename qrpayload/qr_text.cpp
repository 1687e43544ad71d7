#include "qrpayload/qr_text.h"

#include <algorithm>

#include "qrpayload/block_cipher.h"

namespace qrpayload {

namespace {

constexpr std::string_view kKeyString = "Pwolsank Tremira 58-213K";
static_assert(kKeyString.size() == 24);

constexpr std::size_t kBlockSize = 8;

// The key string deciphered block by block under itself. It depends on nothing else, so it is
// worked out once: nine DES passes for every line read would be most of a scan's work.
const std::array<std::uint8_t, 24> &DerivedKey() {
    static const std::array<std::uint8_t, 24> derived = [] {
        std::array<std::uint8_t, 24> source, key;
        std::copy(kKeyString.begin(), kKeyString.end(), source.begin());
        for (std::size_t j = 0; j < 3; ++j) {
            DesBlock block;
            std::copy_n(source.begin() + kBlockSize * j, kBlockSize, block.begin());
            const DesBlock part = DecryptBlock3DES(block, source);
            std::copy(part.begin(), part.end(), key.begin() + kBlockSize * j);
        }
        return key;
    }();
    return derived;
}

}  // namespace

void QrPayloadState::GenerateKey(std::uint8_t offset) {
    const std::array<std::uint8_t, 24> &derived = DerivedKey();
    for (std::size_t i = 0; i < derived.size(); ++i) QrWorkKey[i] = static_cast<std::uint8_t>(derived[i] + offset);
}

void QrPayloadState::ClearKey() {
    for (std::size_t i = 0; i < QrWorkKey.size(); ++i) QrWorkKey[i] = static_cast<std::uint8_t>(9 * i);
}

// Enciphers up to 8 bytes, zero-filled to a block, under a fresh key that is wiped afterwards.
std::string QrPayloadState::EncipherBlockAsHex(std::string_view bytes) {
    DesBlock block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    GenerateKey(0);
    const DesBlock enciphered = EncryptBlock3DES(block, QrWorkKey);
    ClearKey();
    std::string hex;
    for (std::uint8_t byte : enciphered) hex += ConvUchHEX(byte);
    return hex;
}

QrPayloadText QrPayloadState::WriteQR(std::string_view data, std::int32_t leg, std::int32_t mode) {
    QrPayloadText text = "\nLEG:" + std::to_string(leg) + "\nSZYFR:";
    if (mode != 1) {
        text += "NONE\nSTART:\n";
        text += data;
        text += "\n";
        return text + "END";
    }
    text += "3DES\nSTART:\n";
    std::size_t taken = 0;
    while (data.size() > taken + kBlockSize) {
        text += EncipherBlockAsHex(data.substr(taken, kBlockSize)) + "\n";
        taken += kBlockSize;
    }
    text += EncipherBlockAsHex(data.substr(taken)) + "\n";
    return text + "END";
}

std::string QrPayloadState::ReadQR(std::string_view line) {
    DesBlock block;
    for (std::size_t k = 0; k < kBlockSize; ++k) {
        const std::size_t at = 2 * k;
        block[k] = Char2ToUCH(at < line.size() ? line.substr(at, 2) : std::string_view{});
    }
    GenerateKey(0);
    const DesBlock deciphered = DecryptBlock3DES(block, QrWorkKey);
    ClearKey();
    return std::string(deciphered.begin(), deciphered.end());
}

}  // namespace qrpayload
