#include "vclx/Tabs.h"

#include "core/TUnitState.h"

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
