// The four glyph bitmaps of the list boxes, as the bitmap resources of the package module:
// device-independent bitmaps of 4 bits per pixel in the standard 16-colour palette.
#pragma once

#include <vector>

#include "modules/TModuleRecordImpl.h"

namespace Quillmereall {

// "QELBMPON", "QELBMPOFF" (14 x 14), "QELRADON", "QELRADOFF" (13 x 13), each RT_BITMAP in
// language 1033, their data living as long as the program.
std::vector<TResourceEntry> GlyphResources();

}  // namespace Quillmereall
