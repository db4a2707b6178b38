// A face at one pixel size: its Windows text metrics, the widths GDI measures text with, and a
// cache of its rendered glyphs. Instances are shared, immutable to their users, and safe to
// use from several threads; glyphs are rendered on first use and kept as long as the instance.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "text/TLogFont.h"
#include "win/WinApi.h"

// One glyph as GDI draws it: a bitmap placed relative to the pen on the baseline.
struct TGlyph {
    int Advance = 0;  // pixels the pen moves right after drawing this glyph
    int OriginX = 0;  // bitmap's left column relative to the pen
    int OriginY = 0;  // bitmap's top row above the baseline (up positive)
    int Width = 0;
    int Height = 0;
    // Width x Height, row by row from the top: 0 or 255 when monochrome, else 0..255.
    std::vector<std::uint8_t> Coverage;
};

// Where the strokes of underlined and struck-out fonts go, in pixels above the baseline (a
// negative position lies below it), with their thickness.
struct TTextDecorations {
    int UnderlinePosition = 0;
    int UnderlineSize = 1;
    int StrikeOutPosition = 0;
    int StrikeOutSize = 1;
};

class TFontInstance {
public:
    // The instance for a logical font; equal fonts share one instance. Instances nobody holds
    // stay for the next caller, up to a few dozen; past that they are let go.
    static std::shared_ptr<const TFontInstance> Get(const TLogFont& font);

    const TLogFont& LogFont() const { return FLogFont; }
    const TEXTMETRICA& Metrics() const { return FMetrics; }
    const TTextDecorations& Decorations() const { return FDecorations; }
    // The face file drawn with and its family name; empty when no font is installed at all.
    const std::string& FilePath() const { return FFilePath; }
    const std::string& FamilyName() const { return FFamily; }
    // The em size in pixels the face is scaled to.
    int PixelsPerEm() const { return FPpem; }

    // The width of a code page 1252 character as GetCharWidth and GetTextExtentPoint report
    // it, and the width of n characters (the sum: GDI applies no kerning).
    int CharWidth(unsigned char ch) const;
    int TextWidth(const char* text, int n) const;
    // The rendered glyph of a code page 1252 character.
    const TGlyph& Glyph(unsigned char ch) const;

    ~TFontInstance();
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

private:
    TFontInstance() = default;
    // Whole pixels the pen moves for a glyph advance in 26.6 units.
    int AdvanceOf(long advance) const;
    void LoadWidth(unsigned char ch) const;
    void LoadGlyph(unsigned char ch) const;

    struct TFace;
    std::unique_ptr<TFace> FFace;
    TLogFont FLogFont;
    TEXTMETRICA FMetrics{};
    TTextDecorations FDecorations;
    std::string FFilePath;
    std::string FFamily;
    int FPpem = 0;

    mutable std::mutex FMutex;
    mutable std::array<int, 256> FWidths{};  // -1 until measured
    mutable std::array<std::unique_ptr<TGlyph>, 256> FGlyphs;
};
