#pragma once
// The program's one clock. In the program it follows the system; tests switch it to a virtual clock
// that moves only when they advance it, so timers, waits and dates are deterministic.
#include <cstdint>

namespace runtime {

// Milliseconds of a monotonic clock (arbitrary origin); drives timers and bounded waits.
int64_t NowMs();

// Wall-clock time in milliseconds since 1970-01-01 00:00 UTC; drives dates and times of day.
int64_t WallClockMs();

// Switches to the virtual clock: monotonic time starts at 0, wall-clock time at wallStartMs.
void UseVirtualClock(int64_t wallStartMs);
// Back to the system clock.
void UseRealClock();
bool VirtualClockActive();

// Moves the virtual clock forward (negative steps are ignored); no effect on the real clock.
void AdvanceVirtualClock(int64_t ms);

// Blocks the calling thread for ms milliseconds; on the virtual clock it advances the clock instead.
void SleepMs(int64_t ms);

}  // namespace runtime
