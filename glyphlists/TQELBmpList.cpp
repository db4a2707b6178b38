#include "glyphlists/TQELBmpList.h"

#include <algorithm>

#include "glyphlists/GlyphItemRules.h"
#include "graphics/Graphics.h"
#include "modules/SysInit.h"

namespace Qellist {

namespace {
constexpr int kGlyphInset = 4;
}  // namespace

TQELBmpList::TQELBmpList(TComponent* owner) : TCustomListBox(owner) {
    SetMultiSelect(true);
    SetBitmapHeight(14);
    SetBitmapWidth(14);
    SetDistFromBMP(4);
    SetColor(clSilver);
    SetExtendedSelect(false);
    SetStyle(lbOwnerDrawFixed);
    FBitmapON = std::make_unique<TBitmap>();
    FBitmapON->SetHandle(LoadBitmapA(SysInit::HInstance, "QELBMPON"));
    SetBitmapON(FBitmapON.get());
    FBitmapOFF = std::make_unique<TBitmap>();
    FBitmapOFF->SetHandle(LoadBitmapA(SysInit::HInstance, "QELBMPOFF"));
    SetBitmapOFF(FBitmapOFF.get());
    SetBorderStyle(bsSingle);
}

TQELBmpList::~TQELBmpList() {
    FBitmapON.reset();
    FBitmapOFF.reset();
}

// The equality tests look at the value before it is limited: 200 over a stored 100 stores
// 100 again and repaints.
void TQELBmpList::SetBitmapHeight(std::int32_t value) {
    if (value == FBitmapHeight) return;
    FBitmapHeight = std::clamp(value, 6, 100);
    if (ItemHeight() < FBitmapHeight) SetItemHeight(FBitmapHeight);
    Invalidate();
}

void TQELBmpList::SetBitmapWidth(std::int32_t value) {
    if (value == FBitmapWidth) return;
    FBitmapWidth = std::clamp(value, 6, 100);
    Invalidate();
}

void TQELBmpList::SetDistFromBMP(std::int32_t value) {
    if (value == FDistFromBMP) return;
    FDistFromBMP = std::clamp(value, 0, 30);
    Invalidate();
}

// No equality test: every call copies (a bitmap copied onto itself stays as it is) and
// repaints.
void TQELBmpList::SetBitmapON(const TBitmap* value) {
    FBitmapON->Assign(value);
    Invalidate();
}

void TQELBmpList::SetBitmapOFF(const TBitmap* value) {
    FBitmapOFF->Assign(value);
    Invalidate();
}

void TQELBmpList::Dispatch(TMessage& message) {
    if (message.Msg == WM_SETFONT) {
        WMSetFont(message);
        return;
    }
    TCustomListBox::Dispatch(message);
}

// The shared rule, except that a font taller than 13 pixels only raises the item height
// above the bitmap height.
void TQELBmpList::WMSetFont(TMessage& message) {
    DefaultHandler(message);
    ApplyFontRule(*this, FBitmapHeight);
}

TRect TQELBmpList::GlyphRect(const TRect& r) const {
    const int ih = ItemHeight();
    const int top = r.Top + (ih > FBitmapHeight ? (ih - FBitmapHeight) / 2 : 0);
    const int left = r.Left + kGlyphInset;
    return TRect{left, top, left + FBitmapWidth, top + (ih < FBitmapHeight ? ih : FBitmapHeight)};
}

//  L  L+4          L+4+BitmapWidth
//     +-----------+               item text from L + BitmapWidth + DistFromBMP,
//     |  BitmapON |               written by the framework's item drawing (the 4-pixel
//     |  or OFF   |               inset does not count, so a DistFromBMP below 4 lets the
//     +-----------+               text rectangle overlap the glyph's right columns)
void TQELBmpList::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    OpenItem(*canvas, Color(), rect, state);
    const bool selected = state.Contains(odSelected);
    canvas->StretchDraw(GlyphRect(rect), selected ? FBitmapON.get() : FBitmapOFF.get());
    TRect textRect = rect;
    textRect.Left = rect.Left + FBitmapWidth + FDistFromBMP;
    TCustomListBox::DrawItem(index, textRect, state);
}

const TClassInfo& TQELBmpList::StaticClassInfo() {
    using namespace PropBuild;
    namespace C = ControlProps;
    namespace L = ListBoxProps;
    using B = TQELBmpList;
    const TTypeInfo* bitmap = TypeInfoClass(TBitmap::StaticClassInfo());
    static const TClassInfo info{
        "TQELBmpList", &TCustomListBox::StaticClassInfo(), "Qellist",
        JoinProps({{Ord("BitmapHeight", TypeInfoInteger(), &B::BitmapHeight, &B::SetBitmapHeight),
                    Ord("BitmapWidth", TypeInfoInteger(), &B::BitmapWidth, &B::SetBitmapWidth),
                    Ord("DistFromBMP", TypeInfoInteger(), &B::DistFromBMP, &B::SetDistFromBMP)},
                   GlyphListLeadingProps(),
                   // Unlike the check and radio lists: Ctl3D before Color, and MultiSelect.
                   {C::Ctl3D(), L::Color(), L::Columns(), C::Enabled(), C::Font(),
                    L::IntegralHeight(), L::ItemHeight(), L::Items(), L::MultiSelect()},
                   GlyphListTrailingProps(),
                   {Obj("BitmapON", bitmap, &B::BitmapON, &B::SetBitmapON),
                    Obj("BitmapOFF", bitmap, &B::BitmapOFF, &B::SetBitmapOFF)}}),
        [](TComponent* owner) -> TComponent* { return new TQELBmpList(owner); }};
    return info;
}

}  // namespace Qellist
