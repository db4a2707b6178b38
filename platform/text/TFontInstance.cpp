#include "text/TFontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <algorithm>
#include <map>
#include <tuple>

#include "text/Cp1252.h"
#include "text/TFontResolver.h"

namespace {

std::mutex gLibraryMutex;
FT_Library gLibrary = nullptr;

FT_Library Library() {
    if (!gLibrary) FT_Init_FreeType(&gLibrary);
    return gLibrary;
}

struct TLogFontLess {
    bool operator()(const TLogFont& a, const TLogFont& b) const {
        return std::tie(a.Name, a.Height, a.Bold, a.Italic, a.Underline, a.StrikeOut, a.Charset,
                        a.Pitch, a.Antialiased) < std::tie(b.Name, b.Height, b.Bold, b.Italic,
                                                           b.Underline, b.StrikeOut, b.Charset,
                                                           b.Pitch, b.Antialiased);
    }
};

int RoundScaled(long units, int ppem, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * ppem / unitsPerEm));
}

}  // namespace

struct TFontInstance::TImpl {
    FT_Face Face = nullptr;
    int Ppem = 0;
    ~TImpl() {
        std::lock_guard lock(gLibraryMutex);
        if (Face) FT_Done_Face(Face);
    }
};

TFontInstance::~TFontInstance() = default;

std::shared_ptr<const TFontInstance> TFontInstance::Get(const TLogFont& font) {
    static std::mutex cacheMutex;
    static std::map<TLogFont, std::shared_ptr<const TFontInstance>, TLogFontLess> cache;
    std::lock_guard cacheLock(cacheMutex);
    if (auto it = cache.find(font); it != cache.end()) return it->second;

    std::shared_ptr<TFontInstance> inst(new TFontInstance());
    inst->FLogFont = font;
    inst->FImpl = std::make_unique<TImpl>();
    TResolvedFace resolved = TFontResolver::Resolve(font.Name, font.Bold, font.Italic);
    inst->FFilePath = resolved.FilePath;
    inst->FFamily = resolved.Family;

    TEXTMETRICA& tm = inst->FMetrics;
    tm.tmWeight = font.Bold ? 700 : 400;
    tm.tmItalic = font.Italic ? 1 : 0;
    tm.tmUnderlined = font.Underline ? 1 : 0;
    tm.tmStruckOut = font.StrikeOut ? 1 : 0;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmCharSet = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;

    std::lock_guard libLock(gLibraryMutex);
    FT_Face face = nullptr;
    if (!resolved.FilePath.empty() &&
        FT_New_Face(Library(), resolved.FilePath.c_str(), resolved.FaceIndex, &face) == 0) {
        inst->FImpl->Face = face;
        const int upem = face->units_per_EM ? face->units_per_EM : 2048;
        const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        long winAscent = os2 ? os2->usWinAscent : face->ascender;
        long winDescent = os2 ? os2->usWinDescent : -face->descender;
        if (winAscent + winDescent <= 0) winAscent = upem;

        int ppem;
        if (font.Height < 0)
            ppem = -font.Height;
        else if (font.Height > 0)
            ppem = static_cast<int>(
                std::lround(static_cast<double>(font.Height) * upem / (winAscent + winDescent)));
        else
            ppem = 12;
        if (ppem < 1) ppem = 1;
        inst->FImpl->Ppem = ppem;
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem));

        tm.tmAscent = RoundScaled(winAscent, ppem, upem);
        tm.tmDescent = RoundScaled(winDescent, ppem, upem);
        tm.tmHeight = tm.tmAscent + tm.tmDescent;
        tm.tmInternalLeading = tm.tmHeight - ppem;
        tm.tmExternalLeading = 0;
        tm.tmAveCharWidth = os2 ? RoundScaled(os2->xAvgCharWidth, ppem, upem) : ppem / 2;
        tm.tmMaxCharWidth = RoundScaled(face->max_advance_width, ppem, upem);
        tm.tmPitchAndFamily = FT_IS_FIXED_WIDTH(face) ? 0 : 1;
        inst->FUnderlinePos = std::max(1, RoundScaled(-face->underline_position, ppem, upem));
        inst->FLineThickness = std::max(1, RoundScaled(face->underline_thickness, ppem, upem));
        inst->FStrikeOutPos = -(os2 ? RoundScaled(os2->yStrikeoutPosition, ppem, upem) : ppem / 3);
    } else {
        // No face at all: text measures and draws as nothing, but the metrics stay sane.
        int h = font.Height < 0 ? -font.Height : (font.Height > 0 ? font.Height : 12);
        tm.tmAscent = h * 4 / 5;
        tm.tmDescent = h - tm.tmAscent;
        tm.tmHeight = h;
        tm.tmAveCharWidth = h / 2;
    }
    cache[font] = inst;
    return inst;
}

const TGlyph& TFontInstance::Glyph(unsigned char ch) const {
    std::lock_guard lock(FMutex);
    if (auto it = FGlyphs.find(ch); it != FGlyphs.end()) return it->second;
    TGlyph g;
    FT_Face face = FImpl->Face;
    if (face) {
        std::lock_guard libLock(gLibraryMutex);
        const bool mono = !FLogFont.Antialiased;
        FT_Int32 flags = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
        FT_UInt index = FT_Get_Char_Index(face, Cp1252ToUnicode(ch));
        if (FT_Load_Glyph(face, index, flags) == 0 &&
            FT_Render_Glyph(face->glyph, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
            const FT_GlyphSlot slot = face->glyph;
            const FT_Bitmap& bm = slot->bitmap;
            g.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
            g.Left = slot->bitmap_left;
            g.Top = slot->bitmap_top;
            g.Width = static_cast<int>(bm.width);
            g.Height = static_cast<int>(bm.rows);
            g.Coverage.assign(static_cast<std::size_t>(g.Width) * g.Height, 0);
            for (int y = 0; y < g.Height; ++y) {
                const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
                for (int x = 0; x < g.Width; ++x) {
                    std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                         ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                         : row[x];
                    g.Coverage[static_cast<std::size_t>(y) * g.Width + x] = v;
                }
            }
        }
    }
    return FGlyphs.emplace(ch, std::move(g)).first->second;
}

int TFontInstance::TextWidth(const char* text, int n) const {
    int w = 0;
    for (int i = 0; i < n; ++i) w += Glyph(static_cast<unsigned char>(text[i])).Advance;
    return w;
}
