#include "graphics/TFont.h"

#include "text/FontSubstitutes.h"

void TFont::SetName(const std::string& value) {
    if (value.empty() || value == FName) return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == FHeight) return;
    FHeight = value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, kPixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-MulDiv(value, kPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value) {
    if (value == FCharset) return;
    FCharset = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == FPitch) return;
    FPitch = value;
    Changed();
}

// Copying a font is one change, announced once, even where every attribute was equal already:
// owners take an assigned font as a font they were given (a control stops following its
// parent's font).
void TFont::Assign(const TPersistent* source) {
    if (auto* f = dynamic_cast<const TFont*>(source)) {
        if (f == this) return;
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

TLogFont TFont::LogFont() const {
    TLogFont lf;
    lf.Name = FName;
    lf.Height = FHeight;
    lf.Bold = FStyle.Contains(fsBold);
    lf.Italic = FStyle.Contains(fsItalic);
    lf.Underline = FStyle.Contains(fsUnderline);
    lf.StrikeOut = FStyle.Contains(fsStrikeOut);
    lf.Charset = FCharset;
    lf.Pitch = static_cast<std::uint8_t>(FPitch);
    return lf;
}

TFont::~TFont() {
    if (FHandle) DeleteObject(FHandle);
}

void TFont::Changed() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    TGraphicsObject::Changed();
}

LOGFONTA TFont::LogFontA() const {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = static_cast<BYTE>(FPitch);
    FName.copy(lf.lfFaceName, LF_FACESIZE - 1);
    FontSubstitutes::FitToEngine(lf);
    return lf;
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        const LOGFONTA lf = LogFontA();
        FHandle = CreateFontIndirectA(&lf);
    }
    return FHandle;
}

namespace {

// Measures with the font selected into a memory context, as a control measures text outside
// a paint.
template <class F>
void Measure(HFONT font, F measure) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, font);
    measure(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
}

}  // namespace

TEXTMETRICA TFont::TextMetrics() const {
    TEXTMETRICA metrics{};
    Measure(Handle(), [&](HDC dc) { GetTextMetricsA(dc, &metrics); });
    return metrics;
}

int TFont::TextWidth(const char* text, int n) const {
    SIZE size{0, 0};
    Measure(Handle(), [&](HDC dc) { GetTextExtentPoint32A(dc, text, n, &size); });
    return size.cx;
}

const TClassInfo& TFont::StaticClassInfo() {
    using namespace PropBuild;
    static const TClassInfo info{
        "TFont",
        &TPersistent::StaticClassInfo(),
        "Graphics",
        {
            Ord("Charset", TypeInfoTFontCharset(), &TFont::Charset, &TFont::SetCharset),
            Ord("Color", TypeInfoTColor(), &TFont::Color, &TFont::SetColor),
            Ord("Height", TypeInfoInteger(), &TFont::Height, &TFont::SetHeight),
            Str("Name", TypeInfoString(), &TFont::Name, &TFont::SetName),
            Ord("Pitch", TypeInfoTFontPitch(), &TFont::Pitch, &TFont::SetPitch, fpDefault),
            NotStored(Ord("Size", TypeInfoInteger(), &TFont::Size, &TFont::SetSize)),
            Ord("Style", TypeInfoTFontStyles(), &TFont::Style, &TFont::SetStyle),
        },
        nullptr};
    return info;
}
