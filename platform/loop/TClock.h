// Time as a message loop sees it: milliseconds from an arbitrary start, never going back.
#pragma once

#include <cstdint>

using TMilliseconds = std::int64_t;

class TClock {
public:
    virtual ~TClock() = default;
    virtual TMilliseconds Now() const = 0;
};
