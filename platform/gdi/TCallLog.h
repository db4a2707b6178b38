// A record of the drawing calls made on a device context, so that tests can see what a paint
// asked of GDI as well as the pixels it produced.
#pragma once

#include <string>
#include <vector>

#include "core/Types.h"

struct TGdiCall {
    std::string Op;         // "FillRect", "Rectangle", "Ellipse", "LineTo", "DrawText", ...
    TRect Rect{};           // the call's rectangle, or (x0, y0, x1, y1) of a line, in logical units
    TColor Color = 0;       // brush colour of fills, pen colour of lines and outlines, text colour
    int Style = 0;          // brush or pen style
    std::string Text;       // text of text calls
    unsigned Flags = 0;     // DrawText format
    TRect ResultRect{};     // the rectangle after the call (DT_CALCRECT)

    std::string ToString() const;
};

class TCallLog {
public:
    void Add(TGdiCall call) { FCalls.push_back(std::move(call)); }
    const std::vector<TGdiCall>& Calls() const { return FCalls; }
    void Clear() { FCalls.clear(); }
    // The calls with the given operation name, in order.
    std::vector<TGdiCall> Only(const std::string& op) const;

private:
    std::vector<TGdiCall> FCalls;
};
