#pragma once
// The readable description of a capture file (the raw byte stream of the measuring interface), as
// taken by the make_capture command. One item per line:
//
//   kline SRC DATA...   a K-line frame from source byte SRC carrying DATA (0 to 255 bytes); the
//                       header 0x80 0xEE, the length and the checksum are added
//   record DATA...      a meter record: 0x02, DATA (0 to 254 bytes, neither 0x02 nor 0x03), 0x03
//   raw DATA...         the bytes as they stand
//
// DATA is a list of hexadecimal byte runs (2E, 0x2E, 2EF31A: two digits per byte) and quoted
// texts ("B123", escapes \" \\ \xHH) whose bytes are taken as they stand. '#' outside quotes
// starts a comment; empty lines are skipped.
#include <string>
#include <string_view>

#include "platform/d2xx/frames.h"

namespace d2xx {

// The bytes described by `text`, appended to `out`. On a fault returns false with a message that
// names the line ("line 3: ...") and leaves `out` as it was.
bool ParseCaptureDescription(std::string_view text, Bytes &out, std::string &error);

}  // namespace d2xx
