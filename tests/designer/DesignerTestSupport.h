// The package, loaded once for the designer's tests as the design command loads it before it
// designs anything, with each unit's Register called.
#pragma once

#include "app/TLoadedPackage.h"

const TLoadedPackage& DesignerTestPackage();
