// Code page 1250 on any bytes: every byte string survives the trip through UTF-8, and any text
// read as UTF-8 converts to bytes that read back to text converting to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/runtime/cp1250.h"

namespace {

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool WellFormed(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || at + length > text.size()) return false;
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next >> 6) != 2) return false;
            cp = cp << 6 | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        at += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const std::string utf8 = Cp1250ToUtf8(bytes);
    if (!WellFormed(utf8) || Utf8ToCp1250(utf8) != bytes) std::abort();

    const std::string converted = Utf8ToCp1250(bytes);
    if (converted.size() > bytes.size()) std::abort();
    if (Utf8ToCp1250(Cp1250ToUtf8(converted)) != converted) std::abort();

    for (const std::uint8_t byte : bytes)
        if (CodePointToCp1250(Cp1250ToCodePoint(byte)) != byte) std::abort();
    return 0;
}
