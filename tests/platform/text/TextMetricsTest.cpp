#include <gtest/gtest.h>

#include "platform/text/TextFixtures.h"
#include "text/TFontInstance.h"

namespace {

const TTextFixtures& Fixtures() {
    return TTextFixtures::Get();
}

}  // namespace

TEST(TextMetrics, EveryFieldMatchesGdiForEachFaceStyleAndHeight) {
    for (const TFixtureFont& f : Fixtures().Fonts) {
        SCOPED_TRACE(f.Describe());
        const TEXTMETRICA& want = f.Metrics;
        const TEXTMETRICA& got = TFontInstance::Get(f.LogFont())->Metrics();
        EXPECT_EQ(got.tmHeight, want.tmHeight);
        EXPECT_EQ(got.tmAscent, want.tmAscent);
        EXPECT_EQ(got.tmDescent, want.tmDescent);
        EXPECT_EQ(got.tmInternalLeading, want.tmInternalLeading);
        EXPECT_EQ(got.tmExternalLeading, want.tmExternalLeading);
        EXPECT_EQ(got.tmAveCharWidth, want.tmAveCharWidth);
        EXPECT_EQ(got.tmMaxCharWidth, want.tmMaxCharWidth);
        EXPECT_EQ(got.tmWeight, want.tmWeight);
        EXPECT_EQ(got.tmOverhang, want.tmOverhang);
        EXPECT_EQ(got.tmDigitizedAspectX, want.tmDigitizedAspectX);
        EXPECT_EQ(got.tmDigitizedAspectY, want.tmDigitizedAspectY);
        EXPECT_EQ(got.tmFirstChar, want.tmFirstChar);
        EXPECT_EQ(got.tmLastChar, want.tmLastChar);
        EXPECT_EQ(got.tmDefaultChar, want.tmDefaultChar);
        EXPECT_EQ(got.tmBreakChar, want.tmBreakChar);
        EXPECT_EQ(got.tmItalic, want.tmItalic);
        EXPECT_EQ(got.tmUnderlined, want.tmUnderlined);
        EXPECT_EQ(got.tmStruckOut, want.tmStruckOut);
        EXPECT_EQ(got.tmPitchAndFamily, want.tmPitchAndFamily);
        EXPECT_EQ(got.tmCharSet, want.tmCharSet);
    }
}

TEST(TextMetrics, CharacterWidthsMatchGdi) {
    for (const TFixtureFont& f : Fixtures().Fonts) {
        auto font = TFontInstance::Get(f.LogFont());
        std::string wrong;
        for (int c = 0x20; c <= 0xFF; ++c)
            if (font->CharWidth(static_cast<unsigned char>(c)) != f.Widths[c - 0x20])
                wrong += " " + std::to_string(c) + ":" +
                         std::to_string(font->CharWidth(static_cast<unsigned char>(c))) + "/" +
                         std::to_string(f.Widths[c - 0x20]);
        EXPECT_EQ(wrong, "") << f.Describe() << " (char:ours/gdi)";
    }
}

TEST(TextMetrics, ExtentsMatchGdiIncludingControlCharacters) {
    for (const TFixtureFont& f : Fixtures().Fonts) {
        auto font = TFontInstance::Get(f.LogFont());
        for (const TFixtureExtent& e : f.Extents) {
            EXPECT_EQ(font->TextWidth(e.Text.data(), static_cast<int>(e.Text.size())), e.Size.X)
                << f.Describe() << " \"" << e.Text << "\"";
            EXPECT_EQ(font->Metrics().tmHeight, e.Size.Y) << f.Describe();
        }
    }
}
