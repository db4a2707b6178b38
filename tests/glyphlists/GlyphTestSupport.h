// Helpers for the glyph list tests: the package's glyph resources read straight from their
// bytes, so that the tests check the stored format itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/TBitmap.h"
#include "win/TModuleRecordImpl.h"

// The glyph resource of that name in the package module; fails the test when missing.
const TResourceEntry& GlyphResource(const std::string& name);

// Little-endian fields of the resource's 40-byte header.
std::uint32_t DibField32(const TResourceEntry& r, std::size_t offset);
std::uint16_t DibField16(const TResourceEntry& r, std::size_t offset);

// The colour index of a pixel of a 4-bit DIB, row 0 being the top row of the picture.
int DibColorIndex(const TResourceEntry& r, int x, int y);

// The picture of a 4-bit glyph DIB as a bitmap, decoded here from its bytes.
std::unique_ptr<TBitmap> GlyphBitmap(const std::string& name);

// Whether LoadBitmapA can read the package's glyph resources in this build.
bool BitmapResourcesReadable();
