// The Win32 calls that need no engine: rectangles and the system colour table.
#include "win/WinApi.h"

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

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) return 0;
    return CurrentSysColorScheme()[static_cast<std::size_t>(index)];
}
