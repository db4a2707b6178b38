#include <gtest/gtest.h>

#include <climits>

#include "graphics/TFont.h"
#include "text/TFontInstance.h"
#include "text/TGdiFontObject.h"

namespace {

// Counts the change notifications a font sends.
struct TCountedFont {
    TFont Font;
    int Changes = 0;
    TCountedFont() {
        Font.OnChange = [this](TGraphicsObject*) { ++Changes; };
    }
};

}  // namespace

TEST(FontMulDiv, RoundsHalvesAwayFromZeroAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(-3, -1, -2), -2);
    EXPECT_EQ(MulDiv(5, 1, 3), 2);  // 1.67
    EXPECT_EQ(MulDiv(4, 1, 3), 1);  // 1.33
    EXPECT_EQ(MulDiv(7, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
}

TEST(FontSize, ConvertsToAndFromHeightAtNinetySixPixelsPerInch) {
    struct TCase {
        int Size, Height;
    } const cases[] = {{8, -11},  {9, -12},  {10, -13}, {11, -15}, {12, -16}, {14, -19},
                       {15, -20}, {18, -24}, {24, -32}, {1, -1},   {0, 0}};
    for (const TCase& c : cases) {
        TFont f;
        f.SetSize(c.Size);
        EXPECT_EQ(f.Height(), c.Height) << "size " << c.Size;
        EXPECT_EQ(f.Size(), c.Size) << "height " << c.Height;
    }
    TFont f;
    f.SetHeight(-15);  // 11.25 points
    EXPECT_EQ(f.Size(), 11);
    f.SetHeight(-14);  // 10.5 points, half away from zero
    EXPECT_EQ(f.Size(), 11);
    f.SetHeight(18);  // a cell height reads as a negative size
    EXPECT_EQ(f.Size(), -14);
}

TEST(FontDefaults, AreTheFrameworkDefaults) {
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Style(), TFontStyles{});
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(f.Pitch(), fpDefault);
}

TEST(FontChange, EachSetterAnnouncesEachRealChangeOnce) {
    TCountedFont c;
    c.Font.SetSize(12);
    EXPECT_EQ(c.Changes, 1);
    c.Font.SetHeight(-16);  // the same as 12 points
    c.Font.SetSize(12);
    EXPECT_EQ(c.Changes, 1);
    c.Font.SetName("Arial");
    c.Font.SetName("Arial");
    c.Font.SetName("");  // an empty name is refused
    c.Font.SetStyle(TFontStyles{fsBold});
    c.Font.SetStyle(TFontStyles{fsBold});
    c.Font.SetColor(clRed);
    c.Font.SetColor(clRed);
    c.Font.SetCharset(ANSI_CHARSET);
    c.Font.SetPitch(fpFixed);
    EXPECT_EQ(c.Changes, 6);
    EXPECT_EQ(c.Font.Name(), "Arial");
}

TEST(FontAssign, CopiesEveryAttributeWithOneNotification) {
    TFont source;
    source.SetName("Times New Roman");
    source.SetSize(12);
    source.SetStyle(TFontStyles{fsBold, fsItalic});
    source.SetColor(clBlue);
    source.SetCharset(ANSI_CHARSET);
    source.SetPitch(fpVariable);
    TCountedFont target;
    target.Font.Assign(&source);
    EXPECT_EQ(target.Changes, 1);
    EXPECT_EQ(target.Font.Name(), "Times New Roman");
    EXPECT_EQ(target.Font.Height(), -16);
    EXPECT_EQ(target.Font.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(target.Font.Color(), clBlue);
    EXPECT_EQ(target.Font.Charset(), ANSI_CHARSET);
    EXPECT_EQ(target.Font.Pitch(), fpVariable);
    EXPECT_EQ(target.Font.LogFont(), source.LogFont());

    target.Font.Assign(&target.Font);  // onto itself: nothing happens
    EXPECT_EQ(target.Changes, 1);
    source.SetColor(clRed);  // the copy is independent of its source
    EXPECT_EQ(target.Font.Color(), clBlue);
}

TEST(FontAssign, OfAnEqualFontStillAnnouncesOnce) {
    TFont source;
    TCountedFont target;
    target.Font.Assign(&source);
    EXPECT_EQ(target.Changes, 1);
}

TEST(FontHandle, StandsForTheLogicalFont) {
    TFont f;
    f.SetName("Arial");
    f.SetSize(12);
    f.SetStyle(TFontStyles{fsBold});
    auto instance = f.Handle()->Instance;
    EXPECT_EQ(instance->LogFont(), f.LogFont());
    EXPECT_EQ(instance->FamilyName(), "Liberation Sans");
    EXPECT_EQ(instance->Metrics().tmWeight, 700);
    EXPECT_EQ(instance->PixelsPerEm(), 16);
    TFont same;
    same.Assign(&f);
    EXPECT_EQ(same.Handle()->Instance, instance);  // equal fonts share one instance
}
