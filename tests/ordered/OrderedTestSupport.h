// Helpers for the ordered-label controls' tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classes/TypInfo.h"
#include "gdi/TCallLog.h"
#include "graphics/TCanvas.h"
#include "graphics/TFont.h"

namespace OrderedTest {

// A font for which TextHeight("0") is the wanted number of pixels, if one of the pinned faces
// has such a size.
inline std::optional<TFont*> FontGivingTextHeight(TFont& font, int wanted) {
    TCanvas canvas;
    for (const char* name : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif"}) {
        font.SetName(name);
        for (int h = -60; h <= 60; ++h) {
            if (h == 0) continue;
            font.SetHeight(h);
            canvas.SetFont(&font);
            if (canvas.TextHeight("0") == wanted) return &font;
        }
    }
    return std::nullopt;
}

inline int TextHeightOf(const TFont* font) {
    TCanvas canvas;
    canvas.SetFont(font);
    return canvas.TextHeight("0");
}

// The calls of one operation from a log.
inline std::vector<TGdiCall> Only(const std::vector<TGdiCall>& calls, const std::string& op) {
    std::vector<TGdiCall> out;
    for (const auto& c : calls)
        if (c.Op == op) out.push_back(c);
    return out;
}

// The names of a class's published properties, in property order.
inline std::vector<std::string> PropNames(const TClassInfo& cls) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropInfos(cls)) names.push_back(p->Name);
    return names;
}

}  // namespace OrderedTest
