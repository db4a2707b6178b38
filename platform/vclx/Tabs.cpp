#include "vclx/Tabs.h"

#include "modules/TUnitState.h"

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

}  // namespace Tabs
