// The on-screen keyboard: a key pressed is shown lowered on the next Timer10 tick, raised again by
// Timer11 200 ms later, and its character is then appended to the target edit.
#include <array>

#include "app/form1.h"
#include "app/keyboard_keys.h"

namespace {

constexpr std::array<uint8_t, shell::kKeyCount> kKeyCodes = {
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '-', '=', 0,    // 0..12, "<-" last
    'q', 'w', 'e', 'r', 't', 'y', 'u', 'i', 'o', 'p', '[', ']', '\\', // 13..25
    'a', 's', 'd', 'f', 'g', 'h', 'j', 'k', 'l', ';', '\'', '\r',     // 26..37, "ENTER" last
    'z', 'x', 'c', 'v', 'b', 'n', 'm', ',', '.', '/', ' '};           // 38..48, "_" last

}  // namespace

uint8_t shell::GetCodeChar(int32_t key) {
    return key >= 0 && key < kKeyCount ? kKeyCodes[static_cast<size_t>(key)] : 255;
}

void TForm1::SetPanelKey(bool hideTarget, int, const QString &text) {
    Panel171->Show();
    Panel239->Hide();
    PendingKey = shell::kNoKey;
    if (hideTarget) {
        Edit13->Hide();
    } else {
        Edit13->Show();
        Edit13->SetText(text);
    }
    Timer10->SetEnabled(true);
}

void TForm1::KeyPanelClick(TObject *Sender) {
    for (int32_t key = 0; key < shell::kKeyCount; ++key)
        if (KeyPanels[static_cast<size_t>(key)] == Sender) PendingKey = key;
}

void TForm1::Timer10Timer(TObject *) {
    if (PendingKey >= shell::kNoKey) return;
    KeyPanels[static_cast<size_t>(PendingKey)]->SetBevelOuter(bvLowered);
    Timer11->SetEnabled(true);
}

void TForm1::Timer11Timer(TObject *) {
    Timer11->SetEnabled(false);
    if (PendingKey >= shell::kNoKey) return;
    KeyPanels[static_cast<size_t>(PendingKey)]->SetBevelOuter(bvRaised);
    // "<-" gives code 0, which shows nothing: the text is left as it is.
    const uint8_t code = shell::GetCodeChar(PendingKey);
    if (Edit13->Visible() && code != 0) Edit13->SetText(Edit13->Text() + QChar(code));
    PendingKey = shell::kNoKey;
}
