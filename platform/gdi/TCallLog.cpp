#include "gdi/TCallLog.h"

#include <cstdio>

std::string TGdiCall::ToString() const {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s(%d,%d,%d,%d) color=%08X style=%d", Op.c_str(), Rect.Left,
                  Rect.Top, Rect.Right, Rect.Bottom, static_cast<unsigned>(Color), Style);
    std::string s = buf;
    if (!Text.empty() || Op == "DrawText" || Op == "TextOut") {
        std::snprintf(buf, sizeof buf, " flags=%X text=", Flags);
        s += buf;
        s += '"' + Text + '"';
    }
    return s;
}

std::vector<TGdiCall> TCallLog::Only(const std::string& op) const {
    std::vector<TGdiCall> out;
    for (const auto& c : FCalls)
        if (c.Op == op) out.push_back(c);
    return out;
}
