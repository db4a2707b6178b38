#include <gtest/gtest.h>

#include "GlyphTestSupport.h"
#include "gdi/TBitmapImage.h"
#include "glyphlists/TQELRadioList.h"
#include "graphics/Graphics.h"
#include "streaming/FormFiles.h"
#include "support/TestSupport.h"

using namespace Qellist;

namespace {

struct TRadioListProbe : TQELRadioList {
    using TQELRadioList::DrawItem;
    using TQELRadioList::TQELRadioList;
};

struct RadioListFixture : ::testing::Test {
    TTestForm Form{200, 120};
    TCallLog Log;

    // A list at (10, 10): with its two-pixel border the first item starts at (12, 12).
    TRadioListProbe* Add(std::vector<std::string> items, int height = 70) {
        auto* list =
            Form.Add(new TRadioListProbe(Form.Form.get()), TRect{10, 10, 130, 10 + height});
        list->Items()->SetAll(std::move(items));
        Form.Render();
        Form.Host->ResetCounts();
        return list;
    }
    std::vector<TGdiCall> DrawCalls(TRadioListProbe* list, int index, TOwnerDrawState state) {
        Form.Host->SetCallLog(list, &Log);
        Log.Clear();
        list->DrawItem(index, list->ItemRect(index), state);
        Form.Host->SetCallLog(list, nullptr);
        return Log.Calls();
    }
    unsigned At(int x, int y) { return PixelRGB(Form.Host->Surface(), x, y); }
};

}  // namespace

TEST_F(RadioListFixture, ConstructorSetsDefaults) {
    TQELRadioList list(nullptr);
    EXPECT_EQ(list.CheckBoxStyle(), chsDraw3D);
    EXPECT_EQ(list.Color(), clBtnFace);
    EXPECT_FALSE(list.MultiSelect());
    EXPECT_FALSE(list.ExtendedSelect());
    EXPECT_EQ(list.Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list.BorderStyle(), bsSingle);
    EXPECT_EQ(list.Height(), 41);
    EXPECT_EQ(list.SelCount(), -1);  // a single-selection list
}

TEST_F(RadioListFixture, SunkenStyleCopiesTheGlyphAndShiftsTheText) {
    if (!BitmapResourcesReadable()) GTEST_SKIP() << "this build's bitmap reader cannot read DIBs";
    auto* list = Add({"on", "off"});
    list->SetItemIndex(0);
    Form.Render();
    // QELRADON with its top-left pixel at (x0 + 1, y0 + 2), opaque, silver included.
    const TBitmapImage on = GlyphBitmap("QELRADON")->Image();
    const TBitmapImage off = GlyphBitmap("QELRADOFF")->Image();
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            ASSERT_EQ(At(13 + x, 14 + y), on.Pixels.At(x, y) & 0xFFFFFF) << x << "," << y;
            ASSERT_EQ(At(13 + x, 29 + y), off.Pixels.At(x, y) & 0xFFFFFF) << x << "," << y;
        }
    // At item height 15 the glyph ends on the item's last row.
    EXPECT_EQ(At(13 + 6, 12 + 14), 0xFFFFFFu);  // row 12 of the glyph, white
    EXPECT_EQ(At(19, 12 + 8), 0x000000u);       // the dot's centre
}

TEST_F(RadioListFixture, SunkenStyleDrawCallAndTextRectangle) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"on", "off"}, 100);
    for (auto [itemHeight, shift] : {std::pair{15, 0}, {18, 1}}) {
        list->SetItemHeight(itemHeight);
        auto calls = DrawCalls(list, 1, TOwnerDrawState{odSelected, odDisabled});
        const int top = itemHeight;
        ASSERT_GE(calls.size(), 3u);
        // Opening fill, the glyph, then the framework's item drawing: fill and text.
        EXPECT_EQ(calls[0].Op, "FillRect");
        EXPECT_EQ(calls[0].Rect, (TRect{0, top, 116, top + itemHeight}));
        if (BitmapResourcesReadable()) {
            EXPECT_EQ(calls[1].Op, "Draw");
            EXPECT_EQ(calls[1].Rect, (TRect{1, top + shift + 2, 14, top + shift + 15}));
        }
        const TGdiCall& text = calls.back();
        EXPECT_EQ(text.Op, "TextOut");
        EXPECT_EQ(text.Rect.Left, 18 + 2);
        EXPECT_EQ(text.Rect.Top, top);    // not centred
        EXPECT_EQ(text.Color, 0x808080);  // gray text; the glyph is not grayed
        EXPECT_EQ(calls[calls.size() - 2].Op, "FillRect");
        EXPECT_EQ(calls[calls.size() - 2].Rect, (TRect{18, top, 116, top + itemHeight}));
    }
}

TEST_F(RadioListFixture, FlatStyleDrawsACircleAndABlackDot) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"chosen", "other"});
    list->SetCheckBoxStyle(chsNormal);
    EXPECT_EQ(list->Color(), clWindow);
    for (TOwnerDrawState state :
         {TOwnerDrawState{odSelected}, TOwnerDrawState{odSelected, odDisabled}}) {
        auto calls = DrawCalls(list, 0, state);
        std::vector<TGdiCall> ellipses;
        for (const auto& c : calls)
            if (c.Op == "Ellipse") ellipses.push_back(c);
        ASSERT_EQ(ellipses.size(), 2u);
        EXPECT_EQ(ellipses[0].Rect, (TRect{2, 2, 14, 14}));
        EXPECT_EQ(ellipses[0].Color, clWindow);  // filled with Color
        EXPECT_EQ(ellipses[1].Rect, (TRect{4, 4, 12, 12}));
        EXPECT_EQ(ellipses[1].Color, 0x000000);  // the dot is black inside
        const unsigned ink = state.Contains(odDisabled) ? 0x808080 : 0x000000;
        EXPECT_EQ(At(12 + 2, 12 + 7), ink);  // the circle's left edge in the ink
        EXPECT_EQ(At(12 + 7, 12 + 7), 0x000000u);
        const TGdiCall& text = calls.back();
        EXPECT_EQ(text.Rect.Left, 20 + 2);
        EXPECT_EQ(text.Color, static_cast<TColor>(ink));
        EXPECT_EQ(list->Canvas()->Brush()->Color(), clWindow);  // Color again for the text
    }
    auto calls = DrawCalls(list, 1, TOwnerDrawState{});
    int ellipses = 0;
    for (const auto& c : calls) ellipses += c.Op == "Ellipse";
    EXPECT_EQ(ellipses, 1);
}

TEST_F(RadioListFixture, FlatButtonPixelByPixel) {
    // As real GDI draws it (tools/wine/glyph-list-boxes.c): the circle in the gray ink of a
    // disabled item, filled with Color, and the dot outlined in the ink and filled black.
    static constexpr const char* kChosen[14] = {
        "GGGGGGGGGGGGGG", "GGGGGGGGGGGGGG", "GGGGGGIIIIGGGG", "GGGGIIGGGGIIGG", "GGGIGGIIIIGGIG",
        "GGGIGIKKKKIGIG", "GGIGIKKKKKKIGI", "GGIGIKKKKKKIGI", "GGIGIKKKKKKIGI", "GGIGIKKKKKKIGI",
        "GGGIGIKKKKIGIG", "GGGIGGIIIIGGIG", "GGGGIIGGGGIIGG", "GGGGGGIIIIGGGG",
    };
    auto* list = Add({"chosen"});
    list->SetCheckBoxStyle(chsNormal);
    list->SetColor(kTestBackground);
    list->DrawItem(0, list->ItemRect(0), TOwnerDrawState{odSelected, odDisabled});
    EXPECT_TRUE(BoxIs(Form.Host->Surface(), 12, 12, kChosen, 0x808080));
}

TEST_F(RadioListFixture, ClicksAndArrowsChooseOneItem) {
    auto* list = Add({"a", "b", "c"});
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(30, 20));
    list->Perform(WM_LBUTTONUP, 0, MakeLParam(30, 20));
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_FALSE(list->Selected(1));
}

// Read from a form file nothing is chosen and the caret is on the first item: the first key
// chooses that item, not the next one.
TEST_F(RadioListFixture, FirstKeyAfterLoadingChoosesTheFirstItem) {
    auto form =
        FormFiles::ReadForm(std::string_view("object Form1: TForm1\n"
                                             "  object Radio1: TQELRadioList\n"
                                             "    Items.Strings = (\n"
                                             "      'a'\n"
                                             "      'b'\n"
                                             "      'c')\n"
                                             "  end\n"
                                             "end\n"));
    auto* list = dynamic_cast<TQELRadioList*>(form->FindComponent("Radio1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 0);
    list->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(RadioListFixture, FontRuleIsTheShared) {
    auto* list = Add({"a"});
    EXPECT_EQ(list->ItemHeight(), 15);
    list->Font()->SetHeight(-20);
    EXPECT_EQ(list->ItemHeight(), 24);
    list->Font()->SetHeight(-12);
    EXPECT_EQ(list->ItemHeight(), 15);
    EXPECT_EQ(list->Font()->Height(), 15);
}

TEST_F(RadioListFixture, PublishedLikeTheCheckList) {
    const auto props = GetPropInfos(TQELRadioList::StaticClassInfo());
    ASSERT_EQ(props.size(), 51u);
    EXPECT_EQ(props[9]->Name, "TabStop");
    EXPECT_EQ(props[10]->Name, "CheckBoxStyle");
    EXPECT_EQ(props[20]->Name, "Color");
    EXPECT_EQ(props[50]->Name, "OnMouseUp");
    EXPECT_EQ(props[10]->Type, TypeInfoTCheckStyle());
}

TEST_F(RadioListFixture, Golden) {
    if (!BitmapResourcesReadable()) GTEST_SKIP() << "this build's bitmap reader cannot read DIBs";
    TTestForm form(250, 62);
    auto* sunken = form.Add(new TQELRadioList(form.Form.get()), TRect{4, 4, 124, 58});
    sunken->Items()->SetAll({"Left", "Centre", "Right"});
    sunken->SetItemIndex(1);
    auto* flat = form.Add(new TQELRadioList(form.Form.get()), TRect{128, 4, 246, 38});
    flat->SetCheckBoxStyle(chsNormal);
    flat->Items()->SetAll({"Flat, off", "Flat, on"});
    flat->SetItemIndex(1);
    auto* disabled = form.Add(new TQELRadioList(form.Form.get()), TRect{128, 39, 246, 58});
    disabled->SetCheckBoxStyle(chsNormal);
    disabled->Items()->SetAll({"Disabled, on"});
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);
    EXPECT_TRUE(MatchesGolden(form.Render(), "glyphlists/radio-list"));
}
