#pragma once
// The layout copy in a saved job: text fields 2..16 of the change record (one value per line) and
// the masks 23..25 of the integer record.
#include <cstdint>
#include <string>
#include <vector>

#include "tariffchange/change_layout_state.h"

namespace tariffchange {

inline constexpr int kFirstLayoutField = 2, kLastLayoutField = 16;
inline constexpr int kSegmentMaskField = 23, kEnabledBeforeField = 24, kEnabledAfterField = 25;

// The lines of text field `field` (2..16); empty for another field.
std::vector<std::string> LayoutFieldLines(const ChangeLayoutState &state, int field);
// Text field `field` back into the copy; a missing or empty line gives "---".
void LoadLayoutFieldLines(ChangeLayoutState &state, int field, const std::vector<std::string> &lines);
// Mask 23 (initial-segment switches, before in bits 0..3, after in 4..7), 24 and 25 (enabled slots).
std::int32_t LayoutMask(const ChangeLayoutState &state, int field);
void LoadLayoutMask(ChangeLayoutState &state, int field, std::int32_t mask);

}  // namespace tariffchange
