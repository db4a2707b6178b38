// The system colour table: every system colour (0x80000000 + index) is resolved here, and only
// when a pixel is written. On Windows the system's own scheme resolves them instead.
#pragma once

#include <array>
#include <cstdint>

#include "core/Types.h"

constexpr int kSysColorCount = 31;

using TSysColorScheme = std::array<std::uint32_t, kSysColorCount>;  // each 0x00BBGGRR

// The classic Windows scheme: button face C0C0C0, shadow 808080, highlight FFFFFF, ...
const TSysColorScheme& ClassicSysColorScheme();

// Replaces the scheme in use; returns the previous one.
TSysColorScheme SetSysColorScheme(const TSysColorScheme& scheme);
const TSysColorScheme& CurrentSysColorScheme();

// A colour as RGB bits (0x00BBGGRR): system colours through the table (on Windows, the
// system's GetSysColor), plain colours as they stand with the high byte dropped.
std::uint32_t ColorToRGB(TColor color);
