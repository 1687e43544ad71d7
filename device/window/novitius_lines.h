#pragma once
// The line list of a NOVITIUS text message, kept in the hidden memo Memo7 where the result store
// reads the trip's date and time.
#include <algorithm>
#include <cstdint>
#include <span>

#include "app/form1.h"
#include "device/decoders/novitius_text.h"

namespace device_window {

// The first `length` bytes of a message's text (fewer when the message is shorter).
inline std::span<const uint8_t> MessageText(std::span<const uint8_t> data, uint8_t length) {
    return data.first(std::min<size_t>(length, data.size()));
}

decoders::NovitiusLines SplitNovitiusText(TForm1 &w, std::span<const uint8_t> data, uint8_t length);

}  // namespace device_window
