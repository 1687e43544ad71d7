#include "evaluation/zt_results.h"

#include <algorithm>
#include <optional>

#include "evaluation/checked_number.h"
#include "platform/runtime/numbers.h"

namespace evaluation {

namespace {

constexpr size_t kEntrySize = 4;

// The 8-digit packed BCD number of an entry, most significant digit in the high nibble of its
// last byte; nothing when a nibble is not a decimal digit.
std::optional<uint32_t> BcdEntry(std::span<const uint8_t> entry) {
    uint32_t value = 0;
    for (size_t i = kEntrySize; i-- > 0;) {
        for (int nibble : {entry[i] >> 4, entry[i] & 0x0F}) {
            if (nibble > 9) return std::nullopt;
            value = value * 10 + static_cast<uint32_t>(nibble);
        }
    }
    return value;
}

void ReadHeader(EvaluationState &state, std::span<const uint8_t> block) {
    int count = 1;
    for (size_t i = 1; i <= 8; ++i) {
        const uint8_t byte = i < block.size() ? block[i] : 0;
        state.ZtBlockEntries[i] = byte & 0x7F;
        if (byte != 0) ++count;
    }
    state.ZtBlockCount = static_cast<uint8_t>(count / 2);
}

}  // namespace

ZtBlock DecodeZtBlock(EvaluationState &state, std::span<const uint8_t> block,
                      std::string_view meterConstantText) {
    ZtBlock result;
    if (block.empty()) return result;
    const int number = block[0];
    const int count = state.ZtBlockCount;
    if (number == 0) {
        ReadHeader(state, block);
        result.kind = ZtBlock::Kind::Header;
        return result;
    }
    if (number > 8 || number > 2 * count) return result;
    const bool distance = number <= count;
    result.kind = distance ? ZtBlock::Kind::Distance : ZtBlock::Kind::Time;
    result.tariff = distance ? number - 1 : (number - count - 1) & 3;

    const size_t available = (block.size() - 1) / kEntrySize;
    const size_t entries = std::min(
        {static_cast<size_t>(state.ZtBlockEntries[number]), available, static_cast<size_t>(kGridRows)});
    for (size_t k = 0; k < entries; ++k) {
        const auto bcd = BcdEntry(block.subspan(1 + kEntrySize * k, kEntrySize));
        const std::string nom = Guarded([&] {
            if (!bcd) throw StepFailed{};
            if (!distance) return Fixed(Ext(*bcd) * 0.001L, 3);
            return Fixed(Ext(*bcd) * 1000 / Ext(IntValue(meterConstantText)), 3);
        });
        result.rows.push_back(
            {nom, nom == kMissing ? std::string(kMissing) : IntToStr(static_cast<long long>(k) + 1)});
    }
    return result;
}

}  // namespace evaluation
