#pragma once
// Writes of the program into the tariff page and the grid are not the operator's edits: while a
// RecalcPause lives the change handlers do not store or evaluate them. The guard's previous value
// comes back at the end, so pauses nest; a pause that completes its work may end with another
// value instead, and one left by an exception always puts the previous value back.
#include <cstdint>

class RecalcPause {
public:
    explicit RecalcPause(uint8_t &guard) : guard_(guard), previous_(guard) { guard_ = 0; }
    ~RecalcPause() { guard_ = previous_; }
    // The value the guard takes when the pause ends (called once the paused work is done).
    void EndWith(uint8_t value) { previous_ = value; }
    RecalcPause(const RecalcPause &) = delete;
    RecalcPause &operator=(const RecalcPause &) = delete;

private:
    uint8_t &guard_;
    uint8_t previous_;
};
