// Unit Qelpanel: the decorative panels.
#pragma once

namespace Qelpanel {

// Registers the unit's classes, so that form files create them by name.
void Register();

}  // namespace Qelpanel
