// The host that shows a form in a desktop window: the system's own windows on Windows, SDL2
// elsewhere.
#pragma once

#ifdef _WIN32
#include "windows/TWindowsHost.h"
using TShowHost = TWindowsHost;
#else
#include "sdl/TSdlHost.h"
using TShowHost = TSdlHost;
#endif
