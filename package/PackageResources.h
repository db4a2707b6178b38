// The package's resources other than the glyphs: the palette bitmaps, the description, the
// package information and build options records, the icon and the version information.
#pragma once

#include <vector>

#include "win/TModuleRecordImpl.h"

namespace Quillmereall {

std::vector<TResourceEntry> PackageResources();

}  // namespace Quillmereall
