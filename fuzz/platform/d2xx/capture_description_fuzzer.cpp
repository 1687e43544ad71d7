// Any text as a capture description: the parser either fails with a line-numbered message and
// leaves the output alone, or succeeds; it never reads past its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/d2xx/capture_description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    d2xx::Bytes bytes{0x55};
    std::string error;
    if (d2xx::ParseCaptureDescription(text, bytes, error)) {
        if (!error.empty() || bytes.empty() || bytes.front() != 0x55) std::abort();
    } else if (error.rfind("line ", 0) != 0 || bytes.size() != 1) {
        std::abort();
    }
    return 0;
}
