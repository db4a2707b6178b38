#include <gtest/gtest.h>

#include <climits>

#include "GlyphTestSupport.h"
#include "glyphlists/TQELBmpList.h"
#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"
#include "support/TestSupport.h"

using namespace Qellist;

namespace {

struct TBmpListProbe : TQELBmpList {
    using TQELBmpList::DrawItem;
    using TQELBmpList::TQELBmpList;
};

struct BmpListFixture : ::testing::Test {
    TTestForm Form{200, 160};
    TCallLog Log;

    TBmpListProbe* Add(std::vector<std::string> items) {
        auto* list = Form.Add(new TBmpListProbe(Form.Form.get()), TRect{10, 10, 150, 150});
        list->Items()->SetAll(std::move(items));
        Form.Render();
        Form.Host->ResetCounts();
        return list;
    }
    std::vector<TGdiCall> DrawCalls(TBmpListProbe* list, int index, TOwnerDrawState state) {
        Form.Host->SetCallLog(list, &Log);
        Log.Clear();
        list->DrawItem(index, list->ItemRect(index), state);
        Form.Host->SetCallLog(list, nullptr);
        return Log.Calls();
    }
};

// A solid picture, to see where StretchDraw puts it.
std::unique_ptr<TBitmap> Solid(int w, int h, TColor color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(TRect{0, 0, w, h});
    return b;
}

}  // namespace

TEST_F(BmpListFixture, ConstructorSetsDefaults) {
    TQELBmpList list(nullptr);
    EXPECT_EQ(list.BitmapHeight(), 14);
    EXPECT_EQ(list.BitmapWidth(), 14);
    EXPECT_EQ(list.DistFromBMP(), 4);
    EXPECT_EQ(list.Color(), clSilver);
    EXPECT_TRUE(list.MultiSelect());
    EXPECT_FALSE(list.ExtendedSelect());
    EXPECT_EQ(list.Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list.BorderStyle(), bsSingle);
    EXPECT_EQ(list.Height(), 97);  // the list box's own
    if (BitmapResourcesReadable()) {
        EXPECT_EQ(list.BitmapON()->Width(), 14);
        EXPECT_EQ(list.BitmapOFF()->Height(), 14);
    }
}

TEST_F(BmpListFixture, SettersClampAndRaiseTheItemHeight) {
    auto* list = Add({"a"});
    ASSERT_EQ(list->ItemHeight(), 15);
    struct TCase {
        void (TQELBmpList::*Set)(std::int32_t);
        std::int32_t (TQELBmpList::*Get)() const;
        int Value, Stored;
    };
    const TCase cases[] = {
        {&TQELBmpList::SetBitmapHeight, &TQELBmpList::BitmapHeight, 3, 6},
        {&TQELBmpList::SetBitmapHeight, &TQELBmpList::BitmapHeight, 250, 100},
        {&TQELBmpList::SetBitmapHeight, &TQELBmpList::BitmapHeight, INT_MIN, 6},
        {&TQELBmpList::SetBitmapWidth, &TQELBmpList::BitmapWidth, 5, 6},
        {&TQELBmpList::SetBitmapWidth, &TQELBmpList::BitmapWidth, 101, 100},
        {&TQELBmpList::SetDistFromBMP, &TQELBmpList::DistFromBMP, -1, 0},
        {&TQELBmpList::SetDistFromBMP, &TQELBmpList::DistFromBMP, 31, 30},
    };
    for (const TCase& c : cases) {
        (list->*c.Set)(c.Value);
        EXPECT_EQ((list->*c.Get)(), c.Stored) << c.Value;
    }
    // Each BitmapHeight raised the item height where it was lower, never lowered it.
    EXPECT_EQ(list->ItemHeight(), 100);
    // The equality test is before the limit: 200 over a stored 100 repaints again.
    list->SetBitmapHeight(100);
    Form.Host->ResetCounts();
    list->SetBitmapHeight(100);
    EXPECT_EQ(Form.Host->InvalidateCount(list), 0);
    list->SetBitmapHeight(200);
    EXPECT_EQ(list->BitmapHeight(), 100);
    EXPECT_EQ(Form.Host->InvalidateCount(list), 1);
    // BitmapWidth never touches the item height.
    list->SetItemHeight(20);
    list->SetBitmapWidth(90);
    EXPECT_EQ(list->ItemHeight(), 20);
}

TEST_F(BmpListFixture, GlyphRectangleFollowsItemAndBitmapHeights) {
    auto* list = Add({"a"});
    struct TCase {
        int ItemHeight, BitmapHeight;
        TRect Glyph;
    };
    const TRect item{0, 30, 136, 0};
    for (TCase c : {TCase{15, 14, {4, 30, 18, 44}},     // 15 - 14 = 1, 1 div 2 = 0
                    TCase{19, 14, {4, 32, 18, 46}},     // moves down by 2
                    TCase{14, 14, {4, 30, 18, 44}},     // equal: no shift, full height
                    TCase{15, 40, {4, 30, 18, 45}}}) {  // squeezed to the item height
        list->SetBitmapHeight(c.BitmapHeight);
        list->SetItemHeight(c.ItemHeight);
        TRect r = item;
        r.Bottom = r.Top + c.ItemHeight;
        EXPECT_EQ(list->GlyphRect(r), c.Glyph) << c.ItemHeight << " " << c.BitmapHeight;
    }
}

TEST_F(BmpListFixture, FontRuleComparesWithTheBitmapHeight) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"a"});
    list->SetBitmapHeight(30);
    list->SetItemHeight(16);
    list->Font()->SetHeight(20);  // 24 is not above 30: left alone
    EXPECT_EQ(list->ItemHeight(), 16);
    list->SetBitmapHeight(14);
    list->Font()->SetHeight(-20);
    EXPECT_EQ(list->ItemHeight(), 24);
    // A small font gives 15 whatever the bitmap height, and the bitmap squeezes into it.
    list->SetBitmapHeight(40);
    EXPECT_EQ(list->ItemHeight(), 40);
    list->Font()->SetHeight(-9);
    EXPECT_EQ(list->ItemHeight(), 15);
    EXPECT_EQ(list->Font()->Height(), 15);
    list->SetBitmapOFF(Solid(14, 40, clBlue).get());
    auto calls = DrawCalls(list, 0, TOwnerDrawState{});
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[1].Op, "StretchDraw");
    EXPECT_EQ(calls[1].Rect, (TRect{4, 0, 18, 15}));
}

TEST_F(BmpListFixture, DrawsTheChosenBitmapThenTheFrameworkText) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"first", "second"});
    list->SetColor(clWhite);
    auto on = Solid(7, 7, clRed), off = Solid(3, 5, clBlue);
    list->SetBitmapON(on.get());
    list->SetBitmapOFF(off.get());
    EXPECT_NE(list->BitmapON(), on.get());  // copied, not taken
    list->SetSelected(0, true);
    list->SetEnabled(false);
    Form.Render();
    const TSurface& s = Form.Host->Surface();
    // Client origin (12, 12); glyphs from x 4 to 18, rows 0..14 and 15..29, stretched whole.
    EXPECT_EQ(PixelRGB(s, 12 + 4, 12), 0xFF0000u);
    EXPECT_EQ(PixelRGB(s, 12 + 17, 12 + 13),
              0xFF0000u);  // a selected, disabled item's bitmap is not grayed
    EXPECT_EQ(PixelRGB(s, 12 + 18, 12 + 5), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(s, 12 + 3, 12 + 5), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(s, 12 + 10, 12 + 15 + 7), 0x0000FFu);

    list->SetDistFromBMP(0);
    auto calls = DrawCalls(list, 1, TOwnerDrawState{odDisabled});
    const TGdiCall& fill = calls[calls.size() - 2];
    const TGdiCall& text = calls.back();
    // The text rectangle starts at BitmapWidth + DistFromBMP: 14, four columns into the glyph.
    EXPECT_EQ(fill.Rect, (TRect{14, 15, 136, 30}));
    EXPECT_EQ(text.Rect.Left, 16);
    EXPECT_EQ(text.Rect.Top, 15);
    EXPECT_EQ(text.Color, 0x808080);
    EXPECT_EQ(text.Text, "second");
}

TEST_F(BmpListFixture, BitmapSettersCopyAlwaysAndRepaint) {
    QM_NEEDS_CALL_LOG();
    auto* list = Add({"a"});
    list->SetBitmapON(list->BitmapON());  // onto itself: unchanged
    auto picture = Solid(4, 4, clGreen);
    list->SetBitmapOFF(picture.get());
    EXPECT_EQ(list->BitmapOFF()->Width(), 4);
    list->SetBitmapOFF(nullptr);
    EXPECT_TRUE(list->BitmapOFF()->Empty());
    EXPECT_EQ(Form.Host->InvalidateCount(list), 3);
    // An empty bitmap draws nothing where the glyph goes.
    auto calls = DrawCalls(list, 0, TOwnerDrawState{});
    for (const auto& c : calls) EXPECT_NE(c.Op, "StretchDraw");
    EXPECT_EQ(PixelRGB(Form.Host->Surface(), 12 + 8, 12 + 5), 0xC0C0C0u);
}

TEST_F(BmpListFixture, PublishedPropertiesInIndexOrder) {
    const auto props = GetPropInfos(TQELBmpList::StaticClassInfo());
    ASSERT_EQ(props.size(), 56u);
    const std::pair<int, const char*> kPlaces[] = {
        {9, "TabStop"},     {10, "BitmapHeight"}, {11, "BitmapWidth"}, {12, "DistFromBMP"},
        {13, "Align"},      {21, "BorderStyle"},  {22, "Ctl3D"},       {23, "Color"},
        {28, "ItemHeight"}, {29, "Items"},        {30, "MultiSelect"}, {53, "OnMouseUp"},
        {54, "BitmapON"},   {55, "BitmapOFF"}};
    for (auto [index, name] : kPlaces) EXPECT_EQ(props[index]->Name, name) << index;
    for (int i : {10, 11, 12}) EXPECT_FALSE(props[i]->Default.has_value()) << i;
    EXPECT_EQ(props[54]->Type->ClassType, &TBitmap::StaticClassInfo());
    // BitmapHeight is read before ItemHeight, so a stored item height below it stands.
    TQELBmpList list(nullptr);
    props[10]->SetOrd(list, 40);
    props[28]->SetOrd(list, 20);
    EXPECT_EQ(list.ItemHeight(), 20);
}

TEST_F(BmpListFixture, Golden) {
    TTestForm form(250, 70);
    auto* glyphs = form.Add(new TQELBmpList(form.Form.get()), TRect{4, 4, 124, 66});
    glyphs->Items()->SetAll({"Apples", "Pears", "Plums"});
    glyphs->SetSelected(0, true);
    glyphs->SetSelected(2, true);
    // The package's own glyphs, read here from their bytes.
    glyphs->SetBitmapON(GlyphBitmap("QELBMPON").get());
    glyphs->SetBitmapOFF(GlyphBitmap("QELBMPOFF").get());
    auto* custom = form.Add(new TQELBmpList(form.Form.get()), TRect{128, 4, 246, 66});
    custom->Items()->SetAll({"Wide on", "Wide off", "Disabled"});
    custom->SetSelected(0, true);
    custom->SetSelected(2, true);
    custom->SetBitmapON(Solid(10, 6, clGreen).get());
    custom->SetBitmapOFF(Solid(10, 6, clMaroon).get());
    custom->SetBitmapWidth(24);
    custom->SetBitmapHeight(8);
    custom->SetDistFromBMP(10);
    custom->SetEnabled(false);
    EXPECT_TRUE(MatchesGolden(form.Render(), "glyphlists/bmp-list"));
}
