#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "controls/TListBox.h"
#include "controls/TWindowHost.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"
#include "text/TFontInstance.h"

namespace {

constexpr int kItemHeight = 16;

struct ListBoxFixture : ::testing::Test {
    TTestForm Form{300, 240};
    TCallLog Log;
    int Clicks = 0;

    // An owner-drawn list of 16-pixel items at (10, 10); the client area starts at (12, 12).
    TListBox* Add(int count, int visibleRows = 10) {
        auto* list = Form.Add(new TListBox(Form.Form.get()),
                              TRect{10, 10, 130, 10 + 4 + visibleRows * kItemHeight});
        list->SetStyle(lbOwnerDrawFixed);
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i) items.push_back("Item " + std::to_string(i));
        list->Items()->SetAll(std::move(items));
        list->OnClick = [this](TPersistent*) { ++Clicks; };
        Form.Render();
        Form.Host->ResetCounts();
        return list;
    }
    static LPARAM At(int index) { return MakeLParam(20, index * kItemHeight + kItemHeight / 2); }
    std::vector<TGdiCall> PaintCalls(TControl* c) {
        Form.Host->SetCallLog(c, &Log);
        Log.Clear();
        c->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(c, nullptr);
        return Log.Calls();
    }
    static std::set<int> SelectedItems(const TListBox& list) {
        std::set<int> out;
        for (int i = 0; i < list.Items()->Count(); ++i)
            if (list.Selected(i)) out.insert(i);
        return out;
    }
};

// One thing the user does: a click (press and release) on an item, a press, a drag to an
// item, a release, or a key, with Shift and Ctrl held or not.
struct TStep {
    enum TKind { Click, Press, Drag, Release, Key } Kind;
    int Value;  // item index, or virtual key
    bool Shift = false;
    bool Ctrl = false;
};

struct TSelectionCase {
    const char* Name;
    bool MultiSelect, ExtendedSelect;
    std::vector<TStep> Steps;
    std::set<int> Selected;
    int ItemIndex;
    int Clicks;
};

TStep Click(int i, bool shift = false, bool ctrl = false) {
    return {TStep::Click, i, shift, ctrl};
}
TStep Press(int i, bool shift = false, bool ctrl = false) {
    return {TStep::Press, i, shift, ctrl};
}
TStep Drag(int i) {
    return {TStep::Drag, i};
}
TStep Release(int i) {
    return {TStep::Release, i};
}
TStep Key(WORD k, bool shift = false, bool ctrl = false) {
    return {TStep::Key, k, shift, ctrl};
}

class ListBoxSelection : public ListBoxFixture,
                         public ::testing::WithParamInterface<TSelectionCase> {};

}  // namespace

TEST_P(ListBoxSelection, FollowsMouseAndKeyboard) {
    const TSelectionCase& c = GetParam();
    auto* list = Add(10);
    list->SetMultiSelect(c.MultiSelect);
    list->SetExtendedSelect(c.ExtendedSelect);
    for (const TStep& s : c.Steps) {
        const WPARAM keys = (s.Shift ? MK_SHIFT : 0) | (s.Ctrl ? MK_CONTROL : 0);
        switch (s.Kind) {
            case TStep::Click:
                list->Perform(WM_LBUTTONDOWN, MK_LBUTTON | keys, At(s.Value));
                list->Perform(WM_LBUTTONUP, keys, At(s.Value));
                break;
            case TStep::Press:
                list->Perform(WM_LBUTTONDOWN, MK_LBUTTON | keys, At(s.Value));
                break;
            case TStep::Drag:
                list->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(s.Value));
                break;
            case TStep::Release:
                list->Perform(WM_LBUTTONUP, 0, At(s.Value));
                break;
            case TStep::Key: {
                TShiftState shift;
                if (s.Shift) shift.Include(ssShift);
                if (s.Ctrl) shift.Include(ssCtrl);
                SetKeyboardShiftState(shift);
                list->Perform(WM_KEYDOWN, static_cast<WPARAM>(s.Value));
                SetKeyboardShiftState(TShiftState{});
                break;
            }
        }
    }
    EXPECT_EQ(SelectedItems(*list), c.Selected);
    EXPECT_EQ(list->ItemIndex(), c.ItemIndex);
    EXPECT_EQ(Clicks, c.Clicks);
    EXPECT_EQ(list->SelCount(), c.MultiSelect ? static_cast<int>(c.Selected.size()) : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListBoxSelection,
    ::testing::Values(
        // Single selection follows the click, the drag and the arrow keys.
        TSelectionCase{"SingleClick", false, false, {Click(2), Click(5)}, {5}, 5, 2},
        TSelectionCase{
            "SingleArrows", false, false, {Click(2), Key(VK_DOWN), Key(VK_DOWN)}, {4}, 4, 3},
        // Nothing selected: the first key selects the caret's item, wherever it would move.
        TSelectionCase{"SingleFirstKeyFromNone", false, false, {Key(VK_DOWN)}, {0}, 0, 1},
        TSelectionCase{"SingleHomeEnd", false, false, {Click(3), Key(VK_HOME)}, {0}, 0, 2},
        TSelectionCase{"SingleEnd", false, false, {Key(VK_END), Key(VK_END)}, {9}, 9, 2},
        TSelectionCase{
            "SingleDrag", false, false, {Press(1), Drag(3), Drag(4), Release(4)}, {4}, 4, 1},
        TSelectionCase{"SingleSpaceAndCtrlDoNothingMore",
                       false,
                       false,
                       {Click(2, false, true), Key(VK_SPACE)},
                       {2},
                       2,
                       1},
        TSelectionCase{"SingleEdgeKeysStay", false, false, {Click(9), Key(VK_DOWN)}, {9}, 9, 1},
        // Multiple selection: a click toggles, arrows move only the focus, space toggles.
        TSelectionCase{"MultipleToggles", true, false, {Click(1), Click(3), Click(1)}, {3}, 1, 3},
        TSelectionCase{"MultipleSpace",
                       true,
                       false,
                       {Click(1), Key(VK_DOWN), Key(VK_DOWN), Key(VK_SPACE)},
                       {1, 3},
                       3,
                       4},
        // A drag moves the focus alone.
        TSelectionCase{
            "MultipleNoDragSelect", true, false, {Press(1), Drag(4), Release(4)}, {1}, 4, 1},
        // Extended selection: Shift ranges from the anchor, Ctrl toggles and adds.
        TSelectionCase{"ExtendedClickReplaces", true, true, {Click(2), Click(5)}, {5}, 5, 2},
        TSelectionCase{
            "ExtendedShiftRange", true, true, {Click(2), Click(5, true)}, {2, 3, 4, 5}, 5, 2},
        TSelectionCase{
            "ExtendedCtrlAdds", true, true, {Click(2), Click(5, false, true)}, {2, 5}, 5, 2},
        TSelectionCase{"ExtendedCtrlTogglesOff",
                       true,
                       true,
                       {Click(3, false, true), Click(3, false, true)},
                       {},
                       3,
                       2},
        TSelectionCase{"ExtendedShiftFromCtrlAnchor",
                       true,
                       true,
                       {Click(2), Click(5, false, true), Click(7, true)},
                       {5, 6, 7},
                       7,
                       3},
        TSelectionCase{"ExtendedCtrlShiftAddsRange",
                       true,
                       true,
                       {Click(2), Click(5, false, true), Click(7, true, true)},
                       {2, 5, 6, 7},
                       7,
                       3},
        TSelectionCase{"ExtendedDragRange",
                       true,
                       true,
                       {Press(2), Drag(6), Drag(4), Release(4)},
                       {2, 3, 4},
                       4,
                       1},
        TSelectionCase{
            "ExtendedDragUpward", true, true, {Press(6), Drag(3), Release(3)}, {3, 4, 5, 6}, 3, 1},
        TSelectionCase{"ExtendedCtrlDragAdds",
                       true,
                       true,
                       {Click(1), Press(4, false, true), Drag(6), Drag(5), Release(5)},
                       {1, 4, 5},
                       5,
                       2},
        TSelectionCase{"ExtendedCtrlDragClears",
                       true,
                       true,
                       {Click(2), Click(6, true), Press(4, false, true), Drag(5), Release(5)},
                       {2, 3, 6},
                       5,
                       3},
        TSelectionCase{"ExtendedShiftArrows",
                       true,
                       true,
                       {Click(2), Key(VK_DOWN, true), Key(VK_DOWN, true)},
                       {2, 3, 4},
                       4,
                       3},
        TSelectionCase{"ExtendedPlainArrowReplaces",
                       true,
                       true,
                       {Click(2), Key(VK_DOWN, true), Key(VK_DOWN)},
                       {4},
                       4,
                       3},
        TSelectionCase{"ExtendedCtrlArrowsMoveFocus",
                       true,
                       true,
                       {Click(2), Key(VK_DOWN, false, true), Key(VK_DOWN, false, true),
                        Key(VK_SPACE, false, true)},
                       {2, 4},
                       4,
                       4}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ListBoxFixture, ProgrammaticSelectionFiresNoClick) {
    auto* list = Add(5);
    list->SetItemIndex(3);
    EXPECT_EQ(list->ItemIndex(), 3);
    list->SetSelected(1, true);  // single selection: the same as ItemIndex := 1
    EXPECT_EQ(SelectedItems(*list), (std::set<int>{1}));
    list->SetSelected(1, false);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(99);  // out of range clears
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_THROW(list->Selected(5), std::out_of_range);
    EXPECT_THROW(list->SetSelected(-1, true), std::out_of_range);
}

TEST_F(ListBoxFixture, ClickBelowTheItemsChangesNothing) {
    auto* list = Add(3);
    list->SetItemIndex(1);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(6));
    list->Perform(WM_LBUTTONUP, 0, At(6));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(list->ItemAtPos(TPoint{20, 6 * kItemHeight}, true), -1);
    EXPECT_EQ(list->ItemAtPos(TPoint{20, 6 * kItemHeight}, false), 3);
}

TEST_F(ListBoxFixture, DisabledListIgnoresMouseAndKeys) {
    auto* list = Add(3);
    list->SetEnabled(false);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(1));
    list->Perform(WM_LBUTTONUP, 0, At(1));
    list->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBoxFixture, SelectionStaysWithItsStrings) {
    auto* list = Add(6);
    list->SetMultiSelect(true);
    list->SetSelected(2, true);
    list->SetSelected(4, true);
    list->Items()->Insert(0, "new");
    EXPECT_EQ(SelectedItems(*list), (std::set<int>{3, 5}));
    list->Items()->Delete(3);
    EXPECT_EQ(SelectedItems(*list), (std::set<int>{4}));
    EXPECT_EQ((*list->Items())[4], "Item 4");
    list->Items()->Add("last");
    EXPECT_EQ(list->SelCount(), 1);
    list->Clear();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->ItemIndex(), -1);
    // Going back to single selection keeps one item: the caret's, which selecting moved.
    list->Items()->SetAll({"a", "b", "c"});
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetMultiSelect(false);
    EXPECT_EQ(SelectedItems(*list), (std::set<int>{2}));
}

// Selected[i] := True in a multiple-selection list moves the caret, and with it ItemIndex and
// the focus rectangle, to the item and scrolls it into view.
TEST_F(ListBoxFixture, SelectingMovesTheCaretAndTheFocusRectangle) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(30, 7);
    list->SetMultiSelect(true);
    list->SetExtendedSelect(false);
    list->SetFocus();
    list->SetSelected(15, true);
    EXPECT_EQ(list->ItemIndex(), 15);
    EXPECT_EQ(list->TopIndex(), 9);
    Log.Clear();
    const std::vector<TGdiCall> calls = PaintCalls(list);
    std::vector<TRect> focus;
    for (const TGdiCall& c : calls)
        if (c.Op == "DrawFocusRect") focus.push_back(c.Rect);
    EXPECT_EQ(focus, std::vector<TRect>{list->ItemRect(15)});
    list->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 16);
}

// What is drawn for an item stays inside it, as the window clips it: text taller than the item
// does not reach below the last item, and an owner that draws past its rectangle touches no
// other item.
TEST_F(ListBoxFixture, ItemsAreClippedToTheirRectangles) {
    auto* list = Add(0, 10);
    list->SetItemHeight(5);  // the default font is 11 pixels high
    list->Items()->SetAll({"Wg", "Wg", "Wg"});
    const TSurface& s = Form.Render();
    auto blankFrom = [&](int top, int bottom) {
        for (int y = 12 + top; y < 12 + bottom; ++y)
            for (int x = 12; x < 12 + 116; ++x)
                if (PixelRGB(s, x, y) != 0xFFFFFFu) return false;
        return true;
    };
    EXPECT_FALSE(blankFrom(10, 15));  // the last item's text shows in it
    EXPECT_TRUE(blankFrom(15, 160));

    list->OnDrawItem = [list](TPersistent*, int index, TRect r, TOwnerDrawState) {
        if (index != 1) return;
        list->Canvas()->Brush()->SetColor(clRed);
        list->Canvas()->FillRect(TRect{r.Left, r.Top - 3, r.Right, r.Bottom + 3});
    };
    list->Invalidate();
    Form.Render();
    EXPECT_TRUE(blankFrom(0, 5));
    EXPECT_EQ(PixelRGB(s, 20, 12 + 5), 0xFF0000u);
    EXPECT_TRUE(blankFrom(10, 160));
}

TEST_F(ListBoxFixture, SortedKeepsItemsInOrder) {
    auto* list = Add(0);
    list->SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig"}) list->Items()->Add(s);
    EXPECT_EQ(list->Items()->All(), (std::vector<std::string>{"Apple", "fig", "pear"}));
}

TEST_F(ListBoxFixture, ScrollBarAppearsWhenTheItemsDoNotFit) {
    auto* list = Add(10, 10);
    EXPECT_FALSE(list->ScrollBarVisible());
    EXPECT_EQ(list->ClientWidth(), 116);
    list->Items()->Add("eleventh");
    EXPECT_TRUE(list->ScrollBarVisible());
    EXPECT_EQ(list->ClientWidth(), 100);
    list->Items()->Delete(0);
    EXPECT_FALSE(list->ScrollBarVisible());
    EXPECT_EQ(list->ClientWidth(), 116);
}

TEST_F(ListBoxFixture, ScrollBarLooksClassic) {
    auto* list = Add(40, 10);
    Form.Render();
    const TSurface& s = Form.Host->Surface();
    // The bar lies inside the border at the right: x 112..127 of the window at (10, 10).
    const int bx = 10 + 2 + 100, by = 10 + 2;
    EXPECT_EQ(PixelRGB(s, bx, by), 0xC0C0C0u);            // light outer edge of the arrow
    EXPECT_EQ(PixelRGB(s, bx + 15, by + 15), 0x000000u);  // dark shadow, bottom right
    EXPECT_EQ(PixelRGB(s, bx + 1, by + 1), 0xFFFFFFu);    // inner highlight
    EXPECT_EQ(PixelRGB(s, bx + 7, by + 5), 0x000000u);    // tip of the up arrow
    EXPECT_EQ(PixelRGB(s, bx + 4, by + 8), 0x000000u);    // its base, seven pixels wide
    EXPECT_EQ(PixelRGB(s, bx + 10, by + 8), 0x000000u);
    EXPECT_EQ(PixelRGB(s, bx + 3, by + 8), 0xC0C0C0u);
    // The thumb is a quarter of the track (10 of 40 items) and starts right under the arrow.
    const TScrollBarGeometry bar = list->ScrollBar();
    EXPECT_EQ(bar.ThumbRect(), (TRect{100 + 2, 16 + 2, 116 + 2, 16 + 2 + 32}));
    // The track below it is dithered highlight and face.
    const unsigned a = PixelRGB(s, bx + 4, by + 100), b = PixelRGB(s, bx + 5, by + 100);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == 0xFFFFFFu && b == 0xC0C0C0u) || (a == 0xC0C0C0u && b == 0xFFFFFFu));
}

TEST_F(ListBoxFixture, ClickingTheScrollBarScrolls) {
    auto* list = Add(40, 10);
    // Points right of the client area fall on the bar.
    const int x = 100 + 8;
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 160 - 8));  // down arrow
    list->Perform(WM_LBUTTONUP, 0, MakeLParam(x, 160 - 8));
    EXPECT_EQ(list->TopIndex(), 1);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 8));  // up arrow
    EXPECT_EQ(list->TopIndex(), 0);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 120));  // track below the thumb
    EXPECT_EQ(list->TopIndex(), 10);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 20));  // track above it
    EXPECT_EQ(list->TopIndex(), 0);
    // Drag the thumb to the bottom of the track, then back to the top.
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 20));
    EXPECT_EQ(list->TopIndex(), 0);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 18));
    list->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, 18 + 200));
    EXPECT_EQ(list->TopIndex(), 30);
    list->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, 18 - 50));
    EXPECT_EQ(list->TopIndex(), 0);
    list->Perform(WM_LBUTTONUP, 0, MakeLParam(x, 18));
    EXPECT_EQ(list->ItemIndex(), -1);  // the bar selects nothing
    EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBoxFixture, WheelKeysAndTypingScroll) {
    auto* list = Add(40, 10);
    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MakeLParam(0, -120)));
    EXPECT_EQ(list->TopIndex(), 3);
    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MakeLParam(0, -60)));
    EXPECT_EQ(list->TopIndex(), 3);  // half a notch waits for the other half
    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MakeLParam(0, -60)));
    EXPECT_EQ(list->TopIndex(), 6);
    list->Perform(WM_KEYDOWN, VK_HOME);  // the first key selects the caret's item
    list->Perform(WM_KEYDOWN, VK_END);
    EXPECT_EQ(list->ItemIndex(), 39);
    EXPECT_EQ(list->TopIndex(), 30);
    list->Perform(WM_KEYDOWN, VK_PRIOR);  // a page less one
    EXPECT_EQ(list->ItemIndex(), 30);
    list->Perform(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(list->ItemIndex(), 21);
    EXPECT_EQ(list->TopIndex(), 21);
    list->SetTopIndex(1000);  // no further than the last page
    EXPECT_EQ(list->TopIndex(), 30);
    list->Items()->SetAll({"apple", "Banana", "blueberry", "cherry"});
    list->Perform(WM_CHAR, 'b');
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Perform(WM_CHAR, 'B');
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Perform(WM_CHAR, 'b');
    EXPECT_EQ(list->ItemIndex(), 1);  // wraps round
}

TEST_F(ListBoxFixture, PaintsOnlyTheVisibleItems) {
    auto* list = Add(100000, 8);
    list->SetBounds(10, 10, 120, 4 + 8 * kItemHeight + 5);  // a ninth item shows in part
    list->SetTopIndex(50000);
    std::vector<std::pair<int, TRect>> drawn;
    list->OnDrawItem = [&](TPersistent*, int index, TRect rect, TOwnerDrawState) {
        drawn.emplace_back(index, rect);
    };
    Form.Host->PaintAll();
    ASSERT_EQ(drawn.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(drawn[i].first, 50000 + i);
        EXPECT_EQ(drawn[i].second, (TRect{0, i * kItemHeight, 100, (i + 1) * kItemHeight}));
    }
    // Repainting one item's rectangle draws that item alone.
    drawn.clear();
    list->InvalidateRect(list->ItemRect(50003));
    Form.Render();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].first, 50003);
}

TEST_F(ListBoxFixture, CanvasIsPreparedForEachItem) {
    auto* list = Add(3);
    list->Font()->SetColor(clMaroon);
    list->SetColor(clYellow);
    list->SetSelected(1, true);
    list->SetEnabled(false);
    struct TSeen {
        TColor Brush, Font;
        std::string FontName;
        TOwnerDrawState State;
    };
    std::vector<TSeen> seen;
    list->OnDrawItem = [&](TPersistent*, int, TRect, TOwnerDrawState state) {
        TCanvas* c = list->Canvas();
        seen.push_back({c->Brush()->Color(), c->Font()->Color(), c->Font()->Name(), state});
    };
    Form.Host->PaintAll();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].Brush, clYellow);
    EXPECT_EQ(seen[0].Font, clMaroon);
    EXPECT_EQ(seen[0].FontName, list->Font()->Name());
    EXPECT_EQ(seen[0].State, TOwnerDrawState{odDisabled});
    EXPECT_EQ(seen[1].Brush, clHighlight);
    EXPECT_EQ(seen[1].Font, clHighlightText);
    EXPECT_EQ(seen[1].State, (TOwnerDrawState{odSelected, odDisabled}));
}

TEST_F(ListBoxFixture, InheritedDrawItemFillsAndWritesTwoPixelsIn) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(2);
    list->SetItemIndex(1);
    list->SetFocus();
    auto calls = PaintCalls(list);
    // After the border and the erase of the client area: fill and text for each item, and the
    // focus rectangle after the focused one.
    std::vector<TGdiCall> items;
    bool erased = false;
    for (const auto& c : calls) {
        if (c.Op == "FillRect" && c.Rect == list->ClientRect()) erased = true;
        if (erased && c.Op != "MoveTo") items.push_back(c);
    }
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[1].Rect, (TRect{0, 0, 116, 16}));
    EXPECT_EQ(items[1].Color, clWindow);
    EXPECT_EQ(items[2].Op, "TextOut");
    EXPECT_EQ(items[2].Rect.Left, 2);
    EXPECT_EQ(items[2].Rect.Top, 0);
    EXPECT_EQ(items[2].Text, "Item 0");
    EXPECT_EQ(items[3].Rect, (TRect{0, 16, 116, 32}));
    EXPECT_EQ(items[3].Color, clHighlight);
    EXPECT_EQ(items[4].Color, clHighlightText);
    EXPECT_EQ(items[5].Op, "DrawFocusRect");
    EXPECT_EQ(items[5].Rect, (TRect{0, 16, 116, 32}));
}

TEST_F(ListBoxFixture, FocusedEmptyListShowsWhereTheFirstItemGoes) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(0);
    list->SetFocus();
    auto calls = PaintCalls(list);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().Op, "DrawFocusRect");
    EXPECT_EQ(calls.back().Rect, (TRect{0, 0, 116, 16}));
}

TEST_F(ListBoxFixture, SingleBorderIsTheSunkenEdge) {
    auto* list = Add(2);
    Form.Render();
    const TSurface& s = Form.Host->Surface();
    EXPECT_EQ(PixelRGB(s, 10, 10), 0x808080u);
    EXPECT_EQ(PixelRGB(s, 11, 11), 0x000000u);
    EXPECT_EQ(PixelRGB(s, 129, 50), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(s, 128, 50), 0xC0C0C0u);
    EXPECT_EQ(list->ClientOrigin(), (TPoint{12, 12}));
    list->SetCtl3D(false);
    EXPECT_EQ(list->ClientOrigin(), (TPoint{11, 11}));
    list->SetBorderStyle(bsNone);
    EXPECT_EQ(list->ClientRect(), (TRect{0, 0, 120, 164}));
    EXPECT_EQ(list->ItemHeight(), kItemHeight);
}

TEST_F(ListBoxFixture, StandardStyleTakesTheFontHeight) {
    auto* list = Form.Add(new TListBox(Form.Form.get()), TRect{10, 10, 130, 110});
    EXPECT_EQ(list->ItemHeight(), list->Canvas()->TextHeight("W"));
    list->Font()->SetHeight(-20);
    EXPECT_EQ(list->ItemHeight(), list->Font()->TextMetrics().tmHeight);
    list->Items()->SetAll({"one", "two"});
    list->SetItemIndex(0);
    Form.Render();
    EXPECT_EQ(PixelRGB(Form.Host->Surface(), 12, 12), 0x000080u);  // the selection colour
}

TEST_F(ListBoxFixture, IntegralHeightKeepsWholeItems) {
    auto* list = Add(20, 6);
    list->SetIntegralHeight(true);
    EXPECT_EQ(list->Height(), 100);
    list->SetHeight(4 + 16 * 5 + 9);
    EXPECT_EQ(list->Height(), 4 + 16 * 5);
    list->SetItemHeight(20);
    EXPECT_EQ(list->Height(), 4 + 20 * 4);
}

TEST_F(ListBoxFixture, ColumnsFlowDownThenAcross) {
    auto* list = Add(30, 5);  // client 116 x 80: five rows
    list->SetColumns(2);
    EXPECT_TRUE(list->ScrollBarVisible());  // six columns, two shown
    EXPECT_EQ(list->ClientHeight(), 64);    // the bar takes the bottom: four rows
    EXPECT_EQ(list->ItemRect(0), (TRect{0, 0, 58, 16}));
    EXPECT_EQ(list->ItemRect(5), (TRect{58, 16, 116, 32}));
    EXPECT_EQ(list->ItemAtPos(TPoint{60, 20}, true), 5);
    list->Perform(WM_KEYDOWN, VK_RIGHT);
    list->Perform(WM_KEYDOWN, VK_RIGHT);
    list->Perform(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(list->ItemIndex(), 12);  // columns of four rows
    EXPECT_EQ(list->TopIndex(), 8);    // scrolled by whole columns
    EXPECT_EQ(list->VisibleItemCount(), 8);
}

TEST_F(ListBoxFixture, ExtremeItemHeightsStayInRange) {
    auto* list = Add(50, 4);
    int drawn = 0;
    list->OnDrawItem = [&](TPersistent*, int, TRect, TOwnerDrawState) { ++drawn; };
    list->SetItemHeight(INT_MAX);
    list->SetTopIndex(40);
    Form.Host->PaintAll();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(list->VisibleItemCount(), 1);
    EXPECT_EQ(list->ItemRect(49).Top, INT_MAX);  // far below: clamped, not wrapped
    list->SetItemHeight(0);                      // ignored
    list->SetItemHeight(-5);
    EXPECT_EQ(list->ItemHeight(), INT_MAX);
    list->Perform(WM_KEYDOWN, VK_END);  // selects the caret's item first
    list->Perform(WM_KEYDOWN, VK_END);
    EXPECT_EQ(list->ItemIndex(), 49);
}

TEST_F(ListBoxFixture, ListBoxPublishesTheClassicList) {
    const auto props = GetPropInfos(TListBox::StaticClassInfo());
    ASSERT_GE(props.size(), 11u);
    EXPECT_EQ(props[8]->Name, "HelpContext");
    EXPECT_EQ(props[9]->Name, "TabStop");
    EXPECT_EQ(props[10]->Name, "Align");
    const TPropInfo* itemHeight = GetPropInfo(TListBox::StaticClassInfo(), "ItemHeight");
    EXPECT_EQ(itemHeight->Default, 16);
    TListBox list(nullptr);
    EXPECT_EQ(list.Width(), 121);
    EXPECT_EQ(list.Height(), 97);
    EXPECT_TRUE(list.TabStop());
    EXPECT_FALSE(list.ParentColor());
    EXPECT_EQ(list.Color(), clWindow);
}
