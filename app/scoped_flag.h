#pragma once
// Holds a guard byte at 1 for a scope and puts it back to 0 however the scope ends, so that an
// exception inside a command or tick never leaves the guard set.
#include <cstdint>

class ScopedFlag {
public:
    explicit ScopedFlag(uint8_t &flag) : flag_(flag) { flag_ = 1; }
    ~ScopedFlag() { flag_ = 0; }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

private:
    uint8_t &flag_;
};
