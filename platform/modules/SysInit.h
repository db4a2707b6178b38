// Unit SysInit: the framework's start-up unit that is compiled into every module, so each
// module has its own copy of what it declares. A module's library defines these.
#pragma once

#include "win/WinApi.h"

namespace SysInit {

// The module's own instance handle, set by the module entry when the library is loaded: the
// record of this module and of the resources compiled into it. Hidden, so that every module
// keeps its own even when two copies of one package are loaded into a process.
#ifdef _WIN32
extern HINSTANCE HInstance;  // a Windows module's symbols are its own anyway
#else
__attribute__((visibility("hidden"))) extern HINSTANCE HInstance;
#endif

}  // namespace SysInit
