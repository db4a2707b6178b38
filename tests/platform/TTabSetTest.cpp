#include <gtest/gtest.h>

#include <stdexcept>

#include "graphics/Graphics.h"
#include "support/TestSupport.h"
#include "vclx/TTabSet.h"

namespace {

struct TTabSetFixture : ::testing::Test {
    TTestForm Form{400, 120};
    TCallLog Log;

    TTabSet* Add(std::initializer_list<const char*> tabs, TRect bounds = TRect{10, 10, 310, 31}) {
        auto* set = Form.Add(new TTabSet(Form.Form.get()), bounds);
        for (const char* t : tabs) set->Tabs()->Add(t);
        Form.Render();
        Form.Host->ResetCounts();
        return set;
    }
    std::vector<TGdiCall> PaintCalls(TTabSet* set, const std::string& op) {
        Form.Host->SetCallLog(set, &Log);
        Log.Clear();
        set->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(set, nullptr);
        std::vector<TGdiCall> out;
        for (const auto& c : Log.Calls())
            if (c.Op == op) out.push_back(c);
        return out;
    }
    static void Click(TTabSet* set, TPoint p) {
        set->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(p.X, p.Y));
        set->Perform(WM_LBUTTONUP, 0, MakeLParam(p.X, p.Y));
    }
    static TPoint Centre(const TRect& r) {
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    static int CaptionWidth(TTabSet* set, const std::string& caption) {
        TCanvas canvas;
        canvas.SetFont(set->Font());
        return canvas.TextWidth(caption) + 2 * TTabSet::kCaptionMargin;
    }
};

TEST_F(TTabSetFixture, ConstructorSetsDefaults) {
    TTabSet set(nullptr);
    EXPECT_EQ(set.TabIndex(), -1);
    EXPECT_EQ(set.Tabs()->Count(), 0);
    EXPECT_EQ(set.TabStyle(), tsStandard);
    EXPECT_EQ(set.TabHeight(), 20);
    EXPECT_TRUE(set.AutoScroll());
    EXPECT_TRUE(set.DitherBackground());
    EXPECT_EQ(set.SelectedColor(), clBtnFace);
    EXPECT_EQ(set.UnselectedColor(), clWindow);
    EXPECT_EQ(set.BackgroundColor(), clBtnFace);
    EXPECT_EQ(set.StartMargin(), 5);
    EXPECT_EQ(set.EndMargin(), 5);
    EXPECT_EQ(set.Width(), 185);
    EXPECT_EQ(set.Height(), 21);
}

TEST_F(TTabSetFixture, TabsFollowEachOtherAcrossTheirEdges) {
    auto* set = Add({"One", "Three"});
    const int first = set->StartMargin() + TTabSet::kEdgeWidth;
    const int th = set->CurrentTabHeight();
    EXPECT_EQ(set->TabRect(0), (TRect{first, 0, first + CaptionWidth(set, "One"), th}));
    const int second = set->TabRect(0).Right + TTabSet::kEdgeWidth;
    EXPECT_EQ(set->TabRect(1), (TRect{second, 0, second + CaptionWidth(set, "Three"), th}));
    EXPECT_EQ(set->VisibleTabs(), 2);
    EXPECT_TRUE(set->ScrollLeftRect().IsEmpty());
    EXPECT_TRUE(set->TabRect(2).IsEmpty());
}

TEST_F(TTabSetFixture, IndexOutsideTheTabsIsRejected) {
    auto* set = Add({"One", "Two"});
    EXPECT_THROW(set->SetTabIndex(2), std::out_of_range);
    EXPECT_THROW(set->SetTabIndex(-2), std::out_of_range);
    EXPECT_EQ(set->TabIndex(), -1);
    set->SetTabIndex(1);
    set->Tabs()->Delete(1);
    EXPECT_EQ(set->TabIndex(), 0);
    set->Tabs()->Clear();
    EXPECT_EQ(set->TabIndex(), -1);
}

TEST_F(TTabSetFixture, ClickingATabSelectsIt) {
    auto* set = Add({"One", "Two", "Three"});
    int clicks = 0;
    set->OnClick = [&](TPersistent*) { ++clicks; };
    Click(set, Centre(set->TabRect(2)));
    EXPECT_EQ(set->TabIndex(), 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Form.Host->HasPending());
    // On a slanted edge the click goes to the nearer tab.
    Click(set, TPoint{set->TabRect(0).Right + 2, 5});
    EXPECT_EQ(set->TabIndex(), 0);
    Click(set, TPoint{set->TabRect(1).Left - 2, 5});
    EXPECT_EQ(set->TabIndex(), 1);
    // Below the tabs and past the last one nothing changes.
    Click(set, TPoint{set->TabRect(1).Left + 2, set->CurrentTabHeight() + 1});
    Click(set, TPoint{295, 5});
    EXPECT_EQ(set->TabIndex(), 1);
    EXPECT_EQ(clicks, 3);
}

TEST_F(TTabSetFixture, OnChangeMayRefuseTheNewTab) {
    auto* set = Add({"One", "Two", "Three"});
    std::vector<int> asked;
    set->OnChange = [&](TPersistent*, int newTab, bool& allow) {
        asked.push_back(newTab);
        allow = newTab != 2;
    };
    set->SetTabIndex(1);
    Click(set, Centre(set->TabRect(2)));
    EXPECT_EQ(set->TabIndex(), 1);
    set->SetTabIndex(1);  // no change, no question
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));
}

TEST_F(TTabSetFixture, ScrollButtonsAppearWhenTabsDoNotFit) {
    auto* set = Add({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"}, TRect{10, 10, 160, 31});
    const int visible = set->VisibleTabs();
    ASSERT_GT(visible, 0);
    ASSERT_LT(visible, 6);
    const TRect left = set->ScrollLeftRect(), right = set->ScrollRightRect();
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_EQ(right.Right, set->ClientWidth() - 2);
    EXPECT_EQ(left.Right, right.Left);
    // The visible tabs end before the buttons.
    EXPECT_LE(set->TabRect(visible - 1).Right + TTabSet::kEdgeWidth, left.Left);

    Click(set, Centre(left));
    EXPECT_EQ(set->FirstIndex(), 0);
    Click(set, Centre(right));
    EXPECT_EQ(set->FirstIndex(), 1);
    EXPECT_TRUE(set->TabRect(0).IsEmpty());
    EXPECT_EQ(set->TabRect(1).Left, set->StartMargin() + TTabSet::kEdgeWidth);
    for (int i = 0; i < 10; ++i) Click(set, Centre(right));
    EXPECT_EQ(set->FirstIndex() + set->VisibleTabs(), 6);  // stops at the last tab
    Click(set, Centre(left));
    EXPECT_EQ(set->FirstIndex() + set->VisibleTabs(), 5);
    EXPECT_EQ(set->TabIndex(), -1);  // scrolling selects nothing

    set->SetAutoScroll(false);
    EXPECT_TRUE(set->ScrollLeftRect().IsEmpty());
}

TEST_F(TTabSetFixture, SelectingAHiddenTabScrollsItIntoView) {
    auto* set = Add({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"}, TRect{10, 10, 160, 31});
    set->SetTabIndex(5);
    EXPECT_FALSE(set->TabRect(5).IsEmpty());
    EXPECT_GT(set->FirstIndex(), 0);
    set->SetTabIndex(0);
    EXPECT_EQ(set->FirstIndex(), 0);
}

TEST_F(TTabSetFixture, OwnerDrawMeasuresAndDrawsEveryVisibleTab) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add({"One", "Two", "Three"});
    set->SetTabStyle(tsOwnerDraw);
    set->SetTabHeight(26);
    set->SetSelectedColor(clYellow);
    set->SetUnselectedColor(clAqua);
    set->SetTabIndex(1);
    std::vector<int> inherited;
    set->OnMeasureTab = [&](TPersistent*, int index, int& width) {
        inherited.push_back(width);
        width = 30 + 10 * index;
    };
    struct TDrawn {
        int Index;
        TRect R;
        bool Selected;
        TColor Brush;
    };
    std::vector<TDrawn> drawn;
    set->OnDrawTab = [&](TPersistent*, TCanvas* canvas, TRect r, int index, bool selected) {
        drawn.push_back({index, r, selected, canvas->Brush()->Color()});
    };
    PaintCalls(set, "FillRect");
    ASSERT_GE(inherited.size(), 3u);
    EXPECT_EQ(inherited[0], CaptionWidth(set, "One"));
    // The selected tab is drawn last, over its neighbours.
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].Index, 2);
    EXPECT_EQ(drawn[1].Index, 0);
    EXPECT_EQ(drawn[2].Index, 1);
    EXPECT_TRUE(drawn[2].Selected);
    EXPECT_EQ(drawn[2].Brush, clYellow);
    EXPECT_EQ(drawn[1].Brush, clAqua);
    EXPECT_EQ(drawn[1].R, (TRect{14, 0, 44, 26}));
    EXPECT_EQ(drawn[2].R, (TRect{53, 0, 93, 26}));
    EXPECT_EQ(drawn[0].R, (TRect{102, 0, 152, 26}));
}

TEST_F(TTabSetFixture, TabHeightIsClampedAndPaintsWithinTheControl) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add({"One"});
    set->SetTabStyle(tsOwnerDraw);
    set->SetTabHeight(-5);
    EXPECT_EQ(set->TabHeight(), 0);
    set->SetTabHeight(1 << 30);
    EXPECT_EQ(set->TabHeight(), TTabSet::kMaxTabHeight);
    set->SetTabIndex(0);
    // One fill a row, for the rows the control has, not for the tab's height.
    const auto fills = PaintCalls(set, "FillRect");
    EXPECT_LT(fills.size(), 200u);
}

TEST_F(TTabSetFixture, StandardTabsShowTheirCaptionsCentred) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add({"One", "Two"});
    set->SetTabIndex(0);
    const auto texts = PaintCalls(set, "DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, "Two");  // unselected first
    EXPECT_EQ(texts[1].Text, "One");
    EXPECT_EQ(texts[1].Flags, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(texts[1].Rect.Left, set->TabRect(0).Left);
    EXPECT_EQ(texts[1].Rect.Right, set->TabRect(0).Right);
}

// Pixels: the top line over the unselected tabs, not over the selected one.
TEST_F(TTabSetFixture, SelectedTabJoinsTheAreaAbove) {
    auto* set = Add({"One", "Two"});
    set->SetTabIndex(0);
    set->SetDitherBackground(false);
    Form.Render();
    const TSurface& s = Form.Host->Surface();
    const TRect selected = set->TabRect(0), other = set->TabRect(1);
    const int x0 = 10 + selected.Left + 2, x1 = 10 + other.Left + 2;
    EXPECT_EQ(PixelRGB(s, x0, 10), 0xC0C0C0u);  // selected face, y = 0
    EXPECT_EQ(PixelRGB(s, x0, 11), 0xC0C0C0u);
    EXPECT_EQ(PixelRGB(s, x1, 10), 0x808080u);  // shadow line
    EXPECT_EQ(PixelRGB(s, x1, 11), 0x000000u);  // frame line
    EXPECT_EQ(PixelRGB(s, x1, 12), 0xFFFFFFu);  // unselected face
    const int bottom = 10 + set->CurrentTabHeight() - 1;
    EXPECT_EQ(PixelRGB(s, x0, bottom), 0x000000u);
    EXPECT_EQ(PixelRGB(s, x0, bottom - 1), 0x808080u);
    EXPECT_EQ(PixelRGB(s, x1, bottom - 1), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(s, 10 + 300 - 2, 15), 0xC0C0C0u);  // background past the tabs
}

TEST_F(TTabSetFixture, PublishesTheClassicList) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropInfos(TTabSet::StaticClassInfo())) names.push_back(p->Name);
    const std::vector<std::string> own{
        "Align",          "Anchors",          "AutoScroll",      "BackgroundColor",
        "Constraints",    "DitherBackground", "DragCursor",      "DragKind",
        "DragMode",       "Enabled",          "EndMargin",       "Font",
        "ParentShowHint", "PopupMenu",        "ShowHint",        "StartMargin",
        "SelectedColor",  "SoftTop",          "Style",           "TabHeight",
        "Tabs",           "TabIndex",         "UnselectedColor", "Visible",
        "OnChange",       "OnClick",          "OnDragDrop",      "OnDragOver",
        "OnDrawTab",      "OnEndDrag",        "OnEnter",         "OnExit",
        "OnMeasureTab",   "OnMouseDown",      "OnMouseMove",     "OnMouseUp"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<long>(own.size()), names.end()),
              own);
    const TPropInfo* style = GetPropInfo(TTabSet::StaticClassInfo(), "Style");
    EXPECT_STREQ(style->Type->EnumName(1), "tsOwnerDraw");
    EXPECT_EQ(GetPropInfo(TTabSet::StaticClassInfo(), "TabIndex")->Default, -1);
}

TEST_F(TTabSetFixture, Golden) {
    TTestForm form(320, 64);
    auto* wide = form.Add(new TTabSet(form.Form.get()), TRect{4, 4, 316, 25});
    for (const char* t : {"General", "Layout", "&Colours"}) wide->Tabs()->Add(t);
    wide->SetTabIndex(1);
    auto* narrow = form.Add(new TTabSet(form.Form.get()), TRect{4, 34, 200, 55});
    for (const char* t : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) narrow->Tabs()->Add(t);
    narrow->SetTabIndex(0);
    narrow->SetDitherBackground(false);
    narrow->SetSoftTop(true);
    EXPECT_TRUE(MatchesGolden(form.Render(), "platform/TTabSet"));
}

}  // namespace
