// The wall clock of a real host: a monotonic clock that counts from its own creation.
#pragma once

#include <chrono>

#include "loop/TClock.h"

class TSteadyClock final : public TClock {
public:
    TMilliseconds Now() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - FStart)
            .count();
    }

private:
    std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};
