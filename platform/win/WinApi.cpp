// The Win32 calls that need no engine: rectangles, MulDiv and the system colour table.
#include "win/WinApi.h"

#include <cstdlib>

#include "core/SysColors.h"

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->Left += dx;
    rect->Right += dx;
    rect->Top += dy;
    rect->Bottom += dy;
    return TRUE;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = TRect{left, top, right, bottom};
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const long long p = static_cast<long long>(number) * numerator;
    const long long q = (std::llabs(p) + std::llabs(denominator) / 2) / std::llabs(denominator);
    // Windows answers -1 for a result that does not fit.
    if (q > 2147483647LL) return -1;
    return static_cast<int>(((p < 0) != (denominator < 0)) ? -q : q);
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) return 0;
    return CurrentSysColorScheme()[static_cast<std::size_t>(index)];
}
