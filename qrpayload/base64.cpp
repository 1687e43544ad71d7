#include "qrpayload/base64.h"

namespace {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::size_t DecodeBase64(std::string_view text, std::vector<std::uint8_t> &buffer) {
    buffer.clear();
    buffer.reserve(text.size() / 4 * 3);
    std::uint32_t accumulator = 0;
    int count = 0;
    for (char c : text) {
        const int value = Base64Value(c);
        if (value < 0) continue;
        accumulator = (accumulator << 6) | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            buffer.push_back(static_cast<std::uint8_t>(accumulator >> 16));
            buffer.push_back(static_cast<std::uint8_t>(accumulator >> 8));
            buffer.push_back(static_cast<std::uint8_t>(accumulator));
            accumulator = 0;
            count = 0;
        }
    }
    return buffer.size();
}
