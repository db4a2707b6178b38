// The component palette: the pages of classes that packages register for a design
// environment, each page in registration order.
#pragma once

#include <string>
#include <vector>

#include "classes/TypInfo.h"
#include "win/WinApi.h"

// Registers classes[0..lastIndex] on the palette page: each becomes known by name to form
// files, then goes to RegisterComponentsProc when a design environment has set one, or else
// onto the framework's own palette. A class already on a page stays where it is.
void RegisterComponents(const std::string& page, const TClassInfo* const classes[], int lastIndex);

// Set by a design environment that keeps its own palette; null for the framework's palette.
using TRegisterComponentsProc = void (*)(const std::string& page, const TClassInfo* const classes[],
                                         int lastIndex);
extern TRegisterComponentsProc RegisterComponentsProc;

namespace ComponentPalette {

// Pages in the order they first got a class.
std::vector<std::string> Pages();
// The classes on a page (case-insensitive name), in registration order.
std::vector<const TClassInfo*> Page(const std::string& name);
// Takes a class off whichever page holds it.
void Remove(const TClassInfo& cls);
// Empties the palette.
void Clear();

}  // namespace ComponentPalette
