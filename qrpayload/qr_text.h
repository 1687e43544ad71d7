#pragma once
// The QR text printed on the documents and its block-by-block cipher.
//
// Frame: "\nLEG:<leg>\nSZYFR:3DES|NONE\nSTART:\n", the body, "END". A plain body is the data text
// and a line feed; an enciphered body has one line of 16 lower-case hexadecimal digits per 8-byte
// block of the data text (the last block zero-filled), each block under a freshly derived key.
// All texts here are code page 1250 bytes, one byte per character.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using QrPayloadText = std::string;

namespace qrpayload {

// The key material of the cipher, as the main window holds it. Not re-entrant: the key, cipher and
// wipe sequence of one block must not interleave with another.
struct QrPayloadState {
    QrPayloadState() { ClearKey(); }

    // The 24-byte working key; holds the derived key only between GenerateKey and ClearKey, the
    // bytes 9*i at all other times.
    std::array<std::uint8_t, 24> QrWorkKey{};

    // Derives the working key from the program's key string; every byte is raised by offset mod 256.
    void GenerateKey(std::uint8_t offset);

    // Overwrites the working key with the bytes 0, 9, 18, ..., 207.
    void ClearKey();

    // The whole QR text of a data text; mode 1 enciphers, any other mode writes the data plain.
    QrPayloadText WriteQR(std::string_view data, std::int32_t leg, std::int32_t mode);

    // Deciphers one body line of an enciphered text: its first 16 characters as 8 hexadecimal pairs
    // (missing or non-hexadecimal characters count as 0). Returns the 8 bytes, zero bytes included.
    std::string ReadQR(std::string_view line);

private:
    std::string EncipherBlockAsHex(std::string_view bytes);
};

}  // namespace qrpayload
