#pragma once
// Helpers of the decoder tests: byte strings written as text and a pinned decimal separator.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/decoders/field_conversion.h"
#include "platform/runtime/numbers.h"

namespace decoders {

inline std::vector<uint8_t> ToBytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// Pins the decimal separator for one test and restores it afterwards.
class SeparatorGuard {
public:
    explicit SeparatorGuard(char separator) : saved_(FormatSettings.DecimalSeparator) {
        FormatSettings.DecimalSeparator = separator;
    }
    ~SeparatorGuard() { FormatSettings.DecimalSeparator = saved_; }
    SeparatorGuard(const SeparatorGuard &) = delete;
    SeparatorGuard &operator=(const SeparatorGuard &) = delete;

private:
    char saved_;
};

// A record of `length` bytes of '0' with its type byte; fields are written as the meter stores
// them, least significant character first.
class Record {
public:
    Record(char type, size_t length) : bytes_(length, '0') { bytes_[0] = static_cast<uint8_t>(type); }
    Record &Field(size_t position, std::string_view digits) {
        for (size_t i = 0; i < digits.size(); ++i)
            bytes_[position + i] = static_cast<uint8_t>(digits[digits.size() - 1 - i]);
        return *this;
    }
    Record &Text(size_t position, std::string_view text) {
        for (size_t i = 0; i < text.size(); ++i) bytes_[position + i] = static_cast<uint8_t>(text[i]);
        return *this;
    }
    Record &Byte(size_t position, char c) { return Text(position, std::string_view(&c, 1)); }
    operator Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

class DecoderTest : public ::testing::Test {
protected:
    SeparatorGuard comma_{','};
};

}  // namespace decoders
