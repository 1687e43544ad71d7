#include "platform/runtime/clock.h"

#include <chrono>
#include <thread>

namespace runtime {

namespace {

struct VirtualClock {
    bool active = false;
    int64_t now = 0;
    int64_t wallStart = 0;
};

VirtualClock &Virtual() {
    static VirtualClock clock;
    return clock;
}

}  // namespace

int64_t NowMs() {
    if (Virtual().active) return Virtual().now;
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t WallClockMs() {
    if (Virtual().active) return Virtual().wallStart + Virtual().now;
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void UseVirtualClock(int64_t wallStartMs) {
    Virtual() = VirtualClock{true, 0, wallStartMs};
}

void UseRealClock() {
    Virtual().active = false;
}

bool VirtualClockActive() {
    return Virtual().active;
}

void AdvanceVirtualClock(int64_t ms) {
    if (ms > 0) Virtual().now += ms;
}

void SleepMs(int64_t ms) {
    if (ms <= 0) return;
    if (Virtual().active) {
        AdvanceVirtualClock(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace runtime
