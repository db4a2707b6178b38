// The units of the framework's base package, each with the initialization and finalization
// procedures that a package's unit table lists. They keep their initialization count; the
// framework's state is made on first use, so there is nothing else for them to do.
#pragma once

#include <span>

#include "modules/Packages.h"

namespace FrameworkUnits {

// The base package's units in initialization order, each before the units that use it:
// System, Types, Windows, Messages, TypInfo, Classes, Graphics, Controls, Forms, StdCtrls,
// ExtCtrls.
std::span<const PackageUnitEntry> BasePackage();
// The names of BasePackage()'s units, in the same order.
std::span<const char* const> BasePackageNames();

}  // namespace FrameworkUnits
