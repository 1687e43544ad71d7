#pragma once
// Base64 decoding as the scanner delivers it: every character outside the standard alphabet, "="
// and line breaks included, is skipped; a final group of 2 or 3 characters yields no bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Replaces the buffer's contents with the decoded bytes and returns their number.
std::size_t DecodeBase64(std::string_view text, std::vector<std::uint8_t> &buffer);
