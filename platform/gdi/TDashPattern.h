// The on and off runs of a one-pixel styled pen, and where along them a stroke has got to.
// A stroke's position advances one step per pixel of the unclipped line, so clipping never
// shifts the pattern.
#pragma once

#include <array>
#include <cstdint>

class TDashPattern {
public:
    // The pattern of a cosmetic pen style (PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT), or
    // of the alternate pen (every other pixel); any other style is solid.
    static TDashPattern ForPenStyle(int style);
    static TDashPattern Alternate();

    bool IsSolid() const { return FCount == 0; }
    // Whether the pixel at position pos (from the start of the figure) is in an "on" run.
    bool IsOn(std::int64_t pos) const {
        if (IsSolid()) return true;
        int offset = static_cast<int>(pos % FPeriod);
        for (int i = 0; i < FCount; ++i) {
            if (offset < FRuns[i]) return i % 2 == 0;
            offset -= FRuns[i];
        }
        return false;
    }

private:
    std::array<int, 6> FRuns{};
    int FCount = 0;
    int FPeriod = 1;
};
