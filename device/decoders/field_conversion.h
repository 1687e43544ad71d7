#pragma once
// Field conversion of device messages: fixed-width ASCII fields of own-family records
// (ConvertDataTivar) and little-endian binary counts of interface messages (BufToFloat).
// Every value passes through binary32 at the points the devices' own arithmetic does, so the
// decoded texts match what the meters show. A field that does not lie wholly inside the
// message, a zero divisor or a non-finite result gives the empty marker "---".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace decoders {

// The bytes of one message or record; bytes beyond its end are absent.
using Bytes = std::span<const uint8_t>;

// The system-wide marker of an empty or unconvertible value.
inline constexpr std::string_view kNoValue = "---";

// Modes of ConvertDataTivar.
inline constexpr uint8_t kDecimalDigits = 0;  // decimal digits, least significant first
inline constexpr uint8_t kHexDigits = 1;      // hexadecimal digits, least significant first
inline constexpr uint8_t kPlainText = 2;      // the bytes as they stand

// A hexadecimal field holds at most 8 digits (32 bits); a binary count at most 4 bytes.
inline constexpr size_t kMaxHexDigits = 8;
inline constexpr size_t kMaxCountBytes = 4;

// True when record[offset] .. record[offset + count - 1] all lie inside the record.
bool FieldPresent(Bytes record, size_t offset, size_t count);

// One field of an own-family record. Mode 0 and 1 divide by `divisor` and format with
// `decimals` decimals; mode 2 returns the bytes unchanged; any other mode gives "".
std::string ConvertDataTivar(Bytes record, size_t offset, size_t count, uint8_t mode, float divisor,
                             int decimals);

// The unsigned little-endian count of `count` (1..4) bytes at `offset`, divided by `divisor`,
// with `decimals` decimals.
std::string BufToFloat(Bytes data, size_t offset, size_t count, int decimals, int32_t divisor);

// A decoded text read back as a number (with the user's decimal separator) or as a 32-bit
// integer; nothing when it does not convert ("---" included).
std::optional<long double> TextToNumber(std::string_view text);
std::optional<int32_t> TextToInt(std::string_view text);

// The fixed-point text of a computed value; "---" when it is not finite.
std::string FormatValue(long double value, int decimals);

// a + b and a - b of two decoded texts, formed in binary32, with 2 decimals; "---" when either
// does not convert.
std::string SumText(std::string_view a, std::string_view b);
std::string DifferenceText(std::string_view a, std::string_view b);

// The bytes of a message from index `first` on; none when the message is shorter (a K-line
// message of length L carries max(0, L - first) data bytes after its header).
Bytes DataFrom(Bytes message, size_t first);

}  // namespace decoders
