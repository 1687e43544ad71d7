#include "platform/gui/timer.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gui/application.h"
#include "platform/runtime/clock.h"

namespace gui {

// Keeps the due times of the running timers; on the real clock one Qt timer is armed for the
// earliest of them.
class TimerScheduler {
public:
    static TimerScheduler &Instance() {
        // Never destroyed: timers of forms still alive at exit may stop after static destruction.
        static TimerScheduler *scheduler = new TimerScheduler;
        return *scheduler;
    }

    void Start(TTimer *timer) {
        Stop(timer);
        entries_.push_back({timer, runtime::NowMs() + timer->interval_, nextSerial_++, false, false});
        Rearm();
    }

    void Stop(TTimer *timer) {
        std::erase_if(entries_, [timer](const Entry &e) { return e.timer == timer; });
        Rearm();
    }

    std::optional<int64_t> NextDue() const {
        std::optional<int64_t> due;
        for (const Entry &e : entries_)
            if (!e.running && !e.resting && (!due || e.due < *due)) due = e.due;
        return due;
    }

    // Resting timers that have work again go on at the next time of their own beat.
    void WakeRested() {
        const int64_t now = runtime::NowMs();
        bool woken = false;
        for (Entry &e : entries_) {
            if (!e.resting || !e.timer->HasWork()) continue;
            e.resting = false;
            woken = true;
            const int64_t interval = e.timer->interval_;
            if (e.due < now) e.due += (now - e.due + interval - 1) / interval * interval;
        }
        if (woken) Rearm();
    }

    void ProcessDue() {
        WakeRested();
        const int64_t now = runtime::NowMs();
        std::vector<Entry> due;
        for (const Entry &e : entries_)
            if (!e.running && !e.resting && e.due <= now) due.push_back(e);
        std::sort(due.begin(), due.end(), [](const Entry &a, const Entry &b) {
            return a.due != b.due ? a.due < b.due : a.serial < b.serial;
        });
        for (const Entry &snapshot : due) {
            // An earlier tick may have stopped, restarted or destroyed this timer.
            Entry *entry = Find(snapshot.serial);
            if (entry == nullptr || entry->due > now) continue;
            // Missed intervals are not made up: the next tick is one interval from now.
            entry->due = runtime::NowMs() + entry->timer->interval_;
            entry->running = true;
            TTimer *timer = entry->timer;
            const uint64_t serial = entry->serial;
            if (timer->OnTimer) gui::Dispatch([timer] { timer->OnTimer(timer); });
            if (Entry *after = Find(serial)) {
                after->running = false;
                after->resting = after->timer->HasWork && !after->timer->HasWork();
            }
        }
        // A tick may have handed work to a resting timer.
        WakeRested();
        Rearm();
    }

private:
    struct Entry {
        TTimer *timer;
        int64_t due;
        uint64_t serial;
        bool running;  // its tick is being handled (a nested loop must not run it again)
        bool resting;  // enabled, but not ticking until it has work
    };

    Entry *Find(uint64_t serial) {
        for (Entry &e : entries_)
            if (e.serial == serial) return &e;
        return nullptr;
    }

    void Rearm() {
        if (runtime::VirtualClockActive() || QCoreApplication::instance() == nullptr) return;
        if (driver_ == nullptr) {
            driver_ = new QTimer(QCoreApplication::instance());
            driver_->setSingleShot(true);
            driver_->setTimerType(Qt::PreciseTimer);
            QObject::connect(driver_, &QTimer::timeout, driver_, [this] { ProcessDue(); });
            // Work handed over by any event (input, a device, a thread) is seen before the loop sleeps.
            if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(driver_->thread()))
                QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, driver_,
                                 [this] { WakeRested(); });
        }
        const std::optional<int64_t> due = NextDue();
        if (!due) {
            driver_->stop();
            return;
        }
        driver_->start(static_cast<int>(std::clamp<int64_t>(*due - runtime::NowMs(), 0, INT32_MAX)));
    }

    std::vector<Entry> entries_;
    uint64_t nextSerial_ = 1;
    QTimer *driver_ = nullptr;
};

}  // namespace gui

TTimer::TTimer(TComponent *owner) : TComponent(owner) {
    Restart();
}

TTimer::~TTimer() {
    gui::TimerScheduler::Instance().Stop(this);
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Restart();
}

void TTimer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
}

void TTimer::Restart() {
    if (enabled_ && interval_ > 0)
        gui::TimerScheduler::Instance().Start(this);
    else
        gui::TimerScheduler::Instance().Stop(this);
}

namespace gui {

void ProcessTimers() {
    TimerScheduler::Instance().ProcessDue();
}

std::optional<int64_t> NextTimerDue() {
    return TimerScheduler::Instance().NextDue();
}

void AdvanceTime(int64_t ms) {
    const int64_t target = runtime::NowMs() + std::max<int64_t>(ms, 0);
    for (;;) {
        gui::TimerScheduler::Instance().WakeRested();
        const std::optional<int64_t> due = gui::TimerScheduler::Instance().NextDue();
        if (!due || *due > target) break;
        runtime::AdvanceVirtualClock(*due - runtime::NowMs());
        ProcessTimers();
    }
    runtime::AdvanceVirtualClock(target - runtime::NowMs());
}

}  // namespace gui
