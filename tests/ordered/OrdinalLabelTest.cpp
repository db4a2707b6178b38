// The ordinal label rule and the label-font change test the three ordered controls share.
#include <gtest/gtest.h>

#include <climits>

#include "graphics/Graphics.h"
#include "graphics/TFont.h"
#include "ordered/OrdinalLabel.h"

using namespace Qelgroup;

namespace {

struct TLabelCase {
    std::int32_t N;
    TLabelType Type;
    std::string Text;
};

class OrdinalLabelRule : public ::testing::TestWithParam<TLabelCase> {};

TEST_P(OrdinalLabelRule, GivesTheText) {
    const TLabelCase& c = GetParam();
    EXPECT_EQ(OrdinalLabelText(c.N, c.Type), c.Text) << "n = " << c.N;
}

INSTANTIATE_TEST_SUITE_P(Numeric, OrdinalLabelRule,
                         ::testing::Values(TLabelCase{1, ltNumeric, "1"},
                                           TLabelCase{0, ltNumeric, "0"},
                                           TLabelCase{192, ltNumeric, "192"},
                                           TLabelCase{-7, ltNumeric, "-7"},
                                           TLabelCase{INT_MAX, ltNumeric, "2147483647"},
                                           TLabelCase{INT_MIN, ltNumeric, "-2147483648"}));

INSTANTIATE_TEST_SUITE_P(
    Alphabetic, OrdinalLabelRule,
    ::testing::Values(TLabelCase{1, ltAlphabetic, "A"}, TLabelCase{26, ltAlphabetic, "Z"},
                      TLabelCase{27, ltAlphabetic, "["}, TLabelCase{28, ltAlphabetic, "\\"},
                      TLabelCase{32, ltAlphabetic, "`"}, TLabelCase{33, ltAlphabetic, "a"},
                      TLabelCase{0, ltAlphabetic, "@"},
                      // Past the ASCII range the code page's upper half: 128 + 64 is "À".
                      TLabelCase{128, ltAlphabetic, "\xC0"},
                      // Code 0 leaves the square blank.
                      TLabelCase{192, ltAlphabetic, ""}, TLabelCase{448, ltAlphabetic, ""},
                      TLabelCase{-64, ltAlphabetic, ""},
                      // Negative numbers wrap into 0..255 as well.
                      TLabelCase{-1, ltAlphabetic, "?"}, TLabelCase{-65, ltAlphabetic, "\xFF"},
                      TLabelCase{INT_MIN, ltAlphabetic, "@"},
                      TLabelCase{INT_MAX, ltAlphabetic, "?"}));

TEST(OrdinalLabelRuleBounds, NumericTextIsAtMostElevenCharacters) {
    for (std::int32_t n : {INT_MIN, INT_MIN + 1, -1000000000, INT_MAX})
        EXPECT_LE(OrdinalLabelText(n, ltNumeric).size(), 11u) << n;
    EXPECT_EQ(OrdinalLabelText(INT_MIN, ltNumeric).size(), 11u);
}

TEST(OrdinalLabelRuleBounds, AlphabeticTextIsOneCharacterOrNone) {
    for (std::int32_t n = -600; n <= 600; ++n) {
        const std::string text = OrdinalLabelText(n, ltAlphabetic);
        const bool blank = (n + 64) % 256 == 0;
        ASSERT_EQ(text.size(), blank ? 0u : 1u) << n;
    }
}

// The label-font change test: each case changes one attribute of a copy of the label font.
struct TFontCase {
    const char* What;
    void (*Change)(TFont&);
    bool Changed;
};

class LabelFontChange : public ::testing::TestWithParam<TFontCase> {};

TEST_P(LabelFontChange, ComparesNameSizeStyleAndColour) {
    TFont label;
    label.SetName("Arial");
    label.SetHeight(-15);
    label.SetStyle(TFontStyles{fsBold});
    label.SetColor(clWhite);
    TFont given;
    given.Assign(&label);
    GetParam().Change(given);
    EXPECT_EQ(LabelFontChanged(label, given), GetParam().Changed) << GetParam().What;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelFontChange,
    ::testing::Values(
        TFontCase{"nothing", [](TFont&) {}, false},
        TFontCase{"character set", [](TFont& f) { f.SetCharset(SYMBOL_CHARSET); }, false},
        TFontCase{"pitch", [](TFont& f) { f.SetPitch(fpFixed); }, false},
        // -15 and -14 pixels are both 11 points.
        TFontCase{"height of the same size", [](TFont& f) { f.SetHeight(-14); }, false},
        TFontCase{"the same colour spelled alike", [](TFont& f) { f.SetColor(0xFFFFFF); }, false},
        TFontCase{"size", [](TFont& f) { f.SetHeight(-17); }, true},
        TFontCase{"case of the name", [](TFont& f) { f.SetName("arial"); }, true},
        TFontCase{"name", [](TFont& f) { f.SetName("Times New Roman"); }, true},
        TFontCase{"italic",
                  [](TFont& f) {
                      f.SetStyle(TFontStyles{fsBold, fsItalic});
                  },
                  true},
        TFontCase{"underline",
                  [](TFont& f) {
                      f.SetStyle(TFontStyles{fsBold, fsUnderline});
                  },
                  true},
        TFontCase{"strike-out",
                  [](TFont& f) {
                      f.SetStyle(TFontStyles{fsBold, fsStrikeOut});
                  },
                  true},
        TFontCase{"colour", [](TFont& f) { f.SetColor(clYellow); }, true},
        // A system colour is another number than the RGB value it stands for.
        TFontCase{"system colour for white", [](TFont& f) { f.SetColor(clBtnHighlight); }, true}));

}  // namespace
