// The GDI fixtures under tests/fixtures/gdi/: drawing operations and the pixels real GDI made
// of them (tools/wine/gdi-fixtures.c describes the format), and a replay of the operations
// through our GDI calls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gdi/TBitmapImage.h"
#include "gdi/TSurface.h"

struct TGdiFixtureCase {
    std::string Name;
    int Line = 0;                  // where the case starts in its file
    std::vector<std::string> Ops;  // the operations, first "surface W H COLOR"
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Expected;  // COLORREF of each pixel, rows top first
    std::vector<std::string> Symbols;     // the fixture's symbol for each palette entry
    std::vector<std::uint32_t> Palette;   // COLORREF of each symbol
};

// Reads one fixture file. Throws std::runtime_error naming the file and line of anything it
// cannot read.
std::vector<TGdiFixtureCase> ReadGdiFixtures(const std::string& path);

// The pixel (x, y) of the fixtures' test bitmap, as COLORREF.
std::uint32_t GdiFixtureBitmapColor(int x, int y);
TBitmapImage GdiFixtureBitmap(int width, int height);
TBitmapImage GdiFixtureBitmap16(int width, int height, const std::array<std::uint32_t, 3>& masks);

// Performs the case's operations with our GDI on a new surface and returns it. Throws
// std::runtime_error for an operation it does not know.
TSurface ReplayGdiFixture(const TGdiFixtureCase& c);

// The expected and actual pixels side by side in the fixture's symbols, with the rows that
// differ marked; empty when they agree.
std::string DescribeGdiMismatch(const TGdiFixtureCase& c, const TSurface& actual);
