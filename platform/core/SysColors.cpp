#include "core/SysColors.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr TSysColorScheme kClassic = {
    Rgb(0xC0, 0xC0, 0xC0),  // 0 scroll bar
    Rgb(0x00, 0x80, 0x80),  // 1 desktop
    Rgb(0x00, 0x00, 0x80),  // 2 active caption
    Rgb(0x80, 0x80, 0x80),  // 3 inactive caption
    Rgb(0xC0, 0xC0, 0xC0),  // 4 menu
    Rgb(0xFF, 0xFF, 0xFF),  // 5 window
    Rgb(0x00, 0x00, 0x00),  // 6 window frame
    Rgb(0x00, 0x00, 0x00),  // 7 menu text
    Rgb(0x00, 0x00, 0x00),  // 8 window text
    Rgb(0xFF, 0xFF, 0xFF),  // 9 caption text
    Rgb(0xC0, 0xC0, 0xC0),  // 10 active border
    Rgb(0xC0, 0xC0, 0xC0),  // 11 inactive border
    Rgb(0x80, 0x80, 0x80),  // 12 application workspace
    Rgb(0x00, 0x00, 0x80),  // 13 highlight
    Rgb(0xFF, 0xFF, 0xFF),  // 14 highlight text
    Rgb(0xC0, 0xC0, 0xC0),  // 15 button face
    Rgb(0x80, 0x80, 0x80),  // 16 button shadow
    Rgb(0x80, 0x80, 0x80),  // 17 gray text
    Rgb(0x00, 0x00, 0x00),  // 18 button text
    Rgb(0xC0, 0xC0, 0xC0),  // 19 inactive caption text
    Rgb(0xFF, 0xFF, 0xFF),  // 20 button highlight
    Rgb(0x00, 0x00, 0x00),  // 21 3-D dark shadow
    Rgb(0xC0, 0xC0, 0xC0),  // 22 3-D light
    Rgb(0x00, 0x00, 0x00),  // 23 info text
    Rgb(0xFF, 0xFF, 0xE1),  // 24 info background
    Rgb(0xB5, 0xB5, 0xB5),  // 25 (unused slot)
    Rgb(0x00, 0x00, 0xFF),  // 26 hot light
    Rgb(0x10, 0x84, 0xD0),  // 27 gradient active caption
    Rgb(0xB5, 0xB5, 0xB5),  // 28 gradient inactive caption
    Rgb(0x00, 0x00, 0x80),  // 29 menu highlight
    Rgb(0xC0, 0xC0, 0xC0),  // 30 menu bar
};

TSysColorScheme gScheme = kClassic;

}  // namespace

const TSysColorScheme& ClassicSysColorScheme() {
    return kClassic;
}

TSysColorScheme SetSysColorScheme(const TSysColorScheme& scheme) {
    TSysColorScheme previous = gScheme;
    gScheme = scheme;
    return previous;
}

const TSysColorScheme& CurrentSysColorScheme() {
    return gScheme;
}

std::uint32_t ColorToRGB(TColor color) {
    if (IsSystemColor(color)) {
        std::uint32_t index = ColorBits(color) & 0xFF;
        if (index >= static_cast<std::uint32_t>(kSysColorCount)) return 0;
#ifdef _WIN32
        // On Windows the system's scheme holds, as the user has set it.
        return GetSysColor(static_cast<int>(index));
#else
        return gScheme[index];
#endif
    }
    return ColorBits(color) & 0x00FFFFFF;
}
