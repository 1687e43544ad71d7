#pragma once
// Interval timers. A timer ticks every Interval ms while Enabled. Enabling a running timer does not
// restart it; a new Interval does. Ticks that came due while the thread was busy arrive once, not
// one per missed interval. The program's event loop drives the ticks (also inside modal boxes);
// on the virtual clock tests drive them with AdvanceTime or ProcessTimers.
//
// A timer given HasWork rests while it has nothing to do: after a tick that leaves HasWork false
// it stays Enabled but stops ticking (and waking the program). HasWork is asked again after the
// ticks of every timer, before the event loop waits for events and before the virtual clock moves;
// once it says true the timer ticks at the time it would have ticked had it never rested. It must
// be cheap and have no effects.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/gui/component.h"

namespace gui {
class TimerScheduler;
}

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent *owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const { return interval_; }
    void SetInterval(int ms);

    TNotifyEvent OnTimer;
    std::function<bool()> HasWork;

private:
    friend class gui::TimerScheduler;
    void Restart();

    bool enabled_ = true;
    int interval_ = 1000;
};

namespace gui {

// Runs every timer whose tick is due, each once; an exception from a tick is reported through
// Application and the next tick runs as usual.
void ProcessTimers();

// The clock time of the next tick, none while every timer is off or resting: when the program
// wakes next for a timer.
std::optional<int64_t> NextTimerDue();

// Virtual clock only: moves the clock forward by ms, delivering every tick on the way at its time,
// as an idle event loop would.
void AdvanceTime(int64_t ms);

}  // namespace gui
