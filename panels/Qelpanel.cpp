#include "panels/Qelpanel.h"

#include "classes/ComponentPalette.h"
#include "classes/TClassRegistry.h"
#include "modules/TUnitState.h"
#include "panels/TQELGradient.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

namespace Qelpanel {
namespace {
TUnitState gUnit("Qelpanel");
}  // namespace

void Register() {
    for (const TClassInfo* cls :
         {&TScrollingArea::StaticClassInfo(), &TTileBitmap::StaticClassInfo(),
          &TQELGradient::StaticClassInfo()}) {
        const TClassInfo* const classes[] = {cls};
        RegisterComponents("QEL", classes, 0);
    }
}

void RegisterClasses() {
    TClassRegistry::RegisterClass(TScrollingArea::StaticClassInfo());
    TClassRegistry::RegisterClass(TTileBitmap::StaticClassInfo());
    TClassRegistry::RegisterClass(TQELGradient::StaticClassInfo());
}

void initialization() {
    gUnit.Initialize();
}
void Finalization() {
    gUnit.Finalize();
}
int InitCount() {
    return gUnit.InitCount();
}

}  // namespace Qelpanel
