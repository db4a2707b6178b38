// Unit Qelpanel: the decorative panels.
#pragma once

namespace Qelpanel {

// Makes the unit's classes known by name to form files: TScrollingArea, TTileBitmap and
// TQELGradient, in that order. Calling it again changes nothing.
void RegisterClasses();

}  // namespace Qelpanel
