#include "gdi/TDashPattern.h"

#include "gdi/TDeviceContext.h"

TDashPattern TDashPattern::ForPenStyle(int style) {
    TDashPattern p;
    switch (style) {
        case PS_DASH:
            p.FRuns = {18, 6};
            p.FCount = 2;
            break;
        case PS_DOT:
            p.FRuns = {3, 3};
            p.FCount = 2;
            break;
        case PS_DASHDOT:
            p.FRuns = {9, 6, 3, 6};
            p.FCount = 4;
            break;
        case PS_DASHDOTDOT:
            p.FRuns = {9, 3, 3, 3, 3, 3};
            p.FCount = 6;
            break;
        default:
            return p;
    }
    p.FPeriod = 0;
    for (int i = 0; i < p.FCount; ++i) p.FPeriod += p.FRuns[i];
    return p;
}

TDashPattern TDashPattern::Alternate() {
    TDashPattern p;
    p.FRuns = {1, 1};
    p.FCount = 2;
    p.FPeriod = 2;
    return p;
}
