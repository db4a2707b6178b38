#include "loop/TMessageLoop.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <stdexcept>

#include "loop/TMessageReceiver.h"

namespace {

// Windows raises shorter timer intervals to this many milliseconds.
constexpr TMilliseconds kMinimumInterval = 10;

TMilliseconds SaturatingAdd(TMilliseconds a, TMilliseconds b) {
    const TMilliseconds max = std::numeric_limits<TMilliseconds>::max();
    return b > max - a ? max : a + b;
}

// Clears a flag on every way out of a scope, exceptions from handlers included.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

}  // namespace

TMessageLoop::TMessageLoop()
    : FVirtualClock(std::make_shared<TVirtualClock>()), FClock(FVirtualClock) {}

TMessageLoop::~TMessageLoop() {
    // Receivers that outlive their thread's loop keep working as receivers of nothing.
    for (TMessageReceiver* r : FReceivers) r->FLoop = nullptr;
}

TMessageLoop& TMessageLoop::Current() {
    thread_local TMessageLoop loop;
    return loop;
}

void TMessageLoop::SetClock(std::shared_ptr<TClock> clock) {
    if (!clock) clock = FVirtualClock;
    const TMilliseconds oldNow = FClock->Now(), newNow = clock->Now();
    for (TTimerEntry& t : FTimers) t.Due = t.Due - oldNow + newNow;
    FClock = std::move(clock);
}

void TMessageLoop::Register(TMessageReceiver* receiver) {
    FReceivers.insert(receiver);
}

void TMessageLoop::Forget(TMessageReceiver* receiver) {
    FReceivers.erase(receiver);
    std::erase_if(FTimers, [&](const TTimerEntry& t) { return t.Receiver == receiver; });
    std::lock_guard lock(FMutex);
    std::erase_if(FPosted, [&](const TPosted& p) { return p.Receiver == receiver; });
}

void TMessageLoop::SetTimer(TMessageReceiver* receiver, std::uintptr_t id, std::uint32_t interval) {
    const TMilliseconds period = std::max<TMilliseconds>(interval, kMinimumInterval);
    const TMilliseconds due = SaturatingAdd(FClock->Now(), period);
    for (TTimerEntry& t : FTimers)
        if (t.Receiver == receiver && t.Id == id) {
            t.Interval = period;
            t.Due = due;
            t.Serial = FNextSerial++;
            return;
        }
    FTimers.push_back(TTimerEntry{receiver, id, period, due, FNextSerial++});
}

bool TMessageLoop::KillTimer(TMessageReceiver* receiver, std::uintptr_t id) {
    return std::erase_if(FTimers, [&](const TTimerEntry& t) {
               return t.Receiver == receiver && t.Id == id;
           }) > 0;
}

void TMessageLoop::Post(TMessageReceiver* receiver, const TMessage& message) {
    {
        std::lock_guard lock(FMutex);
        FPosted.push_back(TPosted{receiver, message});
        FWoken = true;
    }
    NotifyWaiters();
}

void TMessageLoop::PostQuitMessage(int exitCode) {
    {
        std::lock_guard lock(FMutex);
        FQuit = true;
        FExitCode = exitCode;
        FWoken = true;
    }
    NotifyWaiters();
}

void TMessageLoop::Wake() {
    {
        std::lock_guard lock(FMutex);
        FWoken = true;
    }
    NotifyWaiters();
}

void TMessageLoop::SetWakeHandler(std::function<void()> handler) {
    std::lock_guard lock(FMutex);
    FWakeHandler = std::move(handler);
}

void TMessageLoop::NotifyWaiters() {
    FWakeUp.notify_all();
    std::function<void()> handler;
    {
        std::lock_guard lock(FMutex);
        handler = FWakeHandler;
    }
    if (handler) handler();
}

std::optional<TMilliseconds> TMessageLoop::NextTickDue() const {
    const int i = EarliestDue(std::numeric_limits<TMilliseconds>::max());
    if (i < 0) return std::nullopt;
    return FTimers[static_cast<std::size_t>(i)].Due;
}

int TMessageLoop::EarliestDue(TMilliseconds until) const {
    int best = -1;
    for (std::size_t i = 0; i < FTimers.size(); ++i) {
        const TTimerEntry& t = FTimers[i];
        if (t.Due > until) continue;
        if (best < 0) {
            best = static_cast<int>(i);
            continue;
        }
        const TTimerEntry& b = FTimers[static_cast<std::size_t>(best)];
        if (t.Due < b.Due || (t.Due == b.Due && t.Serial < b.Serial)) best = static_cast<int>(i);
    }
    return best;
}

int TMessageLoop::FindSerial(std::uint64_t serial) const {
    for (std::size_t i = 0; i < FTimers.size(); ++i)
        if (FTimers[i].Serial == serial) return static_cast<int>(i);
    return -1;
}

void TMessageLoop::Tick(int index, TMilliseconds now) {
    TTimerEntry& t = FTimers[static_cast<std::size_t>(index)];
    t.Due = SaturatingAdd(t.Due, t.Interval);
    if (t.Due <= now) t.Due = SaturatingAdd(now, t.Interval);
    TMessage message{WM_TIMER, t.Id, 0, 0};
    // The handler may stop or restart timers, or free the receiver: t is not used after this.
    t.Receiver->ReceiveMessage(message);
}

void TMessageLoop::DeliverPosted() {
    for (;;) {
        TPosted posted;
        {
            std::lock_guard lock(FMutex);
            if (FPosted.empty()) return;
            posted = FPosted.front();
            FPosted.pop_front();
        }
        posted.Receiver->ReceiveMessage(posted.Message);
    }
}

void TMessageLoop::Advance(TMilliseconds ms) {
    if (ms < 0) throw std::invalid_argument("TMessageLoop::Advance: the time must not be negative");
    if (!UsesVirtualClock())
        throw std::logic_error("TMessageLoop::Advance: the loop runs on a real clock");
    if (FAdvancing) throw std::logic_error("TMessageLoop::Advance: called from inside a tick");
    TFlagGuard advancing(FAdvancing);
    const std::shared_ptr<TVirtualClock> clock = FVirtualClock;
    const TMilliseconds target = SaturatingAdd(clock->Now(), ms);
    DeliverPosted();
    for (int i = EarliestDue(target); i >= 0 && UsesVirtualClock(); i = EarliestDue(target)) {
        const TMilliseconds due = FTimers[static_cast<std::size_t>(i)].Due;
        clock->MoveTo(due);
        Tick(i, clock->Now());
        DeliverPosted();
    }
    if (UsesVirtualClock()) clock->MoveTo(target);
    DeliverPosted();
}

std::optional<TMilliseconds> TMessageLoop::ProcessMessages() {
    DeliverPosted();
    const TMilliseconds now = FClock->Now();
    std::vector<std::pair<TMilliseconds, std::uint64_t>> due;
    for (const TTimerEntry& t : FTimers)
        if (t.Due <= now) due.emplace_back(t.Due, t.Serial);
    std::sort(due.begin(), due.end());
    for (const auto& [time, serial] : due) {
        // A handler before this one may have stopped or restarted the timer.
        const int i = FindSerial(serial);
        if (i < 0 || FTimers[static_cast<std::size_t>(i)].Due != time) continue;
        Tick(i, now);
        DeliverPosted();
    }
    const std::optional<TMilliseconds> next = NextTickDue();
    if (!next) return std::nullopt;
    return std::max<TMilliseconds>(0, *next - FClock->Now());
}

void TMessageLoop::DefaultWait(std::optional<TMilliseconds> timeout) {
    std::unique_lock lock(FMutex);
    if (!FPosted.empty() || FQuit || FWoken) {
        FWoken = false;
        return;
    }
    if (timeout && UsesVirtualClock()) {
        FVirtualClock->MoveTo(SaturatingAdd(FVirtualClock->Now(), *timeout));
        return;
    }
    if (timeout)
        FWakeUp.wait_for(lock, std::chrono::milliseconds(*timeout), [this] { return FWoken; });
    else
        FWakeUp.wait(lock, [this] { return FWoken; });
    FWoken = false;
}

int TMessageLoop::Run(const TWaitFunction& wait) {
    for (;;) {
        const std::optional<TMilliseconds> next = ProcessMessages();
        {
            std::lock_guard lock(FMutex);
            if (FQuit && FPosted.empty()) {
                FQuit = false;
                return FExitCode;
            }
        }
        // Handlers may add or remove handlers; run a copy.
        const auto idle = FIdleHandlers;
        for (const auto& handler : idle) handler.second();
        if (wait)
            wait(next);
        else
            DefaultWait(next);
    }
}

int TMessageLoop::AddIdleHandler(std::function<void()> handler) {
    FIdleHandlers.emplace_back(FNextIdleHandle, std::move(handler));
    return FNextIdleHandle++;
}

void TMessageLoop::RemoveIdleHandler(int handle) {
    std::erase_if(FIdleHandlers, [&](const auto& h) { return h.first == handle; });
}
