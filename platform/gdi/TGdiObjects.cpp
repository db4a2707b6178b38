#include "gdi/TGdiObjects.h"

// The stock objects live as long as the program, as the system's do.
HPEN TGdiPenObject::Default() {
    static TGdiPenObject& pen = *new TGdiPenObject(TGdiPen{PS_SOLID, 1, 0}, true);
    return &pen;
}

HBRUSH TGdiBrushObject::Default() {
    static TGdiBrushObject& brush =
        *new TGdiBrushObject(TGdiBrush{BS_SOLID, 0x00FFFFFF, nullptr}, true);
    return &brush;
}
