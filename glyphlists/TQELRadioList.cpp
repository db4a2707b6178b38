#include "glyphlists/TQELRadioList.h"

#include "glyphlists/GlyphItemRules.h"
#include "graphics/Graphics.h"
#include "modules/SysInit.h"

namespace Qellist {

namespace {
// Where the text rectangle starts, right of the button, in each style.
constexpr int kTextOffset3D = 18;
constexpr int kTextOffsetFlat = 20;

std::unique_ptr<TBitmap> LoadGlyph(const char* name) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetHandle(LoadBitmapA(SysInit::HInstance, name));
    return bitmap;
}
}  // namespace

TQELRadioList::TQELRadioList(TComponent* owner) : TCustomListBox(owner) {
    SetMultiSelect(false);
    SetExtendedSelect(false);
    SetStyle(lbOwnerDrawFixed);
    FRadioOn = LoadGlyph("QELRADON");
    FRadioOff = LoadGlyph("QELRADOFF");
    SetBorderStyle(bsSingle);
    // The field still holds chsNormal, so this stores the style and sets Color.
    SetCheckBoxStyle(chsDraw3D);
    SetHeight(41);
}

TQELRadioList::~TQELRadioList() {
    FRadioOn.reset();
    FRadioOff.reset();
}

void TQELRadioList::SetCheckBoxStyle(TCheckStyle value) {
    SwitchCheckStyle(*this, FCheckBoxStyle, value);
}

void TQELRadioList::Dispatch(TMessage& message) {
    if (message.Msg == WM_SETFONT) {
        WMSetFont(message);
        return;
    }
    TCustomListBox::Dispatch(message);
}

void TQELRadioList::WMSetFont(TMessage& message) {
    DefaultHandler(message);
    ApplyFontRule(*this);
}

//  x0  x0+1      x0+13  x0+18 (3-D) / x0+20 (flat)
//       .-----.         item text, written by the framework's item drawing
//      /  (#)  \        3-D: the button glyph, copied opaquely at (x0+1, y0+2)
//      \       /        flat: a circle in the ink filled with Color; a black dot
//       '-----'         inside when the item is selected
void TQELRadioList::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    OpenItem(*canvas, Color(), rect, state);
    const TPoint o = BoxOrigin(rect, ItemHeight());
    const bool chosen = state.Contains(odSelected);
    TRect textRect = rect;
    if (FCheckBoxStyle == chsDraw3D) {
        canvas->Draw(o.X + 1, o.Y + 2, chosen ? FRadioOn.get() : FRadioOff.get());
        textRect.Left += kTextOffset3D;
    } else {
        canvas->Ellipse(o.X + 2, o.Y + 2, o.X + 14, o.Y + 14);
        if (chosen) {
            canvas->Brush()->SetColor(clBlack);
            canvas->Ellipse(o.X + 4, o.Y + 4, o.X + 12, o.Y + 12);
            canvas->Brush()->SetColor(Color());
        }
        textRect.Left += kTextOffsetFlat;
    }
    TCustomListBox::DrawItem(index, textRect, state);
}

const TClassInfo& TQELRadioList::StaticClassInfo() {
    using C = TQELRadioList;
    static const TClassInfo info{
        "TQELRadioList", &TCustomListBox::StaticClassInfo(), "Qellist",
        CheckStyleListProps(PropBuild::Ord("CheckBoxStyle", TypeInfoTCheckStyle(),
                                           &C::CheckBoxStyle, &C::SetCheckBoxStyle)),
        [](TComponent* owner) -> TComponent* { return new TQELRadioList(owner); }};
    return info;
}

}  // namespace Qellist
