// Something that takes messages from a message loop, as a window does: messages posted to it
// and WM_TIMER from its timers. A receiver belongs to the loop of the thread that made it, and
// its messages are delivered only on that thread.
#pragma once

#include <cstdint>

#include "win/Messages.h"

class TMessageLoop;

class TMessageReceiver {
public:
    TMessageReceiver();
    // Its timers stop and the messages still queued for it are dropped.
    virtual ~TMessageReceiver();
    TMessageReceiver(const TMessageReceiver&) = delete;
    TMessageReceiver& operator=(const TMessageReceiver&) = delete;

    // The loop it belongs to; null once that loop has ended with its thread.
    TMessageLoop* Loop() const { return FLoop; }

    // Starts a timer that sends WM_TIMER with WParam id every interval milliseconds from now,
    // as SetTimer does: an interval under 10 ms counts as 10, and setting a timer that is
    // running restarts it. Call it on the receiver's own thread.
    void SetTimer(std::uintptr_t id, std::uint32_t interval);
    // Stops the timer; returns whether it was running.
    bool KillTimer(std::uintptr_t id);
    // Queues a message for the receiver; any thread may post.
    void PostMessage(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);

protected:
    friend class TMessageLoop;
    virtual void ReceiveMessage(TMessage& message) = 0;

private:
    TMessageLoop* FLoop;
};
