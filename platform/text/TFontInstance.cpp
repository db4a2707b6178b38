#include "text/TFontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "core/Cp1252.h"
#include "text/TFontResolver.h"

// The numbers here follow GDI's TrueType rasterizer as Wine's gdi32 drives FreeType: the
// same em size for a requested height, the same fixed-point scaling of the face's Windows
// metrics, the same load flags, and the same rounding of glyph boxes and advances. With the
// same FreeType underneath, widths and glyph pixels come out identical.

namespace {

// FreeType's library and faces are not safe to use from two threads at once.
std::mutex gFreeTypeMutex;

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

// Glyph bitmaps larger than this are not drawn: a form can ask for any font height, and a
// huge one must not take the memory with it.
constexpr long kMaxGlyphPixels = 4096L * 4096L;
constexpr long kMaxPpem = (1 << 16) - 1;

constexpr FT_Pos Floor64(FT_Pos v) {
    return v & -64;
}
constexpr FT_Pos Ceil64(FT_Pos v) {
    return (v + 63) & -64;
}

struct TLogFontLess {
    bool operator()(const TLogFont& a, const TLogFont& b) const {
        return std::tie(a.Name, a.Height, a.Bold, a.Italic, a.Underline, a.StrikeOut, a.Charset,
                        a.Pitch, a.Antialiased) < std::tie(b.Name, b.Height, b.Bold, b.Italic,
                                                           b.Underline, b.StrikeOut, b.Charset,
                                                           b.Pitch, b.Antialiased);
    }
};

// Some fonts store a negative descent in the unsigned Windows field.
long WinDescent(const TT_OS2& os2) {
    return std::abs(static_cast<short>(os2.usWinDescent));
}

// The em size for a logical height: a negative height is the em size itself, a positive one
// the cell height (Windows ascent + descent), rounded down where rounding would exceed it.
long PpemForHeight(FT_Face face, long height) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (height == 0) height = 16;
    long ppem;
    if (height > 0) {
        long units = 0;
        if (os2 && os2->usWinAscent + WinDescent(*os2) != 0)
            units = os2->usWinAscent + WinDescent(*os2);
        else if (hhea)
            units = hhea->Ascender - hhea->Descender;
        if (units <= 0) units = face->units_per_EM;
        ppem = FT_MulDiv(face->units_per_EM, height, units);
        if (ppem > 1 && FT_MulDiv(units, ppem, face->units_per_EM) > height) --ppem;
        if (ppem > kMaxPpem) ppem = 1;
    } else {
        ppem = height >= -kMaxPpem ? -height : 1;
    }
    return std::max(ppem, 1L);
}

// The family bits of tmPitchAndFamily, read from the face's PANOSE classification.
BYTE PitchAndFamily(FT_Face face, const TT_OS2& os2) {
    constexpr BYTE kVariablePitch = 0x01, kVector = 0x02, kTrueType = 0x04;
    constexpr BYTE kRoman = 0x10, kSwiss = 0x20, kModern = 0x30, kScript = 0x40, kDecorative = 0x50;
    const bool monospaced = os2.panose[3] == 9;  // proportion: monospaced
    BYTE value =
        (!FT_IS_FIXED_WIDTH(face) && (os2.version == 0xFFFF || !monospaced)) ? kVariablePitch : 0;
    switch (os2.panose[0]) {
        case 3:
            value |= kScript;
            break;
        case 4:
            value |= kDecorative;
            break;
        default:
            if (value == 0 || monospaced) {
                value = kModern;
            } else {
                const BYTE serif = os2.panose[1];
                if (serif >= 2 && serif <= 10)
                    value |= kRoman;  // cove, square, thin, bone, exaggerated, triangle
                else if (serif >= 11 && serif <= 15)
                    value |= kSwiss;  // the sans styles, flared, rounded
            }
            break;
    }
    if (FT_IS_SCALABLE(face)) value |= kVector;
    if (FT_IS_SFNT(face)) value |= kTrueType;
    return value;
}

}  // namespace

struct TFontInstance::TFace {
    FT_Face Face = nullptr;
    bool FakeBold = false;
    bool FakeItalic = false;
    bool FixedPitch = false;
    long AverageWidthUnits = 0;  // OS/2 xAvgCharWidth
    ~TFace() {
        std::lock_guard lock(gFreeTypeMutex);
        if (Face) FT_Done_Face(Face);
    }
};

TFontInstance::~TFontInstance() = default;

namespace {

// Text metrics of a TrueType face scaled to ppem, as GDI reports them.
void OutlineMetrics(FT_Face face, const TT_OS2& os2, long ppem, bool fakeBold, bool fakeItalic,
                    TEXTMETRICA& tm, TTextDecorations& lines) {
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    const FT_Fixed emScale = FT_MulDiv(ppem, 1 << 16, face->units_per_EM);
    auto scale = [&](long units) { return static_cast<LONG>(FT_MulFix(units, emScale)); };

    long ascent = os2.usWinAscent, descent = WinDescent(os2);
    if (ascent + descent == 0 && hhea) {
        ascent = hhea->Ascender;
        descent = -hhea->Descender;
    }
    tm.tmAscent = scale(ascent);
    tm.tmDescent = scale(descent);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = scale(ascent + descent - face->units_per_EM);
    tm.tmExternalLeading =
        hhea ? std::max<LONG>(0, scale(hhea->Line_Gap -
                                       ((ascent + descent) - (hhea->Ascender - hhea->Descender))))
             : 0;
    tm.tmAveCharWidth = std::max<LONG>(1, scale(os2.xAvgCharWidth));
    tm.tmMaxCharWidth = scale(face->bbox.xMax - face->bbox.xMin);

    tm.tmWeight = 400;
    if (fakeBold)
        tm.tmWeight = 700;
    else if (face->style_flags & FT_STYLE_FLAG_BOLD) {
        if (os2.usWeightClass > 500) tm.tmWeight = os2.usWeightClass;
    } else if (os2.usWeightClass <= 500) {
        tm.tmWeight = os2.usWeightClass;
    }
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;

    // The wide-character range, then narrowed to bytes as GetTextMetricsA does.
    unsigned breakChar;
    if (os2.usFirstCharIndex <= 1)
        breakChar = os2.usFirstCharIndex + 2u;
    else if (os2.usFirstCharIndex > 0xFF)
        breakChar = 0x20;
    else
        breakChar = os2.usFirstCharIndex;
    const unsigned defaultChar = breakChar - 1;
    tm.tmFirstChar = static_cast<BYTE>(defaultChar - 1);
    tm.tmLastChar = static_cast<BYTE>(std::min<unsigned>(os2.usLastCharIndex, 0xFF));
    tm.tmDefaultChar = static_cast<BYTE>(defaultChar);
    tm.tmBreakChar = static_cast<BYTE>(breakChar);
    tm.tmItalic = (fakeItalic || (face->style_flags & FT_STYLE_FLAG_ITALIC)) ? 255 : 0;
    tm.tmPitchAndFamily = PitchAndFamily(face, os2);

    lines.UnderlinePosition = post ? scale(post->underlinePosition) : 0;
    lines.UnderlineSize = post ? scale(post->underlineThickness) : 0;
    lines.StrikeOutPosition = scale(os2.yStrikeoutPosition);
    lines.StrikeOutSize = scale(os2.yStrikeoutSize);
}

// Metrics of a face without Windows tables (a bitmap or Type 1 font found by fontconfig).
void PlainMetrics(FT_Face face, bool fakeBold, TEXTMETRICA& tm, TTextDecorations& lines) {
    const FT_Size_Metrics& m = face->size->metrics;
    tm.tmAscent = static_cast<LONG>(m.ascender >> 6);
    tm.tmDescent = static_cast<LONG>(-m.descender >> 6);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = tm.tmHeight - m.y_ppem;
    tm.tmExternalLeading = std::max<LONG>(0, static_cast<LONG>(m.height >> 6) - tm.tmHeight);
    tm.tmMaxCharWidth = static_cast<LONG>(m.max_advance >> 6);
    tm.tmAveCharWidth = std::max<LONG>(1, tm.tmMaxCharWidth * 2 / 3);
    tm.tmWeight = (fakeBold || (face->style_flags & FT_STYLE_FLAG_BOLD)) ? 700 : 400;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 1;
    tm.tmLastChar = 255;
    tm.tmDefaultChar = 32;
    tm.tmBreakChar = 32;
    tm.tmItalic = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? 255 : 0;
    tm.tmPitchAndFamily = FT_IS_FIXED_WIDTH(face) ? 0 : 1;
    lines.UnderlinePosition = 0;
    lines.UnderlineSize = tm.tmAscent / 20 + 1;
    lines.StrikeOutPosition = tm.tmAscent / 2;
    lines.StrikeOutSize = lines.UnderlineSize;
}

// Metrics for when no font file could be opened at all: text measures and draws as nothing,
// but the cell stays a sensible size for the height asked for.
void NoFaceMetrics(const TLogFont& font, TEXTMETRICA& tm) {
    const long long asked = font.Height < 0 ? -static_cast<long long>(font.Height) : font.Height;
    const int h = static_cast<int>(std::clamp<long long>(asked ? asked : 16, 1, kMaxPpem));
    tm.tmAscent = h * 4 / 5;
    tm.tmDescent = h - tm.tmAscent;
    tm.tmHeight = h;
    tm.tmAveCharWidth = std::max(1, h / 2);
    tm.tmMaxCharWidth = h;
    tm.tmWeight = font.Bold ? 700 : 400;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = font.Italic ? 255 : 0;
}

FT_Face OpenFace(const TResolvedFace& resolved) {
    FT_Face face = nullptr;
    if (resolved.FilePath.empty() || !Library()) return nullptr;
    if (FT_New_Face(Library(), resolved.FilePath.c_str(), resolved.FaceIndex, &face) != 0)
        return nullptr;
    if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
    return face;
}

}  // namespace

std::shared_ptr<const TFontInstance> TFontInstance::Get(const TLogFont& font) {
    static std::mutex cacheMutex;
    static std::map<TLogFont, std::shared_ptr<const TFontInstance>, TLogFontLess> cache;
    // Past this many, instances only the cache holds go when the cache has doubled since it
    // last let some go: a form may ask for any number of sizes, and each keeps its face and
    // glyphs.
    constexpr std::size_t kKeptFonts = 64;
    static std::size_t sweepAt = kKeptFonts;
    std::lock_guard cacheLock(cacheMutex);
    if (auto it = cache.find(font); it != cache.end()) return it->second;
    if (cache.size() >= sweepAt) {
        // Nobody else holds one whose count is 1, and a copy is only handed out under the lock.
        std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
        sweepAt = std::max(kKeptFonts, 2 * cache.size());
    }

    std::shared_ptr<TFontInstance> inst(new TFontInstance());
    inst->FLogFont = font;
    inst->FWidths.fill(-1);
    inst->FFace = std::make_unique<TFace>();
    TEXTMETRICA& tm = inst->FMetrics;

    const bool fixedPitch = font.Pitch == 2;  // fpFixed
    TResolvedFace resolved = TFontResolver::Resolve(font.Name, font.Bold, font.Italic, fixedPitch);
    std::lock_guard ftLock(gFreeTypeMutex);
    FT_Face face = OpenFace(resolved);
    if (!face) {
        // The file named by the family would not open; any installed face beats none.
        resolved = TFontResolver::Resolve("", font.Bold, font.Italic, fixedPitch);
        face = OpenFace(resolved);
    }
    if (face) {
        TFace& f = *inst->FFace;
        f.Face = face;
        inst->FFilePath = resolved.FilePath;
        inst->FFamily =
            resolved.Family.empty() && face->family_name ? face->family_name : resolved.Family;
        f.FakeBold = font.Bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        f.FakeItalic = font.Italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const bool outline = FT_IS_SCALABLE(face) && os2 && FT_Get_Sfnt_Table(face, FT_SFNT_HHEA) &&
                             face->units_per_EM > 0;
        if (outline) {
            inst->FPpem = static_cast<int>(PpemForHeight(face, font.Height));
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(inst->FPpem));
            OutlineMetrics(face, *os2, inst->FPpem, f.FakeBold, f.FakeItalic, tm,
                           inst->FDecorations);
            f.FixedPitch = (tm.tmPitchAndFamily & 0x01) == 0;
            f.AverageWidthUnits = os2->xAvgCharWidth;
        } else {
            if (FT_IS_SCALABLE(face)) {
                inst->FPpem = static_cast<int>(
                    font.Height < 0 ? std::min(-static_cast<long>(font.Height), kMaxPpem) : 12);
                FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(inst->FPpem));
            } else if (face->num_fixed_sizes > 0) {
                FT_Select_Size(face, 0);
                inst->FPpem = static_cast<int>(face->size->metrics.y_ppem);
            }
            PlainMetrics(face, f.FakeBold, tm, inst->FDecorations);
        }
    } else {
        NoFaceMetrics(font, tm);
        inst->FPpem = tm.tmHeight;
    }
    tm.tmUnderlined = font.Underline ? 255 : 0;
    tm.tmStruckOut = font.StrikeOut ? 255 : 0;
    tm.tmCharSet = font.Charset == 1 ? 0 : font.Charset;  // DEFAULT_CHARSET gets ANSI
    cache[font] = inst;
    return inst;
}

namespace {

// The glyph slot's metrics after the loader's adjustments: synthetic emboldening grows the
// outline by a 24th of the em.
FT_Glyph_Metrics EmboldenedMetrics(FT_GlyphSlot slot, long ppem, bool fakeBold) {
    FT_Glyph_Metrics m = slot->metrics;
    if (!fakeBold) return m;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE &&
        FT_Outline_Embolden(&slot->outline, FT_MulDiv(ppem, 1 << 6, 24)) == 0) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        m.width = box.xMax - box.xMin;
        m.height = box.yMax - box.yMin;
        m.horiBearingX = box.xMin;
        m.horiBearingY = box.yMax;
    } else if (m.width) {
        m.width += 1 << 6;
    }
    return m;
}

FT_Error LoadGlyphSlot(FT_Face face, FT_UInt index, FT_Int32 flags) {
    FT_Error err = FT_Load_Glyph(face, index, flags);
    if (err) err = FT_Load_Glyph(face, index, flags | FT_LOAD_NO_HINTING);
    return err;
}

// The slant GDI gives a face that has no italic of its own.
constexpr FT_Matrix kSlant = {1 << 16, (1 << 16) >> 2, 0, 1 << 16};

}  // namespace

int TFontInstance::AdvanceOf(long advance) const {
    const TFace& f = *FFace;
    if (f.FixedPitch && f.AverageWidthUnits > 0) {
        // In a fixed-pitch face a double-width glyph gets exactly twice the average width.
        const FT_Fixed emScale = FT_MulDiv(FPpem, 1 << 16, f.Face->units_per_EM);
        const FT_Long average = FT_MulFix(f.AverageWidthUnits, emScale);
        if (average > 0 && ((advance + 63) >> 6) == FT_MulFix(f.AverageWidthUnits * 2, emScale))
            advance = (average * 2) << 6;
    }
    if (f.FakeBold) advance += 1 << 6;
    return static_cast<int>(Ceil64(advance) >> 6);
}

void TFontInstance::LoadWidth(unsigned char ch) const {
    FWidths[ch] = 0;
    const TFace& f = *FFace;
    if (!f.Face) return;
    std::lock_guard lock(gFreeTypeMutex);
    const FT_UInt index = FT_Get_Char_Index(f.Face, Cp1252ToUnicode(ch));
    // Widths are measured as the metrics query measures them: hinted for the normal target,
    // whatever target the glyphs are drawn with.
    if (LoadGlyphSlot(f.Face, index, FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_NO_BITMAP))
        return;
    FWidths[ch] = AdvanceOf(EmboldenedMetrics(f.Face->glyph, FPpem, f.FakeBold).horiAdvance);
}

void TFontInstance::LoadGlyph(unsigned char ch) const {
    auto g = std::make_unique<TGlyph>();
    const TFace& f = *FFace;
    if (!f.Face) {
        FGlyphs[ch] = std::move(g);
        return;
    }
    std::lock_guard lock(gFreeTypeMutex);
    const bool mono = !FLogFont.Antialiased;
    FT_Int32 flags =
        FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (!mono || f.FakeItalic) flags |= FT_LOAD_NO_BITMAP;
    const FT_UInt index = FT_Get_Char_Index(f.Face, Cp1252ToUnicode(ch));
    if (LoadGlyphSlot(f.Face, index, flags) != 0) {
        FGlyphs[ch] = std::move(g);
        return;
    }
    FT_GlyphSlot slot = f.Face->glyph;
    FT_Glyph_Metrics m = EmboldenedMetrics(slot, FPpem, f.FakeBold);

    // Glyphs never reach above the cell's ascent or below its descent: GDI cuts them there.
    const FT_Pos top = std::min<FT_Pos>(m.horiBearingY, FMetrics.tmAscent * 64L);
    const FT_Pos bottom = std::max<FT_Pos>(m.horiBearingY - m.height, -FMetrics.tmDescent * 64L);
    m.horiBearingY = top;
    m.height = top - bottom;

    FT_BBox box;
    if (!f.FakeItalic) {
        box.xMin = Floor64(m.horiBearingX);
        box.xMax = Ceil64(m.horiBearingX + m.width);
        box.yMax = Ceil64(m.horiBearingY);
        box.yMin = Floor64(m.horiBearingY - m.height);
    } else {
        FT_Vector corner{m.horiBearingX, m.horiBearingY};
        FT_Vector_Transform(&corner, &kSlant);
        box = FT_BBox{corner.x, corner.y, corner.x, corner.y};
        for (int xc = 0; xc < 2; ++xc)
            for (int yc = 0; yc < 2; ++yc) {
                FT_Vector v{m.horiBearingX + xc * m.width, m.horiBearingY - yc * m.height};
                FT_Vector_Transform(&v, &kSlant);
                box.xMin = std::min(box.xMin, v.x);
                box.xMax = std::max(box.xMax, v.x);
                box.yMin = std::min(box.yMin, v.y);
                box.yMax = std::max(box.yMax, v.y);
            }
        box.xMin = Floor64(box.xMin);
        box.xMax = Ceil64(box.xMax);
        box.yMin = Floor64(box.yMin);
        box.yMax = Ceil64(box.yMax);
    }
    g->Advance = AdvanceOf(m.horiAdvance);
    g->OriginX = static_cast<int>(box.xMin >> 6);
    g->OriginY = static_cast<int>(box.yMax >> 6);
    const long width = (box.xMax - box.xMin) >> 6, height = (box.yMax - box.yMin) >> 6;
    if (width <= 0 || height <= 0 || width * height > kMaxGlyphPixels ||
        slot->format != FT_GLYPH_FORMAT_OUTLINE) {
        FGlyphs[ch] = std::move(g);
        return;
    }

    const int pitch = mono ? static_cast<int>(((width + 31) >> 5) << 2) : static_cast<int>(width);
    std::vector<unsigned char> bits(static_cast<std::size_t>(pitch) * height, 0);
    FT_Bitmap bitmap{};
    bitmap.width = static_cast<unsigned>(width);
    bitmap.rows = static_cast<unsigned>(height);
    bitmap.pitch = pitch;
    bitmap.pixel_mode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
    bitmap.num_grays = 256;
    bitmap.buffer = bits.data();
    if (f.FakeItalic) FT_Outline_Transform(&slot->outline, &kSlant);
    FT_Outline_Translate(&slot->outline, -box.xMin, -box.yMin);
    FT_Outline_Get_Bitmap(Library(), &slot->outline, &bitmap);

    g->Width = static_cast<int>(width);
    g->Height = static_cast<int>(height);
    g->Coverage.resize(static_cast<std::size_t>(width) * height);
    for (long y = 0; y < height; ++y) {
        const unsigned char* row = bits.data() + y * pitch;
        std::uint8_t* out = g->Coverage.data() + y * width;
        for (long x = 0; x < width; ++x)
            out[x] = mono ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0) : row[x];
    }
    FGlyphs[ch] = std::move(g);
}

int TFontInstance::CharWidth(unsigned char ch) const {
    std::lock_guard lock(FMutex);
    if (FWidths[ch] < 0) LoadWidth(ch);
    return FWidths[ch];
}

int TFontInstance::TextWidth(const char* text, int n) const {
    std::lock_guard lock(FMutex);
    int w = 0;
    for (int i = 0; i < n; ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (FWidths[ch] < 0) LoadWidth(ch);
        w += FWidths[ch];
    }
    return w;
}

const TGlyph& TFontInstance::Glyph(unsigned char ch) const {
    std::lock_guard lock(FMutex);
    if (!FGlyphs[ch]) LoadGlyph(ch);
    return *FGlyphs[ch];
}
