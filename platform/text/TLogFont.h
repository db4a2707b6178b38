// What a font asks for, in the terms of a Windows logical font.
#pragma once

#include <cstdint>
#include <string>

struct TLogFont {
    std::string Name = "MS Sans Serif";
    // < 0: character height (em size) in pixels; > 0: cell height (ascent + descent); 0: default.
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t Charset = 1;  // DEFAULT_CHARSET
    std::uint8_t Pitch = 0;    // DEFAULT_PITCH
    // Glyphs are monochrome and hinted, as classic GDI draws them, unless this is set.
    bool Antialiased = false;

    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};
