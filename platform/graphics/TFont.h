// A font as the framework describes it: name, size or height, style, colour, character set
// and pitch, at 96 pixels per inch.
#pragma once

#include <memory>
#include <string>

#include "graphics/Graphics.h"
#include "graphics/TGraphicsObject.h"
#include "text/TLogFont.h"
#include "win/WinApi.h"

constexpr int kPixelsPerInch = 96;

class TFont : public TGraphicsObject {
    DECLARE_CLASSINFO()

public:
    // A new font has the framework defaults: "MS Sans Serif", 8 points (height -11), black.
    TFont() = default;
    ~TFont() override;

    std::string Name() const { return FName; }
    void SetName(const std::string& value);
    // Height < 0 is the character height in pixels, > 0 the cell height.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Size in points: -Height * 72 / 96, rounded.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);

    void Assign(const TPersistent* source) override;

    // The font as a Win32 logical font: the face name cut to LF_FACESIZE - 1 characters, fitted
    // to the engine that draws it (FontSubstitutes::FitToEngine).
    LOGFONTA LogFontA() const;
    // The logical font the rendering engine resolves.
    TLogFont LogFont() const;
    // A GDI font of this font, made on first use and freed when the font changes or goes.
    HFONT Handle() const;
    // The metrics of the font as GetTextMetricsA gives them, and the width of n characters as
    // GetTextExtentPoint32A measures them.
    TEXTMETRICA TextMetrics() const;
    int TextWidth(const char* text, int n) const;

protected:
    void Changed() override;

private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    mutable HFONT FHandle = nullptr;
};
