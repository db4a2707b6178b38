// The pixels of a one-pixel GDI line, as GDI's Bresenham chooses them: from the start point
// toward the end point, the end point left out. Pure geometry in device pixels; the caller
// decides what each pixel becomes.
#pragma once

#include <cstdint>

#include "core/Types.h"

class TLineRaster {
public:
    TLineRaster(TPoint from, TPoint to);

    // Number of pixels: the longer of |dx| and |dy|, the end point excluded.
    std::int64_t Length() const { return FLength; }

    // The pixels i in [first, last) that fall inside clip; first >= last when none do.
    struct TRange {
        std::int64_t First = 0;
        std::int64_t Last = 0;
        bool IsEmpty() const { return Last <= First; }
    };
    TRange Clipped(const TRect& clip) const;

    TPoint PixelAt(std::int64_t i) const;

    // Calls plot(x, y, i) for pixels i in [range.First, range.Last), in order along the line.
    template <class Plot>
    void ForEach(TRange range, Plot&& plot) const;

private:
    // Minor steps taken before pixel i: the smallest n with the Bresenham error in range.
    std::int64_t MinorStepsBefore(std::int64_t i) const;
    // The error term at pixel i: 2a - b + 2ia - 2nb, a the minor and b the major extent and
    // n the minor steps before i; it always lies between 2a - 2b and 2a.
    std::int64_t ErrorAt(std::int64_t i) const;
    // The first pixel whose minor offset is at least n.
    std::int64_t FirstWithMinorSteps(std::int64_t n) const;

    TPoint FStart;
    std::int64_t FLength = 0;
    std::int64_t FMajor = 0;  // |d| along the major axis
    std::int64_t FMinor = 0;  // |d| along the minor axis
    int FBias = 0;            // GDI rounds half-way steps differently in some octants
    bool FXMajor = true;
    int FXStep = 1;
    int FYStep = 1;
};

template <class Plot>
void TLineRaster::ForEach(TRange range, Plot&& plot) const {
    if (range.IsEmpty()) return;
    const TPoint p = PixelAt(range.First);
    std::int64_t major = FXMajor ? p.X : p.Y;
    std::int64_t minor = FXMajor ? p.Y : p.X;
    const int majorStep = FXMajor ? FXStep : FYStep;
    const int minorStep = FXMajor ? FYStep : FXStep;
    std::int64_t err = ErrorAt(range.First);
    for (std::int64_t i = range.First; i < range.Last; ++i) {
        if (FXMajor)
            plot(static_cast<int>(major), static_cast<int>(minor), i);
        else
            plot(static_cast<int>(minor), static_cast<int>(major), i);
        if (err + FBias > 0) {
            minor += minorStep;
            err += 2 * FMinor - 2 * FMajor;
        } else {
            err += 2 * FMinor;
        }
        major += majorStep;
    }
}
