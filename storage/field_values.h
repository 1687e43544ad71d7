#pragma once
// Conversions of the values a job record stores.
#include <cstdint>
#include <string>
#include <vector>

namespace storage {

// A line list: the lines, each ended by CR LF, the last one included.
std::string LineList(const std::vector<std::string> &lines);

// value x 1000 truncated toward zero; beyond the integer range it is clamped, and NaN gives 0.
int32_t Thousandths(float value);

}  // namespace storage
