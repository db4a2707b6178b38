// Helpers for the glyph list tests: the package's glyph resources read straight from their
// bytes, so that the tests check the stored format itself.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gdi/TSurface.h"
#include "graphics/TBitmap.h"
#include "modules/TModuleRecordImpl.h"

// The glyph resource of that name in the package module; fails the test when missing.
TResourceEntry GlyphResource(const std::string& name);

// Little-endian fields of the resource's 40-byte header.
std::uint32_t DibField32(const TResourceEntry& r, std::size_t offset);
std::uint16_t DibField16(const TResourceEntry& r, std::size_t offset);

// The colour index of a pixel of a 4-bit DIB, row 0 being the top row of the picture.
int DibColorIndex(const TResourceEntry& r, int x, int y);

// The picture of a 4-bit glyph DIB as a bitmap, decoded here from its bytes.
std::unique_ptr<TBitmap> GlyphBitmap(const std::string& name);

// Compares the 14 x 14 box at a surface point with a map of letters, as the GDI program
// tools/wine/glyph-list-boxes.c prints them: G the item's Color (lime in the tests), S button
// shadow, W white, K black, F button face, I the ink given.
constexpr unsigned kTestBackground = 0x00FF00;
::testing::AssertionResult BoxIs(const TSurface& s, int x0, int y0, const char* const (&rows)[14],
                                 unsigned ink = 0);

// Whether LoadBitmapA can read the package's glyph resources in this build.
bool BitmapResourcesReadable();
