// Unit Tabs of the framework's extension package: the tab set.
#pragma once

#include "modules/Packages.h"

namespace Tabs {

// The unit's initialization and finalization procedures, for a package's unit table.
PackageUnitEntry UnitEntry();
// Puts the tab set on the palette page "Win 3.1", as a design environment registers it.
void Register();

}  // namespace Tabs
