// A face at one pixel size: its Windows text metrics and a cache of its rendered glyphs.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/TLogFont.h"
#include "win/WinApi.h"

struct TGlyph {
    int Advance = 0;   // pixels the pen moves right
    int Left = 0;      // bitmap's left edge relative to the pen position
    int Top = 0;       // bitmap's top row relative to the baseline, up positive
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;  // Width x Height, 0 or 255 when monochrome
};

class TFontInstance {
public:
    // The instance for a logical font; instances are shared and cached.
    static std::shared_ptr<const TFontInstance> Get(const TLogFont& font);

    const TLogFont& LogFont() const { return FLogFont; }
    const TEXTMETRICA& Metrics() const { return FMetrics; }
    // The file the face came from, and its family name.
    const std::string& FilePath() const { return FFilePath; }
    const std::string& FamilyName() const { return FFamily; }

    // The glyph of a code page 1252 character.
    const TGlyph& Glyph(unsigned char ch) const;
    // Width in pixels of n characters, as GetTextExtentPoint measures it.
    int TextWidth(const char* text, int n) const;

    // Underline and strike-out strokes, relative to the baseline (down positive), and thickness.
    int UnderlinePosition() const { return FUnderlinePos; }
    int StrikeOutPosition() const { return FStrikeOutPos; }
    int LineThickness() const { return FLineThickness; }

    ~TFontInstance();
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

private:
    TFontInstance() = default;
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    TLogFont FLogFont;
    TEXTMETRICA FMetrics{};
    std::string FFilePath;
    std::string FFamily;
    int FUnderlinePos = 1;
    int FStrikeOutPos = -3;
    int FLineThickness = 1;
    mutable std::mutex FMutex;
    mutable std::unordered_map<unsigned char, TGlyph> FGlyphs;
};
