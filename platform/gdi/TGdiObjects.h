// The objects behind the pen and brush handles of the Win32 calls. A context copies what it
// needs of an object when the object is selected, so an object may be freed while selected
// without harm; the stock objects a context starts with are never freed.
#pragma once

#include "gdi/TDeviceContext.h"

class TGdiPenObject {
public:
    explicit TGdiPenObject(const TGdiPen& pen, bool stock = false) : Pen(pen), Stock(stock) {}
    // The black one-pixel pen every context starts with.
    static HPEN Default();

    const TGdiPen Pen;
    const bool Stock;
};

class TGdiBrushObject {
public:
    explicit TGdiBrushObject(TGdiBrush brush, bool stock = false)
        : Brush(std::move(brush)), Stock(stock) {}
    // The white brush every context starts with.
    static HBRUSH Default();

    const TGdiBrush Brush;
    const bool Stock;
};
