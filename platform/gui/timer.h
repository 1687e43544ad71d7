#pragma once
// Interval timers. A timer ticks every Interval ms while Enabled. Enabling a running timer does not
// restart it; a new Interval does. Ticks that came due while the thread was busy arrive once, not
// one per missed interval. The program's event loop drives the ticks (also inside modal boxes);
// on the virtual clock tests drive them with AdvanceTime or ProcessTimers.
#include <cstdint>

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

// Virtual clock only: moves the clock forward by ms, delivering every tick on the way at its time,
// as an idle event loop would.
void AdvanceTime(int64_t ms);

}  // namespace gui
