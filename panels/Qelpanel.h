// Unit Qelpanel: the decorative panels.
#pragma once

namespace Qelpanel {

// Puts the unit's three classes on the palette page "QEL", one call a class:
// TScrollingArea, TTileBitmap, TQELGradient.
void Register();

// Makes the unit's classes known by name, so that form files create them; the package does
// this when it is loaded.
void RegisterClasses();

// The unit's initialization and finalization procedures: they keep its initialization count
// and do nothing else.
void initialization();
void Finalization();
int InitCount();

}  // namespace Qelpanel
