#include "panels/Qelpanel.h"

#include "classes/TClassRegistry.h"
#include "panels/TQELGradient.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

namespace Qelpanel {

// In the order the unit puts them on the palette.
void Register() {
    TClassRegistry::RegisterClass(TScrollingArea::StaticClassInfo());
    TClassRegistry::RegisterClass(TTileBitmap::StaticClassInfo());
    TClassRegistry::RegisterClass(TQELGradient::StaticClassInfo());
}

}  // namespace Qelpanel
