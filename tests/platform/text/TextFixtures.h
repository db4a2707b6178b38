// The text fixtures of tests/fixtures/text: what real GDI measured and drew with the
// Liberation faces (see tools/wine/make-text-fixtures.sh), read once for all text tests.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "gdi/TSurface.h"
#include "text/TLogFont.h"
#include "win/WinApi.h"

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

struct TFixtureLine {
    int X = 0, Y = 0;
    int BkMode = OPAQUE;
    std::string Text;
};

struct TFixtureExtent {
    std::string Text;
    TPoint Size;
};

struct TFixtureFont {
    int Id = 0;
    int Height = 0;
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::string Face;
    std::string FullName;
    TEXTMETRICA Metrics{};
    std::array<int, 224> Widths{};  // characters 0x20 .. 0xFF
    std::vector<TFixtureExtent> Extents;
    std::vector<TFixtureLine> Lines;  // drawn on the sheet, in order
    std::string Sheet;
    int SheetWidth = 0, SheetHeight = 0;

    TLogFont LogFont() const;
    // A readable name for test output: "Liberation Sans -11 bold".
    std::string Describe() const;
};

struct TDrawTextCase {
    int Index = 0;
    int Font = 0;
    TRect Rect;
    UINT Format = 0;
    int Count = 0;
    int BkMode = OPAQUE;
    int Result = 0;
    TRect ResultRect;
    std::string Text;
};

struct TTextFixtures {
    std::vector<TFixtureFont> Fonts;
    std::vector<TDrawTextCase> Cases;
    std::string DrawSheet;
    int TileWidth = 0, TileHeight = 0;
    COLORREF Sentinel = 0, Ink = 0, Paper = 0;

    const TFixtureFont& Font(int id) const;
    // The image of a sheet, read from the fixtures folder.
    static TSurface Image(const std::string& name);
    // The fixtures, read on first use; a missing or malformed file fails the calling test.
    static const TTextFixtures& Get();
};
