// Unit Quillmereall: the package module.
#pragma once

#include "win/TModuleRecordImpl.h"
#include "win/WinApi.h"

namespace Quillmereall {

// The module's own instance handle, set when the library is loaded: the record of this
// module and of the resources compiled into it. The glyph lists load their bitmaps from it.
extern HINSTANCE HInstance;

}  // namespace Quillmereall
