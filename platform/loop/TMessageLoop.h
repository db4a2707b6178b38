// The message loop of a thread: it delivers posted messages and timer ticks (WM_TIMER) to the
// receivers made on that thread, so that timers tick on the thread that owns the controls.
//
// The timers run against a clock. At first that is the loop's own virtual clock, which stands
// still until Advance moves it, so that the headless host and the tests get every tick at a
// known time. A real host gives the loop a TSteadyClock and calls Run.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_set>
#include <vector>

#include "win/Messages.h"
#include "loop/TClock.h"
#include "loop/TVirtualClock.h"

class TMessageReceiver;

class TMessageLoop {
public:
    TMessageLoop();
    ~TMessageLoop();
    TMessageLoop(const TMessageLoop&) = delete;
    TMessageLoop& operator=(const TMessageLoop&) = delete;

    // The loop of the calling thread, made when the thread first asks for it.
    static TMessageLoop& Current();

    // The clock the timers run against.
    TClock& Clock() const { return *FClock; }
    TVirtualClock& VirtualClock() const { return *FVirtualClock; }
    bool UsesVirtualClock() const { return FClock == FVirtualClock; }
    // Runs the timers against another clock (null: the loop's virtual clock again); every
    // timer keeps the time it had left until its next tick.
    void SetClock(std::shared_ptr<TClock> clock);

    // Moves the virtual clock on by ms. Every tick that falls due on the way is delivered in
    // time order across all timers, with the clock standing at that tick's time, so that
    // 600 ms give a 100 ms timer exactly six ticks; posted messages are delivered as they
    // come. Raises std::logic_error on a real clock or when called from inside a tick, and
    // std::invalid_argument for a negative time.
    void Advance(TMilliseconds ms);

    // Delivers what is due now: the posted messages, then one tick of every timer whose time
    // has come, earliest first. Ticks that a busy loop missed are merged into one, as WM_TIMER
    // is. Returns the milliseconds until the next tick, or none when no timer runs.
    std::optional<TMilliseconds> ProcessMessages();

    // How Run waits between rounds: until the timeout passes (none: without limit) or
    // something is posted. A window host waits for its own events here.
    using TWaitFunction = std::function<void(std::optional<TMilliseconds> timeout)>;
    // Runs until PostQuitMessage and returns its exit code. Each round delivers what is due,
    // runs the idle handlers (a host paints and presents there), then waits. Without a wait
    // function it sleeps until the next tick or a post; on the virtual clock it moves the
    // clock to the next tick instead of sleeping.
    int Run(const TWaitFunction& wait = {});
    // Makes Run return exitCode once the messages queued before it are delivered; any
    // thread may call it.
    void PostQuitMessage(int exitCode = 0);
    // Ends a wait of Run's own early; any thread may call it.
    void Wake();
    // Called, on the thread that posts, whenever a message or a quit request is posted or Wake
    // is called, so that a host waiting for its own events can end its wait too (null: none).
    // Set it on the loop's own thread.
    void SetWakeHandler(std::function<void()> handler);

    // Called by Run each time it has delivered what was due.
    int AddIdleHandler(std::function<void()> handler);
    void RemoveIdleHandler(int handle);

    int TimerCount() const { return static_cast<int>(FTimers.size()); }
    // The clock time of the next tick, or none.
    std::optional<TMilliseconds> NextTickDue() const;

private:
    friend class TMessageReceiver;
    struct TTimerEntry {
        TMessageReceiver* Receiver;
        std::uintptr_t Id;
        TMilliseconds Interval;
        TMilliseconds Due;
        std::uint64_t Serial;  // breaks ties between ticks due at the same time
    };
    struct TPosted {
        TMessageReceiver* Receiver;
        TMessage Message;
    };

    void Register(TMessageReceiver* receiver);
    void Forget(TMessageReceiver* receiver);
    void SetTimer(TMessageReceiver* receiver, std::uintptr_t id, std::uint32_t interval);
    bool KillTimer(TMessageReceiver* receiver, std::uintptr_t id);
    void Post(TMessageReceiver* receiver, const TMessage& message);

    // The timer due earliest, no later than until; -1 if none.
    int EarliestDue(TMilliseconds until) const;
    int FindSerial(std::uint64_t serial) const;
    // Delivers one tick of timer index at time now, after scheduling its next.
    void Tick(int index, TMilliseconds now);
    void DeliverPosted();
    void DefaultWait(std::optional<TMilliseconds> timeout);
    // Wakes DefaultWait and the host's wait; FMutex must not be held.
    void NotifyWaiters();

    std::shared_ptr<TVirtualClock> FVirtualClock;
    std::shared_ptr<TClock> FClock;
    std::vector<TTimerEntry> FTimers;
    std::uint64_t FNextSerial = 0;
    std::unordered_set<TMessageReceiver*> FReceivers;
    bool FAdvancing = false;
    std::vector<std::pair<int, std::function<void()>>> FIdleHandlers;
    int FNextIdleHandle = 1;

    // Shared with other threads: the posted messages and the quit request.
    std::mutex FMutex;
    std::condition_variable FWakeUp;
    std::deque<TPosted> FPosted;
    std::function<void()> FWakeHandler;
    bool FWoken = false;
    bool FQuit = false;
    int FExitCode = 0;
};
