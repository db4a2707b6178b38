// The framework's timer component: while it is enabled and its interval is not 0, OnTimer runs
// every Interval milliseconds on the message loop of the thread that made the timer.
#pragma once

#include <cstdint>

#include "classes/TComponent.h"
#include "classes/TEvent.h"
#include "loop/TMessageReceiver.h"

class TTimer : public TComponent {
    DECLARE_CLASSINFO()

public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // A new timer is enabled, with an interval of 1000 ms.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return FInterval; }
    void SetInterval(std::uint32_t value);

    TNotifyEvent OnTimer;

protected:
    // Runs OnTimer; called on every tick.
    virtual void Timer();

private:
    // The timer's hidden window, which its ticks are sent to.
    class TTimerWindow final : public TMessageReceiver {
    public:
        explicit TTimerWindow(TTimer& timer) : FTimer(timer) {}

    protected:
        void ReceiveMessage(TMessage& message) override;

    private:
        TTimer& FTimer;
    };

    // Starts the timer again from now, or stops it.
    void UpdateTimer();

    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    TTimerWindow FWindow{*this};
};
