#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "loop/TMessageLoop.h"
#include "loop/TMessageReceiver.h"
#include "loop/TSteadyClock.h"
#include "loop/TTimer.h"

namespace {

TMessageLoop& Loop() {
    return TMessageLoop::Current();
}

constexpr UINT kTestMessage = 0x0401;

// Every tick a set of timers delivers, as (timer name, clock time).
struct TTickLog {
    std::vector<std::pair<std::string, TMilliseconds>> Ticks;
    TMilliseconds Start = Loop().Clock().Now();

    std::unique_ptr<TTimer> Timer(const std::string& name, std::uint32_t interval) {
        auto timer = std::make_unique<TTimer>(nullptr);
        timer->SetInterval(interval);
        timer->OnTimer = [this, name](TPersistent*) {
            Ticks.emplace_back(name, Loop().Clock().Now() - Start);
        };
        return timer;
    }
    int Count(const std::string& name) const {
        int n = 0;
        for (const auto& t : Ticks) n += t.first == name;
        return n;
    }
};

// A clock that is not the loop's virtual one, moved by hand: it stands for the wall clock.
class TManualClock : public TClock {
public:
    TMilliseconds Now() const override { return FNow; }
    TMilliseconds FNow = 0;
};

class TRecordingReceiver : public TMessageReceiver {
public:
    std::vector<UINT> Received;

protected:
    void ReceiveMessage(TMessage& m) override { Received.push_back(m.Msg); }
};

}  // namespace

TEST(VirtualClockTimers, AdvanceDeliversExactlyTheTicksDue) {
    TTickLog log;
    auto timer = log.Timer("t", 100);
    Loop().Advance(599);
    EXPECT_EQ(log.Count("t"), 5);
    Loop().Advance(1);
    EXPECT_EQ(log.Count("t"), 6);
    EXPECT_EQ(log.Ticks.back().second, 600);

    log.Ticks.clear();
    log.Start = Loop().Clock().Now();
    Loop().Advance(600);
    ASSERT_EQ(log.Ticks.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(log.Ticks[i].second, 100 * (i + 1));
}

TEST(VirtualClockTimers, TicksOfSeveralTimersComeInTimeOrder) {
    TTickLog log;
    auto a = log.Timer("a", 100);
    auto b = log.Timer("b", 150);
    Loop().Advance(450);
    const std::vector<std::pair<std::string, TMilliseconds>> expected{
        {"a", 100}, {"b", 150}, {"a", 200}, {"a", 300}, {"b", 300}, {"a", 400}, {"b", 450}};
    EXPECT_EQ(log.Ticks, expected);
}

TEST(VirtualClockTimers, EnabledAndIntervalStartAndStopTheTimer) {
    TTickLog log;
    auto t = log.Timer("t", 100);
    EXPECT_TRUE(t->Enabled());
    Loop().Advance(250);
    t->SetEnabled(false);
    Loop().Advance(1000);
    EXPECT_EQ(log.Count("t"), 2);

    // Enabling counts the interval from that moment.
    t->SetEnabled(true);
    Loop().Advance(99);
    EXPECT_EQ(log.Count("t"), 2);
    Loop().Advance(1);
    EXPECT_EQ(log.Count("t"), 3);

    // The same interval again leaves the phase alone; a new one starts over.
    Loop().Advance(50);
    t->SetInterval(100);
    Loop().Advance(50);
    EXPECT_EQ(log.Count("t"), 4);
    Loop().Advance(50);
    t->SetInterval(200);
    Loop().Advance(199);
    EXPECT_EQ(log.Count("t"), 4);
    Loop().Advance(1);
    EXPECT_EQ(log.Count("t"), 5);

    // An interval of 0 stops the timer.
    t->SetInterval(0);
    Loop().Advance(10000);
    EXPECT_EQ(log.Count("t"), 5);
}

TEST(VirtualClockTimers, ShortIntervalsCountAsTenMilliseconds) {
    TTickLog log;
    auto t = log.Timer("t", 1);
    Loop().Advance(100);
    EXPECT_EQ(log.Count("t"), 10);
}

TEST(VirtualClockTimers, ATimerGoesWithItsOwner) {
    const int before = Loop().TimerCount();
    int ticks = 0;
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    timer->OnTimer = [&](TPersistent*) { ++ticks; };
    EXPECT_EQ(Loop().TimerCount(), before + 1);
    Loop().Advance(1000);
    EXPECT_EQ(ticks, 1);
    delete owner;
    EXPECT_EQ(Loop().TimerCount(), before);
    Loop().Advance(5000);
    EXPECT_EQ(ticks, 1);
}

TEST(VirtualClockTimers, AHandlerMayFreeItsTimerAndOthers) {
    int ticks = 0;
    auto* a = new TTimer(nullptr);
    auto* b = new TTimer(nullptr);
    a->SetInterval(100);
    b->SetInterval(100);
    a->OnTimer = [&](TPersistent*) {
        ++ticks;
        delete b;  // due at the same moment, after a
        delete a;
    };
    b->OnTimer = [&](TPersistent*) { ADD_FAILURE() << "a freed timer ticked"; };
    Loop().Advance(1000);
    EXPECT_EQ(ticks, 1);
}

TEST(VirtualClockTimers, MisuseIsReported) {
    EXPECT_THROW(Loop().Advance(-1), std::invalid_argument);
    TTickLog log;
    auto t = log.Timer("t", 100);
    bool nested = false;
    t->OnTimer = [&](TPersistent*) {
        try {
            Loop().Advance(100);
        } catch (const std::logic_error&) {
            nested = true;
        }
    };
    Loop().Advance(100);
    EXPECT_TRUE(nested);
    Loop().SetClock(std::make_shared<TManualClock>());
    EXPECT_THROW(Loop().Advance(100), std::logic_error);
    Loop().SetClock(nullptr);
    EXPECT_TRUE(Loop().UsesVirtualClock());
}

TEST(RealClockTimers, MissedTicksMergeIntoOne) {
    auto clock = std::make_shared<TManualClock>();
    clock->FNow = 5000;
    Loop().SetClock(clock);
    TTickLog log;
    auto t = log.Timer("t", 100);
    EXPECT_EQ(Loop().ProcessMessages(), 100);
    clock->FNow += 350;  // the loop was busy for three and a half intervals
    EXPECT_EQ(Loop().ProcessMessages(), 100);
    EXPECT_EQ(log.Count("t"), 1);
    clock->FNow += 99;
    Loop().ProcessMessages();
    EXPECT_EQ(log.Count("t"), 1);
    clock->FNow += 1;
    Loop().ProcessMessages();
    EXPECT_EQ(log.Count("t"), 2);
    Loop().SetClock(nullptr);
}

TEST(RealClockTimers, ChangingTheClockKeepsTheTimeLeft) {
    TTickLog log;
    auto t = log.Timer("t", 100);
    Loop().Advance(40);
    auto clock = std::make_shared<TManualClock>();
    clock->FNow = 1000;
    Loop().SetClock(clock);
    EXPECT_EQ(Loop().NextTickDue(), 1060);
    Loop().SetClock(nullptr);
    Loop().Advance(60);
    EXPECT_EQ(log.Count("t"), 1);
}

TEST(MessageLoopRun, RunsTicksOnTheWallClockUntilQuit) {
    Loop().SetClock(std::make_shared<TSteadyClock>());
    int ticks = 0;
    TTimer t(nullptr);
    t.SetInterval(10);
    t.OnTimer = [&](TPersistent*) {
        if (++ticks == 3) Loop().PostQuitMessage(7);
    };
    int idle = 0;
    const int handle = Loop().AddIdleHandler([&] { ++idle; });
    EXPECT_EQ(Loop().Run(), 7);
    Loop().RemoveIdleHandler(handle);
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(idle, 3);
    Loop().SetClock(nullptr);
}

TEST(MessageLoopRun, OnTheVirtualClockRunJumpsFromTickToTick) {
    TTickLog log;
    auto t = log.Timer("t", 250);
    t->OnTimer = [&](TPersistent*) {
        log.Ticks.emplace_back("t", Loop().Clock().Now() - log.Start);
        if (log.Ticks.size() == 4) Loop().PostQuitMessage(0);
    };
    EXPECT_EQ(Loop().Run(), 0);
    EXPECT_EQ(log.Ticks.back().second, 1000);
}

TEST(MessageLoopRun, AnotherThreadCanPostAndQuit) {
    Loop().SetClock(std::make_shared<TSteadyClock>());
    TRecordingReceiver receiver;
    std::thread poster([&] {
        receiver.PostMessage(kTestMessage);
        TMessageLoop* loop = receiver.Loop();
        loop->PostQuitMessage(3);
    });
    EXPECT_EQ(Loop().Run(), 3);
    poster.join();
    EXPECT_EQ(receiver.Received, std::vector<UINT>{kTestMessage});
    Loop().SetClock(nullptr);
}

TEST(MessageLoopRun, PostedMessagesComeInOrderAndDieWithTheirReceiver) {
    TRecordingReceiver kept;
    auto dropped = std::make_unique<TRecordingReceiver>();
    kept.PostMessage(1);
    dropped->PostMessage(2);
    kept.PostMessage(3);
    dropped.reset();
    Loop().ProcessMessages();
    EXPECT_EQ(kept.Received, (std::vector<UINT>{1, 3}));
}

TEST(MessageLoopThreads, TimersTickOnTheThreadThatMadeThem) {
    std::atomic<int> otherTicks{0};
    std::atomic<bool> ready{false}, done{false};
    std::thread other([&] {
        TTimer t(nullptr);
        t.SetInterval(100);
        t.OnTimer = [&](TPersistent*) { ++otherTicks; };
        ready = true;
        while (!done) std::this_thread::yield();
        TMessageLoop::Current().Advance(300);
    });
    while (!ready) std::this_thread::yield();
    Loop().Advance(1000);  // this thread's loop knows nothing of the other timer
    EXPECT_EQ(otherTicks, 0);
    done = true;
    other.join();
    EXPECT_EQ(otherTicks, 3);
}
