#pragma once
// Texts of the taximeter's messages on their way into the window: device text (code page 1250)
// shown in a control, controls the meter filled locked, and the line list of a NOVITIUS text
// message, kept in the hidden memo Memo7 where the result store reads the trip's date and time.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "app/form1.h"
#include "device/decoders/novitius_text.h"
#include "platform/runtime/cp1250.h"

namespace device_window {

inline QString DeviceText(const std::string &text) { return QString::fromStdString(Cp1250ToUtf8(text)); }

// The edit shows the meter's value and is locked against typing.
inline void SetLocked(TEdit *edit, const std::string &text) {
    edit->SetText(DeviceText(text));
    edit->SetEnabled(false);
}

// The first `length` bytes of a message's text (fewer when the message is shorter).
inline std::span<const uint8_t> MessageText(std::span<const uint8_t> data, uint8_t length) {
    return data.first(std::min<size_t>(length, data.size()));
}

decoders::NovitiusLines SplitNovitiusText(TForm1 &w, std::span<const uint8_t> data, uint8_t length);

}  // namespace device_window
