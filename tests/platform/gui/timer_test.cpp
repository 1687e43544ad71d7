#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <utility>

#include "gui_fixture.h"
#include "platform/gui/controls.h"
#include "platform/runtime/errors.h"

namespace {

class Timers : public GuiTest {
protected:
    // A timer that records the clock at each tick.
    TTimer *MakeTimer(int interval, bool enabled) {
        auto *timer = new TTimer(&owner);
        timer->SetEnabled(enabled);
        timer->SetInterval(interval);
        timer->OnTimer = [this, timer](TObject *sender) {
            EXPECT_EQ(sender, timer);
            ticks.push_back(runtime::NowMs());
        };
        return timer;
    }
    TComponent owner{nullptr};
    std::vector<int64_t> ticks;
};

}  // namespace

TEST_F(Timers, TicksEveryIntervalOnTheVirtualClock) {
    MakeTimer(300, true);
    gui::AdvanceTime(1000);
    EXPECT_EQ(ticks, (std::vector<int64_t>{300, 600, 900}));
}

TEST_F(Timers, EnablingARunningTimerKeepsItsPhaseWhileANewIntervalRestartsIt) {
    TTimer *timer = MakeTimer(200, true);
    gui::AdvanceTime(150);
    timer->SetEnabled(true);
    timer->SetInterval(200);  // the same interval: no restart either
    gui::AdvanceTime(100);
    EXPECT_EQ(ticks, (std::vector<int64_t>{200}));
    gui::AdvanceTime(50);  // 300
    timer->SetInterval(500);
    gui::AdvanceTime(600);
    EXPECT_EQ(ticks, (std::vector<int64_t>{200, 800}));
    timer->SetEnabled(false);
    gui::AdvanceTime(1000);
    timer->SetEnabled(true);  // 1900: off and on again starts afresh
    gui::AdvanceTime(500);
    EXPECT_EQ(ticks, (std::vector<int64_t>{200, 800, 2400}));
}

TEST_F(Timers, OverdueTicksOfABusyThreadArriveOnce) {
    MakeTimer(10, true);
    TTimer *slow = MakeTimer(1000, true);
    bool blocked = false;
    slow->OnTimer = [&](TObject *) {  // the first tick blocks the thread for 5 s
        if (!std::exchange(blocked, true)) runtime::AdvanceVirtualClock(5000);
    };
    gui::AdvanceTime(1000);
    EXPECT_EQ(ticks.size(), 100u);  // 10 .. 1000, then the slow tick ran until 6000
    gui::AdvanceTime(0);            // the ten-ms timer missed 499 ticks: one arrives
    EXPECT_EQ(ticks.size(), 101u);
    EXPECT_EQ(ticks.back(), 6000);
    gui::AdvanceTime(10);
    EXPECT_EQ(ticks.back(), 6010);
}

TEST_F(Timers, AnExceptionInATickIsShownOnceAndLaterTicksRun) {
    TTimer *timer = MakeTimer(100, true);
    int calls = 0;
    timer->OnTimer = [&](TObject *) {
        if (++calls == 1) throw Exception("device gone");
    };
    TTimer *other = MakeTimer(100, true);
    gui::AdvanceTime(300);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(ticks.size(), 3u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "device gone.");
    EXPECT_EQ(boxes[0].caption, Application->Title());
    (void)other;
}

TEST_F(Timers, ATimerStoppedOrDestroyedByAnEarlierTickDoesNotRun) {
    TTimer *victim = MakeTimer(100, true);
    TTimer *killer = MakeTimer(100, true);
    killer->OnTimer = [&](TObject *) { delete victim; };
    // Started later, victim would tick after killer at the same due time; make it earlier in order.
    victim->SetEnabled(false);
    victim->SetEnabled(true);
    gui::AdvanceTime(100);
    EXPECT_TRUE(ticks.empty());
}

// A consumer fed by another timer's ticks and by work put in between them: it ticks only when there
// is work, at the times of its own beat, and stays enabled throughout.
TEST_F(Timers, ATimerWithNothingToDoRestsUntilWorkComesAndKeepsItsBeat) {
    int waiting = 0;
    TTimer *consumer = MakeTimer(10, true);
    consumer->OnTimer = [&](TObject *) {
        ticks.push_back(runtime::NowMs());
        waiting = 0;
    };
    consumer->HasWork = [&] { return waiting > 0; };
    TTimer *producer = MakeTimer(35, true);
    producer->OnTimer = [&](TObject *) { ++waiting; };
    gui::AdvanceTime(100);
    EXPECT_EQ(ticks, (std::vector<int64_t>{10, 40, 70}));
    producer->SetEnabled(false);
    gui::AdvanceTime(5);  // 105
    waiting = 1;          // put in by an event, not by a tick
    gui::AdvanceTime(100);
    EXPECT_EQ(ticks, (std::vector<int64_t>{10, 40, 70, 110}));
    EXPECT_TRUE(consumer->Enabled());
    // Off and on again starts afresh, and the first tick comes whatever the work.
    consumer->SetEnabled(false);
    consumer->SetEnabled(true);  // 205
    gui::AdvanceTime(100);
    EXPECT_EQ(ticks, (std::vector<int64_t>{10, 40, 70, 110, 215}));
}

// On the program's event loop: a resting timer arms nothing, and work handed over by an event is
// picked up before the loop waits again.
TEST(TimersOnTheEventLoop, ARestingTimerWakesForWorkAnEventBrings) {
    gui::EnsureQtApplication();
    runtime::UseRealClock();
    TComponent owner(nullptr);
    auto *timer = new TTimer(&owner);
    timer->SetInterval(10);
    bool work = false;
    int ticks = 0;
    timer->OnTimer = [&](TObject *) {
        ++ticks;
        work = false;
    };
    timer->HasWork = [&] { return work; };
    const auto runFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    runFor(100);
    EXPECT_EQ(ticks, 1);
    QTimer::singleShot(0, [&] { work = true; });
    runFor(100);
    EXPECT_EQ(ticks, 2);
}

TEST(TimersOnTheEventLoop, TicksArriveInsideAModalBox) {
    gui::EnsureQtApplication();
    runtime::UseRealClock();
    TComponent owner(nullptr);
    auto *timer = new TTimer(&owner);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject *) { ++ticks; };
    QTimer::singleShot(200, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(Application->MessageBox("Brak biblioteki", "INFO", MB_OK), IDOK);
    EXPECT_GE(ticks, 5);
}

// A ten-ms tick that fails while an error box is open would otherwise open a box inside a box
// every tick until the stack runs out.
TEST_F(Timers, ErrorBoxesRaisedInsideAnOpenErrorBoxFollowItInsteadOfNesting) {
    TTimer *failing = MakeTimer(10, true);
    failing->OnTimer = [](TObject *) { throw Exception("no reply"); };
    int depth = 0, deepest = 0;
    Application->ModalBoxResponder = [&](const TModalBox &box) {
        boxes.push_back(box);
        deepest = std::max(deepest, ++depth);
        if (boxes.size() == 1) gui::AdvanceTime(50);  // five ticks fail while the first box is open
        --depth;
        return IDOK;
    };
    gui::Dispatch([] { throw EConvertError("'abc' is not a valid integer value"); });
    EXPECT_EQ(deepest, 1);
    ASSERT_EQ(boxes.size(), 2u);  // the first, then the message that waited, once
    EXPECT_EQ(boxes[1].text, "no reply.");
    gui::AdvanceTime(10);  // afterwards each failing tick has its own box again
    EXPECT_EQ(boxes.size(), 3u);
}
