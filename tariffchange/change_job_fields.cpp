#include "tariffchange/change_job_fields.h"

#include <functional>

namespace tariffchange {

namespace {

// The texts a field holds, in line order, as references into the copy.
std::vector<std::reference_wrapper<std::string>> FieldTexts(ChangeLayoutState &state, int field) {
    std::vector<std::reference_wrapper<std::string>> texts;
    const auto add = [&texts](auto &values, std::size_t first, std::size_t count) {
        for (std::size_t i = first; i < first + count; ++i) texts.emplace_back(values[i]);
    };
    const ZuLayout before = state.Layout(0), after = state.Layout(1);
    if (field >= 2 && field <= 11) {
        const ZuLayout &side = field < 7 ? before : after;
        add(side.params[static_cast<std::size_t>((field - 2) % 5)], 0, 16);
    } else if (field == 12) {
        add(before.groupUnits[0], 0, 4);
        add(after.groupUnits[0], 0, 4);
        add(before.groupUnits[2], 0, 2);
        add(after.groupUnits[2], 0, 2);
    } else if (field == 13 || field == 14) {
        add((field == 13 ? before : after).jdoplaty, 0, 16);
    } else if (field == 15) {
        add(before.maxSurcharge, 0, 4);
        add(after.maxSurcharge, 0, 4);
    } else if (field == 16) {
        add(before.validity, 0, 8);
        add(after.validity, 0, 8);
    }
    return texts;
}

std::int32_t Bits(const std::uint8_t *bytes, int count, int shift) {
    std::int32_t mask = 0;
    for (int i = 0; i < count; ++i)
        if (bytes[i] != 0) mask |= std::int32_t{1} << (i + shift);
    return mask;
}

void SetBytes(std::uint8_t *bytes, int count, int shift, std::int32_t mask) {
    for (int i = 0; i < count; ++i) bytes[i] = (mask >> (i + shift) & 1) != 0 ? 1 : 0;
}

}  // namespace

std::vector<std::string> LayoutFieldLines(const ChangeLayoutState &state, int field) {
    std::vector<std::string> lines;
    for (const std::string &text : FieldTexts(const_cast<ChangeLayoutState &>(state), field)) lines.push_back(text);
    return lines;
}

void LoadLayoutFieldLines(ChangeLayoutState &state, int field, const std::vector<std::string> &lines) {
    std::size_t line = 0;
    for (std::string &text : FieldTexts(state, field)) {
        const std::string value = line < lines.size() ? lines[line] : std::string();
        text = value.empty() ? "---" : value;
        ++line;
    }
}

std::int32_t LayoutMask(const ChangeLayoutState &state, int field) {
    if (field == kSegmentMaskField)
        return Bits(state.ZuInitialSegmentBefore.data(), 4, 0) | Bits(state.ZuInitialSegmentAfter.data(), 4, 4);
    if (field == kEnabledBeforeField) return Bits(state.ZuEnabledFlagsBefore.data(), 16, 0);
    if (field == kEnabledAfterField) return Bits(state.ZuEnabledFlagsAfter.data(), 16, 0);
    return 0;
}

void LoadLayoutMask(ChangeLayoutState &state, int field, std::int32_t mask) {
    if (field == kSegmentMaskField) {
        SetBytes(state.ZuInitialSegmentBefore.data(), 4, 0, mask);
        SetBytes(state.ZuInitialSegmentAfter.data(), 4, 4, mask);
    } else if (field == kEnabledBeforeField) {
        SetBytes(state.ZuEnabledFlagsBefore.data(), 16, 0, mask);
    } else if (field == kEnabledAfterField) {
        SetBytes(state.ZuEnabledFlagsAfter.data(), 16, 0, mask);
    }
}

}  // namespace tariffchange
