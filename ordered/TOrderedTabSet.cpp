#include "ordered/TOrderedTabSet.h"

#include <algorithm>
#include <climits>
#include <string>

#include "graphics/Graphics.h"
#include "ordered/OrdinalLabel.h"
#include "win/WinApi.h"

namespace Qelgroup {
namespace {

UINT CaptionFormat(TTabAlign align) {
    switch (align) {
        case TTabAlign::taCenter:
            return DT_SINGLELINE | DT_VCENTER;
        case TTabAlign::taBottom:
            return DT_SINGLELINE | DT_BOTTOM;
        case TTabAlign::taTop:
        default:
            return DT_SINGLELINE;
    }
}

int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

TOrderedTabSet::TOrderedTabSet(TComponent* owner) : TTabSet(owner) {
    FLabelFont = std::make_unique<TFont>();
    SetTabStyle(tsOwnerDraw);
    FTabAlign = TTabAlign::taBottom;
    SetDitherBackground(false);
    FLabelColor = 0xFF0000;
    FLabelFont->SetName("Times New Roman");
    FLabelFont->SetStyle(TFontStyles{fsBold, fsItalic});
    FLabelFont->SetSize(12);
    FLabelFont->SetColor(clWhite);
    Tabs()->Add("First");
    Tabs()->Add("Second");
    SetTabIndex(0);
}

TOrderedTabSet::~TOrderedTabSet() {
    FLabelFont.reset();
}

void TOrderedTabSet::SetLabelColor(TColor value) {
    if (value == FLabelColor) return;
    FLabelColor = value;
    Invalidate();
}

void TOrderedTabSet::SetLabelFont(const TFont* value) {
    if (!value || !LabelFontChanged(*FLabelFont, *value)) return;
    FLabelFont->Assign(value);
    SetTabHeight();
    Invalidate();
}

void TOrderedTabSet::SetTabAlign(TTabAlign value) {
    if (value == FTabAlign) return;
    FTabAlign = value;
    Invalidate();
}

void TOrderedTabSet::SetLabelType(TLabelType value) {
    if (value == FLabelType) return;
    FLabelType = value;
    Refresh();
}

void TOrderedTabSet::SetTabHeight() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(FLabelFont.get());
    // Without tabs there is no caption to measure; a digit, as the labels hold, stands in for
    // one (GDI gives no text no height).
    const int th = canvas->TextHeight(Tabs()->Count() > 0 ? Tabs()->Strings(0) : std::string("0"));
    const int tabHeight = std::min(th + 6, kMaxTabHeight);
    const long long grown = static_cast<long long>(Height()) + tabHeight - TabHeight();
    SetHeight(ClampToInt(std::max(grown, 0LL)));
    TTabSet::SetTabHeight(tabHeight);
    canvas->SetFont(Font());
    Invalidate();
}

void TOrderedTabSet::Loaded() {
    TTabSet::Loaded();
    SetTabHeight();
}

void TOrderedTabSet::MeasureTab(int index, int& tabWidth) {
    TTabSet::MeasureTab(index, tabWidth);
    tabWidth = ClampToInt(static_cast<long long>(tabWidth) + TabHeight() + 6);
}

TRect TOrderedTabSet::LabelRect(const TRect& tab) {
    return TRect{tab.Left + 3, tab.Top + 3, tab.Left + (tab.Bottom - tab.Top), tab.Bottom - 3};
}

TRect TOrderedTabSet::CaptionRect(const TRect& tab) {
    return TRect{LabelRect(tab).Right + 3, tab.Top + 3, tab.Right, tab.Bottom - 3};
}

// Over what the framework drew for the tab (L, T)-(Rt, B):
//
//   (L+3, T+3)
//      +---------+   caption (bottom, middle or top) ...
//      |    1    |   caption
//      +---------+   caption ........................ Rt
//           (L+(B-T), B-3)
//
// The label is filled without an outline; the caption is drawn on the tab's own colour, the
// brush colour the framework handed in.
void TOrderedTabSet::DrawTab(TCanvas* tabCanvas, const TRect& r, int index, bool selected) {
    TTabSet::DrawTab(tabCanvas, r, index, selected);
    const TColor tabColor = tabCanvas->Brush()->Color();
    tabCanvas->Brush()->SetColor(FLabelColor);
    tabCanvas->SetFont(FLabelFont.get());
    const TRect label = LabelRect(r);
    tabCanvas->FillRect(label);
    DrawOrdinalLabel(tabCanvas, OrdinalLabelText(index + 1, FLabelType), label);
    tabCanvas->SetFont(Font());
    tabCanvas->Brush()->SetColor(tabColor);
    // The whole caption is drawn, also past 50 characters: the framework measured the tab
    // for the whole caption, so cutting it would leave the tab's end blank.
    const std::string& caption = Tabs()->Strings(index);
    TRect captionRect = CaptionRect(r);
    DrawTextA(tabCanvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &captionRect,
              CaptionFormat(FTabAlign));
}

const TTypeInfo* TypeInfoTTabAlign() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TTabAlign",
                             "Qelgroup",
                             TOrdType::otUByte,
                             {"taBottom", "taCenter", "taTop"}};
    return &t;
}

const TClassInfo& TOrderedTabSet::StaticClassInfo() {
    using namespace PropBuild;
    using T = TOrderedTabSet;
    static const TClassInfo info{
        "TOrderedTabSet", &TTabSet::StaticClassInfo(), "Qelgroup",
        PublishedProps({
            Ord("LabelColor", TypeInfoTColor(), &T::LabelColor, &T::SetLabelColor),
            Obj("LabelFont", TypeInfoClass(TFont::StaticClassInfo()), &T::LabelFont,
                &T::SetLabelFont),
            Ord("TabAlign", TypeInfoTTabAlign(), &T::TabAlign, &T::SetTabAlign),
            Ord("LabelType", TypeInfoTLabelType(), &T::LabelType, &T::SetLabelType),
        }),
        [](TComponent* owner) -> TComponent* { return new TOrderedTabSet(owner); }};
    return info;
}

}  // namespace Qelgroup
