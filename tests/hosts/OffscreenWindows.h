// Windows for tests: SDL's offscreen video driver, which needs no display, drawn by SDL's
// software renderer, which loads no GL driver (those keep allocations that LeakSanitizer
// reports and cannot name once the driver is unloaded). Set before a host initialises SDL.
#pragma once

#include <cstdlib>

inline void UseOffscreenWindows() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
}
