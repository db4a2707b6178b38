#include "hosts/RealClockRun.h"

#include <memory>

#include "loop/TSteadyClock.h"

int RunOnRealClock(const std::function<void()>& idle, const TMessageLoop::TWaitFunction& wait) {
    TMessageLoop& loop = TMessageLoop::Current();
    loop.SetClock(std::make_shared<TSteadyClock>());
    // Back on the virtual clock on every way out, exceptions from handlers included.
    struct TRestore {
        TMessageLoop& Loop;
        int Idle;
        ~TRestore() {
            Loop.RemoveIdleHandler(Idle);
            Loop.SetClock(nullptr);
        }
    } restore{loop, loop.AddIdleHandler(idle)};
    return loop.Run(wait);
}
