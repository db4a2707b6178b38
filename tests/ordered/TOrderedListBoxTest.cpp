#include <gtest/gtest.h>

#include "graphics/Graphics.h"
#include "ordered/OrderedTestSupport.h"
#include "ordered/TOrderedListBox.h"
#include "support/TestSupport.h"

using namespace Qelgroup;
using OrderedTest::Only;

namespace {

class TProbeListBox : public TOrderedListBox {
public:
    using TOrderedListBox::DrawItem;
    using TOrderedListBox::TOrderedListBox;
};

struct TOrderedListBoxFixture : ::testing::Test {
    TTestForm Form{320, 240};
    TCallLog Log;

    TProbeListBox* Add(int itemHeight = 16, TRect bounds = TRect{10, 10, 170, 120}) {
        auto* list = Form.Add(new TProbeListBox(Form.Form.get()), bounds);
        list->Items()->SetAll({"Unpack", "Install", "Configure", "Run"});
        list->SetItemHeight(itemHeight);
        Form.Render();
        Form.Host->ResetCounts();
        return list;
    }
    std::vector<TGdiCall> PaintCalls(TOrderedListBox* list) {
        Form.Host->SetCallLog(list, &Log);
        Log.Clear();
        list->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(list, nullptr);
        return Log.Calls();
    }
    // The calls one DrawItem makes, outside the paint pass, with the brush and font the
    // framework sets first.
    std::vector<TGdiCall> DrawItemCalls(TProbeListBox* list, int index, TOwnerDrawState state) {
        Form.Host->SetCallLog(list, &Log);
        Log.Clear();
        list->Canvas()->SetFont(list->Font());
        list->Canvas()->Brush()->SetColor(list->Color());
        list->DrawItem(index, list->ItemRect(0), state);
        Form.Host->SetCallLog(list, nullptr);
        return Log.Calls();
    }
    unsigned Pixel(TOrderedListBox* list, int x, int y) {
        const TPoint o = list->ClientOrigin();
        return PixelRGB(Form.Host->Surface(), o.X + x, o.Y + y);
    }
};

TEST_F(TOrderedListBoxFixture, ConstructorSetsDefaults) {
    TOrderedListBox list(nullptr);
    EXPECT_EQ(list.Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list.LabelColor(), 0xFF0000);
    EXPECT_EQ(list.LabelType(), ltNumeric);
    EXPECT_EQ(list.LabelFont()->Name(), "Arial");
    EXPECT_EQ(list.LabelFont()->Color(), clWhite);
    EXPECT_EQ(list.LabelFont()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(list.LabelFont()->Height(), TFont().Height());
}

// ItemHeight 16: the square covers L to L + 16 over the item, the label text is centred in
// (L + 1, T + 1, L + 15, B - 1), and the item is drawn from L + 16.
TEST_F(TOrderedListBoxFixture, SquareIsAsWideAsTheItemHeight) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(16);
    const TRect item = list->ItemRect(1);
    const int l = item.Left, t = item.Top, b = item.Bottom;
    ASSERT_EQ(item.Height(), 16);
    const auto calls = PaintCalls(list);
    const auto squares = Only(calls, "Rectangle");
    ASSERT_EQ(squares.size(), 4u);
    EXPECT_EQ(squares[1].Rect, (TRect{l, t, l + 16, b}));
    EXPECT_EQ(squares[1].Color, 0xFF0000);
    const auto texts = Only(calls, "DrawText");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1].Text, "2");
    EXPECT_EQ(texts[1].Rect, (TRect{l + 1, t + 1, l + 15, b - 1}));
    EXPECT_EQ(texts[1].Flags, 0x25u);
    EXPECT_EQ(texts[1].Color, clWhite);
    // The inherited drawing fills the rest of the item and writes the text there.
    const auto fills = Only(calls, "FillRect");
    EXPECT_NE(std::find_if(
                  fills.begin(), fills.end(),
                  [&](const TGdiCall& c) {
                      return c.Rect == TRect{l + 16, t, item.Right, b} && c.Color == list->Color();
                  }),
              fills.end());
    const auto outs = Only(calls, "TextOut");
    ASSERT_EQ(outs.size(), 4u);
    EXPECT_EQ(outs[1].Text, "Install");
    EXPECT_EQ(outs[1].Rect.Left, l + 16 + 2);
    // Square and outline in LabelColor, one pixel in too.
    EXPECT_EQ(Pixel(list, l, t), 0x0000FFu);
    EXPECT_EQ(Pixel(list, l + 15, b - 1), 0x0000FFu);
    EXPECT_EQ(Pixel(list, l + 16, t), 0xFFFFFFu);
}

// The label font's height is 4 - ItemHeight, without a floor; LabelFont keeps its own.
TEST_F(TOrderedListBoxFixture, LabelTextScalesWithTheItemHeight) {
    QM_NEEDS_CALL_LOG();
    for (auto [itemHeight, fontHeight] : {std::pair{16, -12}, std::pair{4, 0}, std::pair{3, 1}}) {
        auto* list = Add(itemHeight);
        std::vector<int> heights;
        list->Canvas()->Font()->OnChange = [&](TGraphicsObject* f) {
            heights.push_back(static_cast<TFont*>(f)->Height());
        };
        DrawItemCalls(list, 0, {});
        list->Canvas()->Font()->OnChange = nullptr;
        EXPECT_NE(std::find(heights.begin(), heights.end(), fontHeight), heights.end())
            << "item height " << itemHeight;
        EXPECT_EQ(list->LabelFont()->Height(), TFont().Height());
        EXPECT_EQ(list->Canvas()->Font()->Height(), list->Font()->Height());
        Form.Render();  // tiny items paint too
        delete list;
    }
}

TEST_F(TOrderedListBoxFixture, SelectedItemKeepsItsSquare) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(16);
    list->SetSelected(2, true);
    const auto calls = DrawItemCalls(list, 2, TOwnerDrawState{odSelected});
    EXPECT_EQ(Only(calls, "Rectangle")[0].Color, 0xFF0000);
    const auto fills = Only(calls, "FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Color, clHighlight);
    EXPECT_EQ(fills[0].Rect.Left, list->ItemRect(0).Left + 16);
    EXPECT_EQ(Only(calls, "TextOut")[0].Color, clHighlightText);

    PaintCalls(list);
    const TRect item = list->ItemRect(2);
    EXPECT_EQ(Pixel(list, item.Left + 1, item.Top + 1), 0x0000FFu);
    EXPECT_EQ(Pixel(list, item.Right - 2, item.Top + 1), 0x000080u);
}

TEST_F(TOrderedListBoxFixture, PenIsPutBack) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(16);
    list->Canvas()->Pen()->SetColor(clLime);
    DrawItemCalls(list, 0, {});
    EXPECT_EQ(list->Canvas()->Pen()->Color(), clLime);
    EXPECT_EQ(Pixel(list, 0, 0), 0x0000FFu);  // outlined in LabelColor all the same
}

TEST_F(TOrderedListBoxFixture, AlphabeticLabelsFollowTheIndex) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add(16);
    list->SetLabelType(ltAlphabetic);
    for (auto [index, text] : {std::pair{0, "A"}, std::pair{25, "Z"}, std::pair{26, "["}}) {
        const auto texts = Only(DrawItemCalls(list, index, {}), "DrawText");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, text);
    }
    // Item 191 has code 0: the square stays blank.
    EXPECT_TRUE(Only(DrawItemCalls(list, 191, {}), "DrawText").empty());
}

TEST_F(TOrderedListBoxFixture, SettersAlwaysRefresh) {
    auto* list = Add();
    auto paints = [&](auto&& change) {
        Form.Host->ResetCounts();
        change();
        EXPECT_FALSE(Form.Host->HasPending());
        return Form.Host->PaintCount(list);
    };
    EXPECT_EQ(paints([&] { list->SetLabelColor(0xFF0000); }), 1);
    EXPECT_EQ(paints([&] { list->SetLabelType(ltNumeric); }), 1);
    TFont same;
    same.Assign(list->LabelFont());
    EXPECT_EQ(paints([&] { list->SetLabelFont(&same); }), 1);
    same.SetName("Courier New");
    EXPECT_EQ(paints([&] { list->SetLabelFont(&same); }), 1);
    EXPECT_EQ(list->LabelFont()->Name(), "Courier New");
    EXPECT_NE(list->LabelFont(), &same);
    EXPECT_EQ(paints([&] { list->SetLabelFont(nullptr); }), 0);
    EXPECT_EQ(paints([&] { list->LabelFont()->SetColor(clRed); }), 0);
}

TEST_F(TOrderedListBoxFixture, PublishesTheListBoxPropertiesThenItsOwn) {
    const auto names = OrderedTest::PropNames(TOrderedListBox::StaticClassInfo());
    const auto inherited = OrderedTest::PropNames(TListBox::StaticClassInfo());
    ASSERT_EQ(names.size(), inherited.size() + 3);
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), names.begin()));
    EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
              (std::vector<std::string>{"LabelColor", "LabelFont", "LabelType"}));
}

TEST_F(TOrderedListBoxFixture, Golden) {
    TTestForm form(260, 110);
    auto* numeric = form.Add(new TOrderedListBox(form.Form.get()), TRect{4, 4, 128, 106});
    numeric->Items()->SetAll({"Unpack", "Install", "Configure", "Run", "Clean up", "Done"});
    numeric->SetMultiSelect(true);
    numeric->SetSelected(1, true);
    numeric->SetSelected(2, true);
    auto* letters = form.Add(new TOrderedListBox(form.Form.get()), TRect{132, 4, 256, 106});
    letters->Items()->SetAll({"Apples", "Pears", "Plums"});
    letters->SetItemHeight(24);
    letters->SetLabelType(ltAlphabetic);
    letters->SetLabelColor(clTeal);
    letters->SetItemIndex(0);
    EXPECT_TRUE(MatchesGolden(form.Render(), "ordered/TOrderedListBox"));
}

}  // namespace
