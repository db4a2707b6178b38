#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/TSurface.h"

namespace PngWriter {

// Writes the surface as a PNG: with a palette of as few bits a pixel as its colours need when it
// has at most 256, as 8-bit RGB otherwise; throws std::runtime_error naming the path on failure.
void Write(const TSurface& surface, const std::string& path);
// The same PNG as bytes.
std::vector<std::uint8_t> Encode(const TSurface& surface);
// Reads an 8-bit RGB or RGBA PNG into a surface (goldens); throws std::runtime_error.
TSurface Read(const std::string& path);

}  // namespace PngWriter
