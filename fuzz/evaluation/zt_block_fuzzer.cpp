// The blocks of the ZT measuring-point message as the device sends them: a header, then data
// blocks of any length and any entry count. The first input byte picks the meter constant text.
#include <cstddef>
#include <cstdint>
#include <span>

#include "evaluation/zt_results.h"
#include "platform/runtime/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    static const char *const kConstants[] = {"2000", "0", "", "-7", "abc", "2147483647"};
    const char *k = kConstants[data[0] % 6];
    evaluation::EvaluationState state;
    std::span<const uint8_t> rest(data + 1, size - 1);
    // Blocks are separated by a 0xFF byte.
    while (!rest.empty()) {
        size_t length = 0;
        while (length < rest.size() && rest[length] != 0xFF) ++length;
        const evaluation::ZtBlock block = evaluation::DecodeZtBlock(state, rest.first(length), k);
        if (block.rows.size() > evaluation::kGridRows) __builtin_trap();
        rest = rest.subspan(length == rest.size() ? length : length + 1);
    }
    return 0;
}
