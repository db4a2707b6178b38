#include <gtest/gtest.h>

#include <climits>

#include "GlyphTestSupport.h"
#include "glyphlists/TQELCheckList.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"

using namespace Qellist;

namespace {

// Exposes DrawItem and records the item height after every WM_SETFONT, nested ones included.
struct TCheckListProbe : TQELCheckList {
    using TQELCheckList::DrawItem;
    using TQELCheckList::TQELCheckList;
    std::vector<int> HeightsAfterSetFont;
    void WndProc(TMessage& m) override {
        TQELCheckList::WndProc(m);
        if (m.Msg == WM_SETFONT) HeightsAfterSetFont.push_back(ItemHeight());
    }
};

constexpr TColor kBackground = kTestBackground;  // a Color no stroke uses

struct CheckListFixture : ::testing::Test {
    TTestForm Form{200, 120};
    TCallLog Log;

    // A list at (10, 10): with its two-pixel border the first item starts at (12, 12).
    TCheckListProbe* Add(std::vector<std::string> items, int width = 120, int height = 70) {
        auto* list =
            Form.Add(new TCheckListProbe(Form.Form.get()), TRect{10, 10, 10 + width, 10 + height});
        list->Items()->SetAll(std::move(items));
        Form.Render();
        Form.Host->ResetCounts();
        return list;
    }
    std::vector<TGdiCall> PaintCalls(TControl* c) {
        Form.Host->SetCallLog(c, &Log);
        Log.Clear();
        c->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(c, nullptr);
        return Log.Calls();
    }
    ::testing::AssertionResult BoxIs(int x0, int y0, const char* const (&rows)[14],
                                     unsigned ink = 0) {
        return ::BoxIs(Form.Host->Surface(), x0, y0, rows, ink);
    }
};

// The maps are what real GDI draws for the same calls (tools/wine/glyph-list-boxes.c).
constexpr const char* kSunkenEmpty[14] = {
    "GGGGGGGGGGGGGG", "GSSSSSSSSSSSSG", "GSKKKKKKKKKKFW", "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW",
    "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW",
    "GSKWWWWWWWWWFW", "GSKWWWWWWWWWFW", "GSKGFFFFFFFFFW", "GGWWWWWWWWWWWW",
};
// The thick cross: the two diagonals with a stroke one pixel below and one above each.
constexpr const char* kSunkenChecked[14] = {
    "GGGGGGGGGGGGGG", "GSSSSSSSSSSSSG", "GSKKKKKKKKKKFW", "GSKWWWWWWWWWFW", "GSKWKKWWWKKWFW",
    "GSKWKKKWKKKWFW", "GSKWWKKKKKWWFW", "GSKWWWKKKWWWFW", "GSKWWKKKKKWWFW", "GSKWKKKWKKKWFW",
    "GSKWKKWWWKKWFW", "GSKWWWWWWWWWFW", "GSKGFFFFFFFFFW", "GGWWWWWWWWWWWW",
};
constexpr const char* kFlatEmpty[14] = {
    "GGGGGGGGGGGGGG", "GGGGGGGGGGGGGG", "GGIIIIIIIIIIII", "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI",
    "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI",
    "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI", "GGIGGGGGGGGGGI", "GGIIIIIIIIIIII",
};
// The thin cross: corner to corner, and back to one pixel short of the bottom-left corner.
constexpr const char* kFlatChecked[14] = {
    "GGGGGGGGGGGGGG", "GGGGGGGGGGGGGG", "GGIIIIIIIIIIII", "GGIIGGGGGGGGII", "GGIGIGGGGGGIGI",
    "GGIGGIGGGGIGGI", "GGIGGGIGGIGGGI", "GGIGGGGIIGGGGI", "GGIGGGGIIGGGGI", "GGIGGGIGGIGGGI",
    "GGIGGIGGGGIGGI", "GGIGIGGGGGGIGI", "GGIIGGGGGGGGII", "GGIIIIIIIIIIII",
};

}  // namespace

TEST_F(CheckListFixture, ConstructorSetsDefaultsInOrder) {
    TQELCheckList list(nullptr);
    EXPECT_EQ(list.CheckBoxStyle(), chsDraw3D);
    EXPECT_EQ(list.Color(), clBtnFace);
    EXPECT_TRUE(list.MultiSelect());
    EXPECT_FALSE(list.ExtendedSelect());
    EXPECT_EQ(list.Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list.BorderStyle(), bsSingle);
    EXPECT_EQ(list.Height(), 41);
    EXPECT_EQ(list.Width(), 121);
}

TEST_F(CheckListFixture, CheckBoxStyleSwitchesColourOnlyOnChange) {
    auto* list = Add({"a"});
    list->SetColor(clRed);
    Form.Host->ResetCounts();
    list->SetCheckBoxStyle(chsDraw3D);  // the same style: nothing, Color included
    EXPECT_EQ(list->Color(), clRed);
    EXPECT_EQ(Form.Host->InvalidateCount(list), 0);
    list->SetCheckBoxStyle(chsNormal);
    EXPECT_EQ(list->Color(), clWindow);
    EXPECT_EQ(Form.Host->InvalidateCount(list), 1);  // the repaint comes from Color
    list->SetCheckBoxStyle(chsDraw3D);
    EXPECT_EQ(list->Color(), clBtnFace);
}

namespace {
struct TFontRuleCase {
    int FontHeight;
    int ItemHeight;
    int FontHeightAfter;
};
class CheckListFontRule : public CheckListFixture,
                          public ::testing::WithParamInterface<TFontRuleCase> {};
}  // namespace

TEST_P(CheckListFontRule, ItemHeightFollowsTheFont) {
    const TFontRuleCase c = GetParam();
    auto* list = Add({"a", "b"});
    list->Font()->SetHeight(-30);  // away from every case, so that the next change is one
    list->HeightsAfterSetFont.clear();
    list->Font()->SetHeight(c.FontHeight);
    EXPECT_EQ(list->ItemHeight(), c.ItemHeight);
    EXPECT_EQ(list->Font()->Height(), c.FontHeightAfter);
    if (c.FontHeightAfter == 15 && c.FontHeight != 15) {
        // Setting Font.Height sent a nested WM_SETFONT that made the item 19 high, then the
        // outer rule set 15 last.
        EXPECT_EQ(list->HeightsAfterSetFont, (std::vector<int>{19, 15}));
    } else {
        EXPECT_EQ(list->HeightsAfterSetFont, (std::vector<int>{c.ItemHeight}));
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, CheckListFontRule,
                         ::testing::Values(TFontRuleCase{-11, 15, 15}, TFontRuleCase{0, 15, 15},
                                           TFontRuleCase{13, 15, 15}, TFontRuleCase{-13, 15, 15},
                                           TFontRuleCase{1, 15, 15}, TFontRuleCase{-14, 18, -14},
                                           TFontRuleCase{14, 18, 14}, TFontRuleCase{20, 24, 20},
                                           TFontRuleCase{-40, 44, -40}));

TEST_F(CheckListFixture, FirstWindowGetsItemHeight15FromTheDefaultFont) {
    auto* list = Add({"a"});
    EXPECT_EQ(list->ItemHeight(), 15);
    EXPECT_EQ(list->Font()->Height(), 15);
}

TEST_F(CheckListFixture, BoxShiftsOnlyAboveItemHeight16) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"a", "b"}, 120, 100);
    for (auto [itemHeight, shift] : {std::pair{15, 0}, {16, 0}, {17, 0}, {18, 1}, {40, 12}}) {
        list->SetItemHeight(itemHeight);
        auto calls = PaintCalls(list);
        std::vector<TGdiCall> moveTos;
        for (const auto& call : calls)
            if (call.Op == "MoveTo") moveTos.push_back(call);
        // Item 1's first stroke starts at (1, 12) from its box origin.
        ASSERT_EQ(moveTos.size(), 8u) << itemHeight;
        EXPECT_EQ(moveTos[4].Rect.Left, 1) << itemHeight;
        EXPECT_EQ(moveTos[4].Rect.Top, itemHeight + shift + 12) << itemHeight;
    }
}

TEST_F(CheckListFixture, SunkenBoxPixelByPixel) {
    auto* list = Add({"checked", "empty"});
    list->SetColor(kBackground);
    list->SetSelected(0, true);
    Form.Render();
    EXPECT_TRUE(BoxIs(12, 12, kSunkenChecked));
    EXPECT_TRUE(BoxIs(12, 27, kSunkenEmpty));
}

TEST_F(CheckListFixture, FlatBoxPixelByPixel) {
    auto* list = Add({"checked", "empty"});
    list->SetCheckBoxStyle(chsNormal);
    list->SetColor(kBackground);
    list->SetSelected(0, true);
    Form.Render();
    EXPECT_TRUE(BoxIs(12, 12, kFlatChecked, 0x000000));
    EXPECT_TRUE(BoxIs(12, 27, kFlatEmpty, 0x000000));
}

TEST_F(CheckListFixture, GrayInkButTheSunkenCrossStaysBlack) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"item"});
    list->SetColor(kBackground);
    for (TOwnerDrawState state :
         {TOwnerDrawState{odSelected, odDisabled}, TOwnerDrawState{odSelected, odGrayed}}) {
        list->SetCheckBoxStyle(chsDraw3D);
        list->SetColor(kBackground);
        Form.Host->SetCallLog(list, &Log);
        Log.Clear();
        list->DrawItem(0, list->ItemRect(0), state);
        auto text = Log.Only("TextOut");
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].Color, 0x808080);
        EXPECT_TRUE(BoxIs(12, 12, kSunkenChecked));

        list->SetCheckBoxStyle(chsNormal);
        list->SetColor(kBackground);
        Log.Clear();
        list->DrawItem(0, list->ItemRect(0), state);
        text = Log.Only("TextOut");
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].Color, 0x808080);
        EXPECT_TRUE(BoxIs(12, 12, kFlatChecked, 0x808080));
        Form.Host->SetCallLog(list, nullptr);
    }
}

TEST_F(CheckListFixture, DisabledListPaintsGrayText) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"item"});
    list->SetSelected(0, true);
    list->SetEnabled(false);
    auto calls = PaintCalls(list);
    int texts = 0;
    for (const auto& c : calls)
        if (c.Op == "TextOut") {
            ++texts;
            EXPECT_EQ(c.Color, 0x808080);
        }
    EXPECT_EQ(texts, 1);
}

TEST_F(CheckListFixture, SunkenTextIsCentredTowardZeroFlatTextAtTheTop) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"item"});
    ASSERT_EQ(list->ItemHeight(), 15);
    struct TCase {
        int CanvasFontHeight, Metrics, Offset;
    };
    // The canvas font's tmHeight decides: 12 centres one pixel down, 14 not at all; 17 and 20
    // are taller than the item, and -2 div 2 and -5 div 2 truncate toward zero.
    Form.Host->SetCallLog(list, &Log);
    for (TCase c : {TCase{-11, 12, 1}, TCase{13, 14, 0}, TCase{-16, 17, -1}, TCase{-18, 20, -2}}) {
        for (TCheckStyle style : {chsDraw3D, chsNormal}) {
            list->SetCheckBoxStyle(style);
            list->Canvas()->Font()->SetHeight(c.CanvasFontHeight);
            ASSERT_EQ(list->Canvas()->TextHeight("W"), c.Metrics) << c.CanvasFontHeight;
            Log.Clear();
            list->DrawItem(0, TRect{0, 0, 100, 15}, TOwnerDrawState{});
            auto text = Log.Only("TextOut");
            ASSERT_EQ(text.size(), 1u);
            EXPECT_EQ(text[0].Rect.Left, 20);
            EXPECT_EQ(text[0].Rect.Top, style == chsDraw3D ? c.Offset : 0) << c.CanvasFontHeight;
            EXPECT_EQ(text[0].Text, "item");
        }
    }
    Form.Host->SetCallLog(list, nullptr);
}

TEST_F(CheckListFixture, ClickTogglesIndependently) {
    auto* list = Add({"a", "b", "c"});
    int clicks = 0;
    list->OnClick = [&](TPersistent*) { ++clicks; };
    for (int y : {5, 35, 5}) {
        list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(30, y));
        list->Perform(WM_LBUTTONUP, 0, MakeLParam(30, y));
    }
    EXPECT_FALSE(list->Selected(0));
    EXPECT_FALSE(list->Selected(1));
    EXPECT_TRUE(list->Selected(2));
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckListFixture, PublishedPropertiesInIndexOrder) {
    const auto props = GetPropInfos(TQELCheckList::StaticClassInfo());
    const char* const kOrder[] = {"Name",          "Tag",
                                  "Left",          "Top",
                                  "Width",         "Height",
                                  "Cursor",        "Hint",
                                  "HelpContext",   "TabStop",
                                  "CheckBoxStyle", "Align",
                                  "Anchors",       "Constraints",
                                  "BiDiMode",      "ParentBiDiMode",
                                  "DragMode",      "DragKind",
                                  "DragCursor",    "BorderStyle",
                                  "Color",         "Columns",
                                  "Ctl3D",         "Enabled",
                                  "Font",          "IntegralHeight",
                                  "ItemHeight",    "Items",
                                  "ParentColor",   "ParentCtl3D",
                                  "ParentFont",    "ParentShowHint",
                                  "PopupMenu",     "ShowHint",
                                  "Sorted",        "TabOrder",
                                  "Visible",       "OnClick",
                                  "OnDblClick",    "OnDragDrop",
                                  "OnDragOver",    "OnEndDrag",
                                  "OnEnter",       "OnExit",
                                  "OnKeyDown",     "OnKeyPress",
                                  "OnKeyUp",       "OnMeasureItem",
                                  "OnMouseDown",   "OnMouseMove",
                                  "OnMouseUp"};
    ASSERT_EQ(props.size(), std::size(kOrder));
    for (std::size_t i = 0; i < props.size(); ++i) EXPECT_EQ(props[i]->Name, kOrder[i]) << i;
    // CheckBoxStyle streams before Color, by name, and has no default: always stored.
    const TPropInfo* style = props[10];
    EXPECT_FALSE(style->Default.has_value());
    EXPECT_STREQ(style->Type->EnumName(chsDraw3D), "chsDraw3D");
    EXPECT_STREQ(style->Type->Name, "TCheckStyle");
    EXPECT_EQ(props[20]->Default, std::optional<std::int64_t>(clWindow));
}

TEST_F(CheckListFixture, StreamedStyleThenColourLeavesTheStoredColour) {
    // The form reader sets properties in property order: CheckBoxStyle, then Color.
    TQELCheckList list(nullptr);
    const TPropInfo* style = GetPropInfo(TQELCheckList::StaticClassInfo(), "CheckBoxStyle");
    const TPropInfo* color = GetPropInfo(TQELCheckList::StaticClassInfo(), "Color");
    style->SetOrd(list, chsNormal);
    EXPECT_EQ(list.Color(), clWindow);
    color->SetOrd(list, clYellow);
    EXPECT_EQ(list.Color(), clYellow);
    EXPECT_EQ(list.CheckBoxStyle(), chsNormal);
    // A 3-D list whose Color was set to the streaming default stores no Color, and reads back
    // with the constructor's button face.
    TQELCheckList other(nullptr);
    other.SetColor(clWindow);
    EXPECT_EQ(color->GetOrd(other), color->Default);
    EXPECT_EQ(TQELCheckList(nullptr).Color(), clBtnFace);
}

TEST_F(CheckListFixture, Golden) {
    TTestForm form(250, 60);
    auto* sunken = form.Add(new TQELCheckList(form.Form.get()), TRect{4, 4, 124, 56});
    sunken->Items()->SetAll({"Checked", "Unchecked", "Checked"});
    sunken->SetSelected(0, true);
    sunken->SetSelected(2, true);
    auto* flat = form.Add(new TQELCheckList(form.Form.get()), TRect{128, 4, 246, 56});
    flat->SetCheckBoxStyle(chsNormal);
    flat->Items()->SetAll({"Flat, on", "Flat, off", "Disabled"});
    flat->SetSelected(0, true);
    flat->SetSelected(2, true);
    flat->SetEnabled(false);
    EXPECT_TRUE(MatchesGolden(form.Render(), "glyphlists/check-list"));
}
