#include "glyphlists/TQELCheckList.h"

#include "glyphlists/GlyphItemRules.h"
#include "graphics/Graphics.h"

namespace Qellist {

namespace {
// Text starts this far right of the item's left edge in both styles.
constexpr int kTextOffset = 20;
}  // namespace

TQELCheckList::TQELCheckList(TComponent* owner) : TCustomListBox(owner) {
    SetMultiSelect(true);
    SetExtendedSelect(false);
    SetStyle(lbOwnerDrawFixed);
    // The field still holds chsNormal, so this stores the style and sets Color.
    SetCheckBoxStyle(chsDraw3D);
    SetBorderStyle(bsSingle);
    SetHeight(41);
}

void TQELCheckList::SetCheckBoxStyle(TCheckStyle value) {
    SwitchCheckStyle(*this, FCheckBoxStyle, value);
}

void TQELCheckList::Dispatch(TMessage& message) {
    if (message.Msg == WM_SETFONT) {
        WMSetFont(message);
        return;
    }
    TCustomListBox::Dispatch(message);
}

void TQELCheckList::WMSetFont(TMessage& message) {
    DefaultHandler(message);
    ApplyFontRule(*this);
}

//  x0 ....... x0+14  x0+20
//  +--------------+  item text (3-D: centred on the item height; flat: at the top)
//  | +----------+ |
//  | |  \    /  | |  sunken frame: shadow and black edges at the top and left,
//  | |    \/    | |  white and face at the bottom and right, a white well inside,
//  | |    /\    | |  the thick cross when the item is selected
//  | +----------+ |
//  +--------------+  y0+14
void TQELCheckList::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    OpenItem(*canvas, Color(), rect, state);
    const TPoint origin = BoxOrigin(rect, ItemHeight());
    const bool checked = state.Contains(odSelected);
    int textTop = rect.Top;
    if (FCheckBoxStyle == chsDraw3D) {
        DrawSunkenBox(origin, checked);
        canvas->Brush()->SetColor(Color());
        TEXTMETRICA metrics{};
        GetTextMetricsA(canvas->Handle(), &metrics);
        textTop = rect.Top + (ItemHeight() - metrics.tmHeight) / 2;
    } else {
        DrawFlatBox(origin, checked);
    }
    if (index >= 0 && index < Items()->Count())
        canvas->TextOut(rect.Left + kTextOffset, textTop, (*Items())[index]);
}

// Four two-segment strokes, then the white well and, for a checked item, six strokes that
// make an X three pixels thick. LineTo leaves out its end point, so (3, 12), (13, 1) and
// (1, 13) keep the item background, as do row 0 and column 0.
void TQELCheckList::DrawSunkenBox(TPoint o, bool checked) {
    TCanvas* canvas = Canvas();
    struct TStroke {
        TColor Color;
        TPoint From, Via, To;
    };
    static constexpr TStroke kFrame[] = {
        {clBtnShadow, {1, 12}, {1, 1}, {13, 1}},
        {clWhite, {13, 2}, {13, 13}, {1, 13}},
        {clBlack, {2, 12}, {2, 2}, {12, 2}},
        {clBtnFace, {12, 2}, {12, 12}, {3, 12}},
    };
    for (const TStroke& s : kFrame) {
        canvas->Pen()->SetColor(s.Color);
        canvas->MoveTo(o.X + s.From.X, o.Y + s.From.Y);
        canvas->LineTo(o.X + s.Via.X, o.Y + s.Via.Y);
        canvas->LineTo(o.X + s.To.X, o.Y + s.To.Y);
    }
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{o.X + 3, o.Y + 3, o.X + 12, o.Y + 12});
    // The cross of this style is black whatever the ink.
    canvas->Pen()->SetColor(clBlack);
    if (!checked) return;
    static constexpr TPoint kCross[][2] = {
        {{4, 4}, {11, 11}}, {{10, 4}, {3, 11}},  // the two diagonals
        {{4, 5}, {10, 11}}, {{10, 5}, {4, 11}},  // one pixel below them
        {{5, 4}, {11, 10}}, {{9, 4}, {3, 10}},   // one pixel above them
    };
    for (const auto& line : kCross) {
        canvas->MoveTo(o.X + line[0].X, o.Y + line[0].Y);
        canvas->LineTo(o.X + line[1].X, o.Y + line[1].Y);
    }
}

// A square outlined in the ink and filled with Color; a checked item gets a thin cross in the
// ink, the second diagonal ending one pixel short of the bottom-left corner.
void TQELCheckList::DrawFlatBox(TPoint o, bool checked) {
    TCanvas* canvas = Canvas();
    canvas->Rectangle(o.X + 2, o.Y + 2, o.X + 14, o.Y + 14);
    if (!checked) return;
    canvas->MoveTo(o.X + 2, o.Y + 2);
    canvas->LineTo(o.X + 14, o.Y + 14);
    canvas->MoveTo(o.X + 13, o.Y + 2);
    canvas->LineTo(o.X + 2, o.Y + 13);
}

const TClassInfo& TQELCheckList::StaticClassInfo() {
    using C = TQELCheckList;
    static const TClassInfo info{
        "TQELCheckList", &TCustomListBox::StaticClassInfo(), "Qellist",
        CheckStyleListProps(PropBuild::Ord("CheckBoxStyle", TypeInfoTCheckStyle(),
                                           &C::CheckBoxStyle, &C::SetCheckBoxStyle)),
        [](TComponent* owner) -> TComponent* { return new TQELCheckList(owner); }};
    return info;
}

}  // namespace Qellist
