#include <gtest/gtest.h>

#include "controls/TForm.h"
#include "graphics/Graphics.h"
#include "ordered/OrderedTestSupport.h"
#include "ordered/OrdinalLabel.h"
#include "ordered/TOrderedTabSet.h"
#include "streaming/FormFiles.h"
#include "support/TestSupport.h"

using namespace Qelgroup;
using OrderedTest::Only;

namespace {

// Opens DrawTab to the tests.
class TProbeTabSet : public TOrderedTabSet {
public:
    using TOrderedTabSet::DrawTab;
    using TOrderedTabSet::MeasureTab;
    using TOrderedTabSet::TOrderedTabSet;
};

struct TOrderedTabSetFixture : ::testing::Test {
    TTestForm Form{400, 120};
    TCallLog Log;

    TProbeTabSet* Add(TRect bounds = TRect{10, 10, 390, 40}) {
        auto* set = Form.Add(new TProbeTabSet(Form.Form.get()), bounds);
        Form.Render();
        Form.Host->ResetCounts();
        return set;
    }
    std::vector<TGdiCall> PaintCalls(TTabSet* set) {
        Form.Host->SetCallLog(set, &Log);
        Log.Clear();
        set->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(set, nullptr);
        return Log.Calls();
    }
    // The calls one DrawTab makes on the control's canvas.
    std::vector<TGdiCall> DrawTabCalls(TProbeTabSet* set, TRect r, int index) {
        Form.Host->SetCallLog(set, &Log);
        Log.Clear();
        set->Canvas()->Brush()->SetColor(clAqua);
        set->DrawTab(set->Canvas(), r, index, false);
        Form.Host->SetCallLog(set, nullptr);
        return Log.Calls();
    }
};

TEST_F(TOrderedTabSetFixture, ConstructorSetsDefaults) {
    TOrderedTabSet set(nullptr);
    EXPECT_EQ(set.TabStyle(), tsOwnerDraw);
    EXPECT_EQ(set.TabAlign(), TTabAlign::taBottom);
    EXPECT_FALSE(set.DitherBackground());
    EXPECT_EQ(set.LabelColor(), 0xFF0000);
    EXPECT_EQ(set.LabelType(), ltNumeric);
    EXPECT_EQ(set.LabelFont()->Name(), "Times New Roman");
    EXPECT_EQ(set.LabelFont()->Size(), 12);
    EXPECT_EQ(set.LabelFont()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(set.LabelFont()->Color(), clWhite);
    EXPECT_EQ(set.Tabs()->All(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(set.TabIndex(), 0);
    // Without a form file the framework's tab height stays.
    EXPECT_EQ(set.TabHeight(), 20);
    EXPECT_EQ(set.Height(), 21);
    // The two centre values stay apart.
    EXPECT_EQ(static_cast<int>(TTabAlign::taCenter), 1);
    EXPECT_EQ(static_cast<int>(taCenter), 2);
}

// A tab rectangle (100, 0, 160, 26): the label (103, 3, 126, 23), the caption (129, 3, 160, 23).
TEST_F(TOrderedTabSetFixture, TabRectangleExample) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add();
    set->SetStartMargin(100 - TTabSet::kEdgeWidth);
    set->SetTabHeight(26);
    set->OnMeasureTab = [](TPersistent*, int, int& width) { width = 28; };
    ASSERT_EQ(set->TabRect(0), (TRect{100, 0, 160, 26}));
    EXPECT_EQ(TOrderedTabSet::LabelRect(TRect{100, 0, 160, 26}), (TRect{103, 3, 126, 23}));
    EXPECT_EQ(TOrderedTabSet::CaptionRect(TRect{100, 0, 160, 26}), (TRect{129, 3, 160, 23}));

    const auto calls = PaintCalls(set);
    const auto fills = Only(calls, "FillRect");
    const auto label = std::find_if(fills.begin(), fills.end(), [](const TGdiCall& c) {
        return c.Rect == TRect{103, 3, 126, 23};
    });
    ASSERT_NE(label, fills.end());
    EXPECT_EQ(label->Color, 0xFF0000);
    const auto texts = Only(calls, "DrawText");
    ASSERT_EQ(texts.size(), 4u);  // the second tab first, then the selected first tab
    EXPECT_EQ(texts[2].Text, "1");
    EXPECT_EQ(texts[2].Rect, (TRect{103, 3, 126, 23}));
    EXPECT_EQ(texts[2].Flags, 0x25u);
    EXPECT_EQ(texts[2].Color, clWhite);
    EXPECT_EQ(texts[3].Text, "First");
    EXPECT_EQ(texts[3].Rect, (TRect{129, 3, 160, 23}));
    EXPECT_EQ(texts[3].Flags, 0x28u);
    EXPECT_EQ(texts[3].Color, set->Font()->Color());
    EXPECT_EQ(texts[0].Text, "2");
}

TEST_F(TOrderedTabSetFixture, MeasureTabAddsTabHeightAndSix) {
    auto* set = Add();
    set->SetTabHeight(24);
    set->OnMeasureTab = [](TPersistent*, int, int& width) { width = 40; };
    int width = 0;
    set->MeasureTab(0, width);
    EXPECT_EQ(width, 70);
    EXPECT_EQ(set->TabRect(0).Width(), 70);
    // Without a handler the inherited width is the caption's.
    set->OnMeasureTab = nullptr;
    TCanvas canvas;
    canvas.SetFont(set->Font());
    set->MeasureTab(1, width);
    EXPECT_EQ(width, canvas.TextWidth("Second") + 2 * TTabSet::kCaptionMargin + 30);
    // No width overflows, whatever the handler says.
    set->OnMeasureTab = [](TPersistent*, int, int& w) { w = INT_MAX; };
    set->MeasureTab(0, width);
    EXPECT_EQ(width, INT_MAX);
}

TEST_F(TOrderedTabSetFixture, CaptionAlignmentFlags) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add();
    const TRect r{0, 0, 80, 26};
    for (auto [align, flags] :
         {std::pair{TTabAlign::taBottom, 0x28u}, std::pair{TTabAlign::taCenter, 0x24u},
          std::pair{TTabAlign::taTop, 0x20u}}) {
        set->SetTabAlign(align);
        const auto texts = Only(DrawTabCalls(set, r, 1), "DrawText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[1].Flags, flags);
        EXPECT_EQ(texts[1].Text, "Second");
    }
}

TEST_F(TOrderedTabSetFixture, DrawTabKeepsTheTabColourForTheCaption) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add();
    const auto calls = DrawTabCalls(set, TRect{0, 0, 80, 26}, 0);
    ASSERT_EQ(Only(calls, "FillRect").size(), 1u);
    EXPECT_EQ(Only(calls, "FillRect")[0].Color, 0xFF0000);
    EXPECT_EQ(set->Canvas()->Brush()->Color(), clAqua);
    EXPECT_EQ(set->Canvas()->Font()->Name(), set->Font()->Name());
}

TEST_F(TOrderedTabSetFixture, AlphabeticLabels) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add();
    set->SetLabelType(ltAlphabetic);
    for (int i = 2; i < 200; ++i) set->Tabs()->Add("T");
    EXPECT_EQ(Only(DrawTabCalls(set, TRect{0, 0, 60, 26}, 0), "DrawText")[0].Text, "A");
    EXPECT_EQ(Only(DrawTabCalls(set, TRect{0, 0, 60, 26}, 26), "DrawText")[0].Text, "[");
    // Code 0: only the caption is written, the label stays blank.
    const auto blank = Only(DrawTabCalls(set, TRect{0, 0, 60, 26}, 191), "DrawText");
    ASSERT_EQ(blank.size(), 1u);
    EXPECT_EQ(blank[0].Text, "T");
}

TEST_F(TOrderedTabSetFixture, LongCaptionsAreDrawnWhole) {
    QM_NEEDS_CALL_LOG();
    auto* set = Add();
    set->Tabs()->SetStrings(0, std::string(80, 'x'));
    const auto texts = Only(DrawTabCalls(set, TRect{0, 0, 600, 26}, 0), "DrawText");
    EXPECT_EQ(texts[1].Text, std::string(80, 'x'));
}

// A first caption 18 pixels high in the label font, TabHeight 20 and Height 30: Height
// becomes 34 and TabHeight 24; a smaller font shrinks it by the same rule.
TEST_F(TOrderedTabSetFixture, SetTabHeightGrowsAndShrinksTheControl) {
    TFont font;
    if (!OrderedTest::FontGivingTextHeight(font, 18))
        GTEST_SKIP() << "no pinned face has a size whose text is 18 pixels high";
    auto* set = Add(TRect{10, 10, 390, 40});
    ASSERT_EQ(set->TabHeight(), 20);
    ASSERT_EQ(set->Height(), 30);
    set->SetLabelFont(&font);
    EXPECT_EQ(set->Height(), 34);
    EXPECT_EQ(set->TabHeight(), 24);

    TFont small;
    small.SetHeight(-8);
    const int th = OrderedTest::TextHeightOf(&small);
    set->SetLabelFont(&small);
    EXPECT_EQ(set->TabHeight(), th + 6);
    EXPECT_EQ(set->Height(), 34 + (th + 6) - 24);
    // The canvas has the control's font again.
    EXPECT_EQ(set->Canvas()->Font()->Height(), set->Font()->Height());
}

TEST_F(TOrderedTabSetFixture, SetTabHeightWithoutTabsUsesTheLabelFontHeight) {
    auto* set = Add();
    set->SetTabHeight();
    const int withTabs = set->TabHeight();
    EXPECT_EQ(withTabs, OrderedTest::TextHeightOf(set->LabelFont()) + 6);
    set->Tabs()->Clear();
    EXPECT_EQ(set->TabIndex(), -1);
    set->SetTabHeight(20);
    set->SetTabHeight();
    EXPECT_EQ(set->TabHeight(), withTabs);
    Form.Render();  // paints an empty tab set
}

TEST_F(TOrderedTabSetFixture, SetTabHeightNeverOverflowsTheHeight) {
    TOrderedTabSet set(nullptr);
    set.SetBounds(0, 0, 100, INT_MAX);
    set.SetTabHeight(0);
    set.SetTabHeight();
    EXPECT_EQ(set.Height(), INT_MAX);
    set.SetTabHeight(TTabSet::kMaxTabHeight);
    set.SetHeight(5);
    set.SetTabHeight();
    EXPECT_EQ(set.Height(), 0);
}

// Loaded, as a form file reader calls it, recomputes the height; loading what was saved
// after that changes nothing.
TEST_F(TOrderedTabSetFixture, LoadedRecomputesTheTabHeight) {
    TOrderedTabSet set(nullptr);
    set.BeginLoading();
    set.SetBounds(0, 0, 200, 30);
    set.SetTabHeight(20);
    set.Loaded();
    const int expected = OrderedTest::TextHeightOf(set.LabelFont()) + 6;
    EXPECT_EQ(set.TabHeight(), expected);
    EXPECT_EQ(set.Height(), 30 + expected - 20);

    TOrderedTabSet again(nullptr);
    again.BeginLoading();
    again.SetBounds(0, 0, 200, set.Height());
    again.SetTabHeight(set.TabHeight());
    again.Loaded();
    EXPECT_EQ(again.Height(), set.Height());
    EXPECT_EQ(again.TabHeight(), set.TabHeight());
}

// The same through a form file: the stored TabHeight gives way to the label font's, Height
// follows, and what is saved then loads back without a further change.
TEST_F(TOrderedTabSetFixture, FormFileLoadRecomputesTheHeightOnce) {
    const std::string text =
        "object Form1: TForm1\n"
        "  ClientHeight = 100\n"
        "  ClientWidth = 300\n"
        "  object Tabs1: TOrderedTabSet\n"
        "    Left = 0\n"
        "    Top = 0\n"
        "    Width = 300\n"
        "    Height = 30\n"
        "    TabHeight = 20\n"
        "    Tabs.Strings = (\n"
        "      'One'\n"
        "      'Two')\n"
        "    TabIndex = 1\n"
        "  end\n"
        "end\n";
    auto form = FormFiles::ReadForm(std::string_view(text));
    auto* set = dynamic_cast<TOrderedTabSet*>(form->FindComponent("Tabs1"));
    ASSERT_NE(set, nullptr);
    const int expected = OrderedTest::TextHeightOf(set->LabelFont()) + 6;
    EXPECT_EQ(set->TabHeight(), expected);
    EXPECT_EQ(set->Height(), 30 + expected - 20);
    EXPECT_EQ(set->TabIndex(), 1);

    const std::string saved = FormFiles::WriteText(*form);
    auto again = FormFiles::ReadForm(std::string_view(saved));
    EXPECT_EQ(FormFiles::WriteText(*again), saved);
}

// The selected tab stays in view as the tabs widen: when a form that selects the last tab is
// read and its label font makes the tabs taller and wider, when the label font grows, and
// when the control narrows.
TEST_F(TOrderedTabSetFixture, SelectedTabStaysInViewAsTheTabsWiden) {
    const std::string text =
        "object Form1: TForm1\n"
        "  object Tabs1: TOrderedTabSet\n"
        "    Width = 300\n"
        "    Height = 30\n"
        "    TabHeight = 20\n"
        "    Tabs.Strings = (\n"
        "      'One'\n"
        "      'Two'\n"
        "      'Three'\n"
        "      'Four'\n"
        "      'Five'\n"
        "      'Six')\n"
        "    TabIndex = 5\n"
        "    LabelFont.Height = -32\n"
        "    LabelFont.Name = 'Times New Roman'\n"
        "  end\n"
        "end\n";
    auto form = FormFiles::ReadForm(std::string_view(text));
    auto* loaded = dynamic_cast<TOrderedTabSet*>(form->FindComponent("Tabs1"));
    ASSERT_NE(loaded, nullptr);
    ASSERT_GT(loaded->TabHeight(), 30);
    EXPECT_FALSE(loaded->TabRect(5).IsEmpty());

    auto* set = Add(TRect{10, 10, 390, 40});
    for (const char* caption : {"Three", "Four", "Five", "Six"}) set->Tabs()->Add(caption);
    set->SetTabIndex(5);
    TFont larger;
    larger.Assign(set->LabelFont());
    larger.SetHeight(-40);
    set->SetLabelFont(&larger);
    EXPECT_FALSE(set->TabRect(5).IsEmpty());
    set->SetWidth(200);
    EXPECT_FALSE(set->TabRect(5).IsEmpty());
}

// LabelType repaints at once; the other setters ask for a later repaint; none repaints on an
// equal value or an unchanged font.
TEST_F(TOrderedTabSetFixture, WhichSettersRepaintAndWhen) {
    auto* set = Add();
    struct TCounts {
        int Invalidates;
        int Paints;
    };
    auto counts = [&](auto&& change) {
        Form.Render();
        Form.Host->ResetCounts();
        change();
        return TCounts{Form.Host->InvalidateCount(set), Form.Host->PaintCount(set)};
    };
    auto nothing = [](TCounts c) { return c.Invalidates == 0 && c.Paints == 0; };
    auto later = [](TCounts c) { return c.Invalidates > 0 && c.Paints == 0; };
    auto now = [](TCounts c) { return c.Invalidates > 0 && c.Paints == 1; };

    EXPECT_TRUE(nothing(counts([&] { set->SetLabelColor(0xFF0000); })));
    EXPECT_TRUE(later(counts([&] { set->SetLabelColor(clRed); })));
    EXPECT_TRUE(nothing(counts([&] { set->SetTabAlign(TTabAlign::taBottom); })));
    EXPECT_TRUE(later(counts([&] { set->SetTabAlign(TTabAlign::taTop); })));
    EXPECT_TRUE(nothing(counts([&] { set->SetLabelType(ltNumeric); })));
    EXPECT_TRUE(now(counts([&] { set->SetLabelType(ltAlphabetic); })));

    set->SetTabHeight(20);
    TFont font;
    font.Assign(set->LabelFont());
    font.SetCharset(SYMBOL_CHARSET);
    EXPECT_TRUE(nothing(counts([&] { set->SetLabelFont(&font); })));
    EXPECT_EQ(set->TabHeight(), 20);  // no new tab height either
    font.SetColor(clYellow);
    EXPECT_TRUE(later(counts([&] { set->SetLabelFont(&font); })));
    EXPECT_EQ(set->LabelFont()->Color(), clYellow);
    EXPECT_EQ(set->TabHeight(), OrderedTest::TextHeightOf(&font) + 6);
    EXPECT_TRUE(nothing(counts([&] { set->SetLabelFont(nullptr); })));
    EXPECT_TRUE(nothing(counts([&] { set->LabelFont()->SetSize(30); })));
}

TEST_F(TOrderedTabSetFixture, ClickingATabSelectsIt) {
    auto* set = Add();
    set->Tabs()->Add("Third");
    const TRect third = set->TabRect(2);
    ASSERT_FALSE(third.IsEmpty());
    const LPARAM at = MakeLParam((third.Left + third.Right) / 2, 8);
    set->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    set->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(set->TabIndex(), 2);
}

TEST_F(TOrderedTabSetFixture, PublishesTheTabSetPropertiesThenItsOwn) {
    const auto names = OrderedTest::PropNames(TOrderedTabSet::StaticClassInfo());
    const auto inherited = OrderedTest::PropNames(TTabSet::StaticClassInfo());
    // The tab set publishes neither BiDiMode nor ParentBiDiMode; declared here, they follow
    // its properties, while the other five keep their places.
    ASSERT_EQ(names.size(), inherited.size() + 6);
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), names.begin()));
    EXPECT_EQ(std::vector<std::string>(names.end() - 6, names.end()),
              (std::vector<std::string>{"BiDiMode", "ParentBiDiMode", "LabelColor", "LabelFont",
                                        "TabAlign", "LabelType"}));
    const TTypeInfo* align = GetPropInfo(TOrderedTabSet::StaticClassInfo(), "TabAlign")->Type;
    EXPECT_EQ(align->EnumValue("taCenter"), 1);
    EXPECT_EQ(sizeof(TTabAlign), 1u);
}

TEST_F(TOrderedTabSetFixture, Golden) {
    TTestForm form(360, 120);
    const TTabAlign aligns[] = {TTabAlign::taBottom, TTabAlign::taCenter, TTabAlign::taTop};
    for (int i = 0; i < 3; ++i) {
        auto* set =
            form.Add(new TOrderedTabSet(form.Form.get()), TRect{4, 4 + 38 * i, 356, 34 + 38 * i});
        set->Tabs()->Add("Third");
        set->SetTabAlign(aligns[i]);
        set->SetTabHeight();
        set->SetTabIndex(i);
        if (i == 1) set->SetLabelType(ltAlphabetic);
        if (i == 2) set->SetLabelColor(clMaroon);
    }
    EXPECT_TRUE(MatchesGolden(form.Render(), "ordered/TOrderedTabSet"));
}

}  // namespace
