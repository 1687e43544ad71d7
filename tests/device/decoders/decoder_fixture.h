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

inline std::vector<uint8_t> ToBytes(std::string_view text) { return {text.begin(), text.end()}; }

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

class DecoderTest : public ::testing::Test {
protected:
    SeparatorGuard comma_{','};
};

}  // namespace decoders
