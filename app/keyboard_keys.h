#pragma once
// The keys of the on-screen keyboard: the character code each of the 49 keys appends.
#include <cstdint>

namespace shell {

inline constexpr int32_t kKeyCount = 49;
inline constexpr int32_t kNoKey = 49;  // PendingKey when no key waits

// The code of key `key` (0..48); 255 for any other index. "<-" gives 0, "ENTER" 13, "_" a space.
uint8_t GetCodeChar(int32_t key);

}  // namespace shell
