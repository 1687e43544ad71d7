#include "evaluation/result_storage.h"

#include <algorithm>

#include "evaluation/checked_number.h"
#include "platform/runtime/numbers.h"

namespace evaluation {

namespace {

const std::string kNone(kMissing);

// A point count raised by the row offset, as an integer; a count that is not one stays as it is.
std::string Count(const std::string &count, int offset) {
    try {
        return IntToStr(static_cast<long long>(IntValue(count)) + offset);
    } catch (const StepFailed &) {
        return count;
    }
}

}  // namespace

GridRows RowsFromPairs(Array<std::string, 2 * kGridRows> &pairs, bool ownFamily, bool groupWithoutInitial) {
    GridRows rows;
    const int offset = ownFamily && groupWithoutInitial ? 1 : 0;
    if (offset == 1) {
        rows.Nom[0] = FormatFixed(0, 3);
        rows.Units[0] = "1";
    }
    for (int row = offset; row < kMeasuringRows; ++row) {
        rows.Nom[row] = pairs[2 * (row - offset)];
        const std::string &count = pairs[2 * (row - offset) + 1];
        rows.Units[row] = ownFamily ? Count(count, offset) : count;
    }
    const std::string &tenth = pairs[2 * (kMeasuringRows - 1)];
    if (offset == 1 && !IsMissing(tenth)) {
        rows.Nom[kMeasuringRows - 1] = tenth;
        rows.Units[kMeasuringRows - 1] = Count(pairs[2 * (kMeasuringRows - 1) + 1], 1);
    }
    for (int pair = 0; pair < kMeasuringRows; ++pair) pairs[2 * pair] = pairs[2 * pair + 1] = kNone;
    return rows;
}

bool AnyReceived(const Array<std::string, 2 * kGridRows> &pairs) {
    return std::any_of(pairs.begin(), pairs.begin() + 2 * kMeasuringRows,
                       [](const std::string &text) { return !IsMissing(text); });
}

void StoreReceivedPoints(Array<std::string, kGridRows> &column, Array<std::string, kGridRows> &received,
                         bool groupWithoutInitial) {
    const int offset = groupWithoutInitial ? 1 : 0;
    if (offset == 1) column[0] = FormatFixed(0.001, 3);
    for (int point = 0; point < kMeasuringRows; ++point) {
        column[point + offset] = received[point];
        received[point] = kNone;
    }
    if (offset == 1) column[kMeasuringRows - 1] = column[kMeasuringRows];
    received[0] = kNone;
}

uint32_t VehicleResultsMask(uint32_t mask, uint8_t interfaceStatus, uint8_t resultsSystem, int slot) {
    const uint32_t bit = 1U << slot;
    if ((interfaceStatus & 0x10) != 0) return mask | bit;
    if (resultsSystem != 0) return mask & ~bit;
    return mask;
}

}  // namespace evaluation
