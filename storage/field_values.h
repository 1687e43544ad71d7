#pragma once
// Conversions of the values a job record stores.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// A line list: the lines, each ended by CR LF, the last one included.
std::string LineList(const std::vector<std::string> &lines);

// The lines of a stored line list (CR LF, LF or CR ends a line; a last line without an ending
// counts); line `index` beyond the last reads as empty.
std::vector<std::string> SplitLines(std::string_view text);
std::string LineOf(const std::vector<std::string> &lines, size_t index);

// A whole number written as text; none when the text is not one.
std::optional<int32_t> WholeNumber(std::string_view text);

// value x 1000 truncated toward zero; beyond the integer range it is clamped, and NaN gives 0.
int32_t Thousandths(float value);

}  // namespace storage
