// A clock that stands still until it is moved: what the headless host and the tests run
// timers against, so that every tick comes at a known time.
#pragma once

#include "loop/TClock.h"

class TVirtualClock final : public TClock {
public:
    TMilliseconds Now() const override { return FNow; }
    // Moves the clock forward to t; a time before the current one is ignored.
    void MoveTo(TMilliseconds t) {
        if (t > FNow) FNow = t;
    }

private:
    TMilliseconds FNow = 0;
};
