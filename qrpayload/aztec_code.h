#pragma once
// Decompression of the registration document's code: Base64 of a 4-byte header (skipped) and an
// LZ stream in the NRV2E bit layout (8-bit bit buffer, most significant bit first) that decodes to a
// UTF-16LE text. There is no end marker: decoding ends when the input is used up, at a
// back-reference before the start of the output (which also ends a stream at the compressor's end
// marker), or when the output reaches its limit.
#include <cstddef>
#include <string>
#include <string_view>

namespace qrpayload {

// Far more than any registration document holds; bounds what garbage input can produce.
inline constexpr std::size_t kMaxAztecOutputBytes = 64 * 1024;

struct AztecDecoding {
    std::string out;    // the decompressed bytes
    std::string shown;  // every nonzero output byte, "|" as CR LF: what the field memo shows
};

}  // namespace qrpayload

// Empty when the text decodes to no bytes.
qrpayload::AztecDecoding GetCodeAztec(std::string_view text);
