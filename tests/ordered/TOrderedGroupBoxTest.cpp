#include <gtest/gtest.h>

#include <climits>

#include "graphics/Graphics.h"
#include "ordered/OrderedTestSupport.h"
#include "ordered/OrdinalLabel.h"
#include "ordered/TOrderedGroupBox.h"
#include "support/TestSupport.h"

using namespace Qelgroup;
using OrderedTest::Only;

namespace {

struct TOrderedGroupBoxFixture : ::testing::Test {
    TTestForm Form{320, 200};
    TCallLog Log;

    TOrderedGroupBox* Add(TRect bounds = TRect{10, 10, 170, 90}) {
        auto* box = Form.Add(new TOrderedGroupBox(Form.Form.get()), bounds);
        Form.Render();
        Form.Host->ResetCounts();
        return box;
    }
    std::vector<TGdiCall> PaintCalls(TOrderedGroupBox* box) {
        Form.Host->SetCallLog(box, &Log);
        Log.Clear();
        box->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(box, nullptr);
        return Log.Calls();
    }
    unsigned Pixel(TOrderedGroupBox* box, int x, int y) {
        return PixelRGB(Form.Host->Surface(), box->Left() + x, box->Top() + y);
    }
};

TEST_F(TOrderedGroupBoxFixture, ConstructorSetsDefaults) {
    TOrderedGroupBox box(nullptr);
    EXPECT_EQ(box.LabelOrder(), 1);
    EXPECT_EQ(box.LabelColor(), 0xFF0000);
    EXPECT_EQ(box.LabelType(), ltNumeric);
    TFont framework;
    EXPECT_FALSE(LabelFontChanged(*box.LabelFont(), framework));
    EXPECT_EQ(box.LabelFont()->Height(), framework.Height());
    EXPECT_EQ(box.Width(), 185);
    EXPECT_EQ(box.Height(), 105);
}

// The default font's "0" is 12 or 13 pixels high, so that the frame lies where a 13-pixel
// font puts it: at y = 5, and with Ctl3D the highlight at y = 6 and the shadow at y = 5.
TEST_F(TOrderedGroupBoxFixture, FrameLinesFollowHalfTheFontHeight) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    const int h = OrderedTest::TextHeightOf(box->Font());
    ASSERT_EQ(h / 2, 13 / 2);
    const int w = box->Width(), ht = box->Height();

    auto frames = Only(PaintCalls(box), "FrameRect");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Rect, (TRect{1, 6, w, ht}));
    EXPECT_EQ(frames[0].Color, clBtnHighlight);
    EXPECT_EQ(frames[1].Rect, (TRect{0, 5, w - 1, ht - 1}));
    EXPECT_EQ(frames[1].Color, clBtnShadow);
    EXPECT_EQ(Pixel(box, 100, 5), 0x808080u);
    EXPECT_EQ(Pixel(box, 100, 6), 0xFFFFFFu);
    EXPECT_EQ(Pixel(box, 100, 4), 0xC0C0C0u);
    EXPECT_EQ(Pixel(box, w - 1, 50), 0xFFFFFFu);
    EXPECT_EQ(Pixel(box, w - 2, 50), 0x808080u);

    box->SetCtl3D(false);
    frames = Only(PaintCalls(box), "FrameRect");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Rect, (TRect{0, 5, w, ht}));
    EXPECT_EQ(frames[0].Color, clWindowFrame);
    EXPECT_EQ(Pixel(box, 100, 5), 0x000000u);
    EXPECT_EQ(Pixel(box, 100, 6), 0xC0C0C0u);
    EXPECT_EQ(Pixel(box, 0, 50), 0x000000u);
}

// Square (8, 0)-(T + 10, T + 2) outlined with the canvas pen, text centred inside it, the
// caption 6 pixels to its right, whatever the label font.
TEST_F(TOrderedGroupBoxFixture, LabelSquareAndCaptionFollowTheLabelFont) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    box->SetCaption("Options");
    for (int height : {-11, -16, -24}) {
        TFont font;
        font.SetHeight(height);
        font.SetColor(clYellow);
        box->SetLabelFont(&font);
        const int t = OrderedTest::TextHeightOf(&font);
        const auto calls = PaintCalls(box);
        const auto squares = Only(calls, "Rectangle");
        ASSERT_EQ(squares.size(), 1u);
        EXPECT_EQ(squares[0].Rect, (TRect{8, 0, t + 10, t + 2}));
        EXPECT_EQ(squares[0].Color, 0xFF0000);
        const auto texts = Only(calls, "DrawText");
        ASSERT_EQ(texts.size(), 3u);  // the label, the caption measured, the caption drawn
        EXPECT_EQ(texts[0].Text, "1");
        EXPECT_EQ(texts[0].Rect, (TRect{9, 1, t + 9, t + 1}));
        EXPECT_EQ(texts[0].Flags, 0x25u);
        EXPECT_EQ(texts[0].Color, clYellow);
        EXPECT_EQ(texts[1].Flags, 0x420u);
        EXPECT_EQ(texts[1].Rect.Left, t + 16);
        EXPECT_EQ(texts[1].ResultRect.Left, t + 16);
        EXPECT_EQ(texts[2].Flags, 0x20u);
        EXPECT_EQ(texts[2].Rect, texts[1].ResultRect);
        EXPECT_EQ(texts[2].Color, box->Font()->Color());
        // The outline is the canvas pen's black, the inside LabelColor.
        EXPECT_EQ(Pixel(box, 8, 0), 0x000000u);
        EXPECT_EQ(Pixel(box, t + 9, t + 1), 0x000000u);
        EXPECT_EQ(Pixel(box, 9, 1), 0x0000FFu);
        EXPECT_EQ(Pixel(box, t + 10, t + 1), 0xC0C0C0u);
    }
}

// The caption's text cells, on Color, break the frame's top line behind it.
TEST_F(TOrderedGroupBoxFixture, CaptionBreaksTheTopLine) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    box->SetCtl3D(false);
    box->SetCaption("Mmmmmm");
    PaintCalls(box);
    const int t = OrderedTest::TextHeightOf(box->LabelFont());
    const int captionLeft = t + 16;
    EXPECT_EQ(Pixel(box, captionLeft - 3, 5), 0x000000u);
    int gaps = 0;
    for (int x = captionLeft; x < captionLeft + 30; ++x) gaps += Pixel(box, x, 5) == 0xC0C0C0u;
    EXPECT_GT(gaps, 0);
}

TEST_F(TOrderedGroupBoxFixture, EmptyCaptionDrawsOnlyTheLabelText) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    const auto texts = Only(PaintCalls(box), "DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "1");
}

TEST_F(TOrderedGroupBoxFixture, LongCaptionIsDrawnFromItsFirst255Characters) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    box->SetCaption(std::string(300, 'W'));
    const auto texts = Only(PaintCalls(box), "DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Text, std::string(255, 'W'));
    EXPECT_EQ(texts[2].Text, std::string(255, 'W'));
}

TEST_F(TOrderedGroupBoxFixture, LabelTextFollowsOrderAndType) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    box->SetLabelType(ltAlphabetic);
    box->SetLabelOrder(27);
    EXPECT_EQ(Only(PaintCalls(box), "DrawText")[0].Text, "[");
    // Code 0: the square stays blank; a text of no characters draws nothing.
    box->SetLabelOrder(192);
    EXPECT_TRUE(Only(PaintCalls(box), "DrawText").empty());
    EXPECT_EQ(Only(PaintCalls(box), "Rectangle").size(), 1u);
    box->SetLabelType(ltNumeric);
    box->SetLabelOrder(INT_MIN);
    EXPECT_EQ(Only(PaintCalls(box), "DrawText")[0].Text, "-2147483648");
}

// Every change repaints at once; an equal value, or a font that passes the change test as
// unchanged, repaints nothing.
TEST_F(TOrderedGroupBoxFixture, SettersRefreshOnlyOnAChange) {
    auto* box = Add();
    auto expectRepaints = [&](const char* what, auto&& change, int times) {
        Form.Host->ResetCounts();
        change();
        EXPECT_EQ(Form.Host->PaintCount(box), times) << what;
        EXPECT_FALSE(Form.Host->HasPending()) << what;
    };
    expectRepaints(
        "same order", [&] { box->SetLabelOrder(1); }, 0);
    expectRepaints(
        "new order", [&] { box->SetLabelOrder(2); }, 1);
    expectRepaints(
        "same colour", [&] { box->SetLabelColor(0xFF0000); }, 0);
    expectRepaints(
        "new colour", [&] { box->SetLabelColor(clRed); }, 1);
    expectRepaints(
        "same type", [&] { box->SetLabelType(ltNumeric); }, 0);
    expectRepaints(
        "new type", [&] { box->SetLabelType(ltAlphabetic); }, 1);

    TFont font;
    font.Assign(box->LabelFont());
    font.SetCharset(SYMBOL_CHARSET);
    expectRepaints(
        "other character set", [&] { box->SetLabelFont(&font); }, 0);
    EXPECT_EQ(box->LabelFont()->Charset(), DEFAULT_CHARSET);
    font.SetColor(clYellow);
    expectRepaints(
        "other colour", [&] { box->SetLabelFont(&font); }, 1);
    EXPECT_EQ(box->LabelFont()->Charset(), SYMBOL_CHARSET);  // copied whole
    font.SetName("ms sans serif");
    expectRepaints(
        "name in other case", [&] { box->SetLabelFont(&font); }, 1);
    EXPECT_EQ(box->LabelFont()->Name(), "ms sans serif");
    expectRepaints(
        "no font", [&] { box->SetLabelFont(nullptr); }, 0);
    expectRepaints(
        "label font changed directly", [&] { box->LabelFont()->SetColor(clRed); }, 0);
}

TEST_F(TOrderedGroupBoxFixture, LabelFontIsCopiedNotShared) {
    auto* box = Add();
    TFont font;
    font.SetName("Arial");
    box->SetLabelFont(&font);
    EXPECT_NE(box->LabelFont(), &font);
    font.SetName("Courier New");
    EXPECT_EQ(box->LabelFont()->Name(), "Arial");
}

TEST_F(TOrderedGroupBoxFixture, PublishesTheGroupBoxPropertiesThenItsOwn) {
    const auto names = OrderedTest::PropNames(TOrderedGroupBox::StaticClassInfo());
    const auto inherited = OrderedTest::PropNames(TGroupBox::StaticClassInfo());
    ASSERT_EQ(names.size(), inherited.size() + 4);
    // The seven declared again keep their places.
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), names.begin()));
    EXPECT_EQ(std::vector<std::string>(names.end() - 4, names.end()),
              (std::vector<std::string>{"LabelOrder", "LabelFont", "LabelColor", "LabelType"}));
    for (const char* name : {"LabelOrder", "LabelFont", "LabelColor", "LabelType"})
        EXPECT_FALSE(GetPropInfo(TOrderedGroupBox::StaticClassInfo(), name)->Default) << name;
    const TTypeInfo* type = GetPropInfo(TOrderedGroupBox::StaticClassInfo(), "LabelType")->Type;
    EXPECT_STREQ(type->EnumName(1), "ltAlphabetic");
    EXPECT_EQ(sizeof(TLabelType), 1u);
}

TEST_F(TOrderedGroupBoxFixture, Golden) {
    TTestForm form(300, 80);
    auto* etched = form.Add(new TOrderedGroupBox(form.Form.get()), TRect{4, 4, 148, 76});
    etched->SetCaption("Shipping");
    auto* flat = form.Add(new TOrderedGroupBox(form.Form.get()), TRect{152, 4, 296, 76});
    flat->SetCtl3D(false);
    flat->SetCaption("Payment");
    flat->SetLabelType(ltAlphabetic);
    flat->SetLabelOrder(2);
    flat->SetLabelColor(clGreen);
    TFont font;
    font.SetName("Arial");
    font.SetStyle(TFontStyles{fsBold});
    font.SetColor(clWhite);
    flat->SetLabelFont(&font);
    EXPECT_TRUE(MatchesGolden(form.Render(), "ordered/TOrderedGroupBox"));
}

}  // namespace
