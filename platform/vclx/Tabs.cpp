#include "vclx/Tabs.h"

#include "classes/ComponentPalette.h"
#include "modules/TUnitState.h"
#include "vclx/TTabSet.h"

namespace Tabs {
namespace {

TUnitState gUnit("Tabs");

void Initialization() {
    gUnit.Initialize();
}
void Finalization() {
    gUnit.Finalize();
}

}  // namespace

PackageUnitEntry UnitEntry() {
    return {&Initialization, &Finalization};
}

void Register() {
    const TClassInfo* const classes[] = {&TTabSet::StaticClassInfo()};
    RegisterComponents("Win 3.1", classes, 0);
}

}  // namespace Tabs
