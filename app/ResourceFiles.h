// Module resources as files that other tools open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "modules/TModuleRecordImpl.h"

namespace ResourceFiles {

// A .bmp file: the bitmap resource's packed DIB behind a 14-byte file header. Empty when the
// DIB is too short to have a header.
std::vector<std::uint8_t> BitmapFile(const TResourceEntry& dib);

// A .ico file from an icon group resource and the module's icons it lists; empty when the
// group is malformed or an icon is missing.
std::vector<std::uint8_t> IconFile(const TModuleRecordImpl& module, const TResourceEntry& group);

// "BITMAP", "RCDATA", ... or the type's number.
std::string TypeName(std::uint16_t type);
// A file name for the resource: type and name, "#1" as "1", characters that do not belong in
// a file name as '_'.
std::string FileStem(const TResourceEntry& r);

}  // namespace ResourceFiles
