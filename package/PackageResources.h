// The resources that the package module carries besides the glyphs: the palette bitmaps of
// the nine classes, the package description, the package information and build options
// records, the main icon and the version information.
#pragma once

#include <vector>

#include "modules/TModuleRecordImpl.h"

namespace Quillmereall {

// The text of the description and of the version strings.
constexpr const char* kPackageDescription = "QEL Quillmere 1.5";
constexpr const char* kPackageVersion = "1.5.0.0";

// The nine palette bitmaps, RT_BITMAP in neutral language, named after their classes in upper
// case: 24 x 24 device-independent bitmaps of 4 bits per pixel in the standard 16-colour
// palette. Then RT_RCDATA "DESCRIPTION", "PACKAGEINFO" and "PACKAGEOPTIONS" (neutral),
// RT_GROUP_ICON "MAINICON" with its RT_ICON "#1", and RT_VERSION "#1" (all three 1033).
// The data lives as long as the program.
std::vector<TResourceEntry> PackageResources();

}  // namespace Quillmereall
