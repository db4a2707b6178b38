#include "controls/TControl.h"

#include "controls/TForm.h"
#include "controls/TWinControl.h"
#include "controls/TWindowHost.h"
#include "graphics/Graphics.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    FFont.OnChange = [this](TGraphicsObject*) { FontChanged(); };
    FConstraints.OnChange = [this] { SetBounds(FLeft, FTop, FWidth, FHeight); };
}

TControl::~TControl() {
    FFont.OnChange = nullptr;
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EConvertError("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::InheritParentValues(const TWinControl& parent) {
    if (FParentFont) {
        FAssigningParentFont = true;
        FFont.Assign(parent.Font());
        FAssigningParentFont = false;
    }
    if (FParentColor) {
        SetColor(parent.Color());
        FParentColor = true;
    }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent) {
    TWinControl* win = TWinControl::Cast(parent);
    if (parent && !win)
        throw EConvertError("a " + ClassName() + " cannot be put inside a " + parent->ClassName() +
                            ", which holds no controls");
    SetParent(win);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    FConstraints.Apply(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    RequestAlign();
    DeviceChanged();
}

TRect TControl::GetClientRect() const { return TRect{0, 0, FWidth, FHeight}; }

// The border keeps its width; a size beyond what an int holds stays at the largest one.
void TControl::SetClientWidth(int v) {
    SetWidth(SaturatedInt(std::int64_t{FWidth} - ClientWidth() + v));
}
void TControl::SetClientHeight(int v) {
    SetHeight(SaturatedInt(std::int64_t{FHeight} - ClientHeight() + v));
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return TPoint{};
    TPoint p = FParent->ClientOrigin();
    return TPoint{SaturatedInt(std::int64_t{p.X} + FLeft), SaturatedInt(std::int64_t{p.Y} + FTop)};
}

TPoint TControl::ScreenToClient(TPoint hostPoint) const {
    TPoint o = ClientOrigin();
    return TPoint{SaturatedInt(std::int64_t{hostPoint.X} - o.X),
                  SaturatedInt(std::int64_t{hostPoint.Y} - o.Y)};
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    if (!v) Invalidate();
    FVisible = v;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    if (v) Invalidate();
    RequestAlign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

bool TControl::GetEnabled() const { return FEnabled; }

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (v == FParentColor) return;
    FParentColor = v;
    if (v && FParent) {
        SetColor(FParent->Color());
        FParentColor = true;
    }
}

void TControl::SetParentFont(bool v) {
    if (v == FParentFont) return;
    FParentFont = v;
    if (v && FParent) {
        FAssigningParentFont = true;
        FFont.Assign(FParent->Font());
        FAssigningParentFont = false;
    }
}

void TControl::FontChanged() {
    if (!FAssigningParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetText(const std::string& v) {
    if (v == FText.View()) return;
    FText.Assign(v);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    FAlign = v;
    if (v != alNone) FAnchors = TAnchors{akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v) { FAnchors = v; }

void TControl::SetBiDiMode(TBiDiMode v) {
    FBiDiMode = v;
    FParentBiDiMode = false;
}

void TControl::SetParentBiDiMode(bool v) {
    FParentBiDiMode = v;
    if (v && FParent) FBiDiMode = FParent->BiDiMode();
}

void TControl::SetShowHint(bool v) {
    FShowHint = v;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool v) {
    FParentShowHint = v;
    if (v && FParent) FShowHint = FParent->ShowHint();
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

void TControl::Invalidate() {
    if (FParent) FParent->InvalidateRect(BoundsRect());
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

TWindowHost* TControl::Host() const { return FParent ? FParent->Host() : nullptr; }

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam) {
    TMessage m{msg, wparam, lparam, 0};
    WndProc(m);
    return m.Result;
}

namespace {
bool IsInputMessage(UINT msg) {
    return (msg >= WM_KEYDOWN && msg <= WM_CHAR) || (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL);
}
}  // namespace

void TControl::WndProc(TMessage& message) {
    // A control being designed takes no input of its own: its form's designer takes it, or
    // nobody does, so that a list box on a designed form never changes its selection.
    if (ComponentState().Contains(csDesigning) && IsInputMessage(message.Msg)) {
        if (TForm* form = GetParentForm(this); form && form->Designer())
            form->Designer()->IsDesignMsg(this, message);
        return;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_COLORCHANGED:
        case CM_FONTCHANGED:
        case CM_TEXTCHANGED:
        case CM_ENABLEDCHANGED:
            Invalidate();
            return;
        case CM_PARENTCOLORCHANGED:
            if (FParentColor && FParent) {
                SetColor(FParent->Color());
                FParentColor = true;
            }
            return;
        case CM_PARENTFONTCHANGED:
            if (FParentFont && FParent) {
                FAssigningParentFont = true;
                FFont.Assign(FParent->Font());
                FAssigningParentFont = false;
            }
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE:
            HandleMouse(message);
            return;
        default:
            DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

TShiftState TControl::KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    return s;
}

void TControl::HandleMouse(TMessage& message) {
    const int x = LoWordSigned(message.LParam), y = HiWordSigned(message.LParam);
    const TShiftState shift = KeysToShiftState(message.WParam);
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
            FMousePressed = true;
            MouseDown(mbLeft, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            FMousePressed = true;
            DblClick();
            MouseDown(mbLeft, shift + TShiftState{ssDouble}, x, y);
            break;
        case WM_LBUTTONUP:
            if (FMousePressed) {
                FMousePressed = false;
                if (FControlStyle.Contains(csClickEvents) && GetClientRect().Contains({x, y}))
                    Click();
            }
            MouseUp(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
            MouseDown(mbRight, shift, x, y);
            break;
        case WM_RBUTTONUP:
            MouseUp(mbRight, shift, x, y);
            break;
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            break;
        default:
            break;
    }
    DefaultHandler(message);
}

void TControl::BringToFront() {
    if (FParent) FParent->SetChildZOrder(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->SetChildZOrder(this, false);
}

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }
void TControl::Resize() { OnResize(this); }
void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) { OnMouseDown(this, b, s, x, y); }
void TControl::MouseMove(TShiftState s, int x, int y) { OnMouseMove(this, s, x, y); }
void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) { OnMouseUp(this, b, s, x, y); }

const TClassInfo& TControl::StaticClassInfo() {
    using namespace PropBuild;
    using C = TControl;
    static const TClassInfo info{"TControl",
                                 &TComponent::StaticClassInfo(),
                                 "Controls",
                                 {
                                     Ord("Left", TypeInfoInteger(), &C::Left, &C::SetLeft),
                                     Ord("Top", TypeInfoInteger(), &C::Top, &C::SetTop),
                                     Ord("Width", TypeInfoInteger(), &C::Width, &C::SetWidth),
                                     Ord("Height", TypeInfoInteger(), &C::Height, &C::SetHeight),
                                     Ord("Cursor", TypeInfoTCursor(), &C::Cursor, &C::SetCursor,
                                         crDefault),
                                     Str("Hint", TypeInfoString(), &C::Hint, &C::SetHint),
                                 },
                                 nullptr};
    return info;
}

namespace ControlProps {
using namespace PropBuild;
using C = TControl;

TPropInfo Align() { return Ord("Align", TypeInfoTAlign(), &C::Align, &C::SetAlign, alNone); }
TPropInfo Anchors() {
    return Ord("Anchors", TypeInfoTAnchors(), &C::Anchors, &C::SetAnchors,
               TAnchors{akLeft, akTop}.Bits());
}
TPropInfo Constraints() {
    return Obj("Constraints", TypeInfoClass(TSizeConstraints::StaticClassInfo()), &C::Constraints,
               &C::SetConstraints);
}
TPropInfo BiDiMode() {
    TPropInfo p = Ord("BiDiMode", TypeInfoTBiDiMode(), &C::BiDiMode, &C::SetBiDiMode, bdLeftToRight);
    p.Stored = [](const TPersistent& o) { return !static_cast<const C&>(o).ParentBiDiMode(); };
    return p;
}
TPropInfo ParentBiDiMode() {
    return Ord("ParentBiDiMode", TypeInfoBoolean(), &C::ParentBiDiMode, &C::SetParentBiDiMode, 1);
}
TPropInfo DragMode() {
    return Ord("DragMode", TypeInfoTDragMode(), &C::DragMode, &C::SetDragMode, dmManual);
}
TPropInfo DragKind() {
    return Ord("DragKind", TypeInfoTDragKind(), &C::DragKind, &C::SetDragKind, dkDrag);
}
TPropInfo DragCursor() {
    return Ord("DragCursor", TypeInfoTCursor(), &C::DragCursor, &C::SetDragCursor, crDrag);
}
TPropInfo Caption() { return Str("Caption", TypeInfoCaption(), &C::Caption, &C::SetCaption); }
TPropInfo Color(TColor defaultColor) {
    TPropInfo p = Ord("Color", TypeInfoTColor(), &C::Color, &C::SetColor, defaultColor);
    p.Stored = [](const TPersistent& o) { return !static_cast<const C&>(o).ParentColor(); };
    return p;
}
TPropInfo ParentColor(bool defaultValue) {
    return Ord("ParentColor", TypeInfoBoolean(), &C::ParentColor, &C::SetParentColor,
               defaultValue ? 1 : 0);
}
TPropInfo Enabled() { return Ord("Enabled", TypeInfoBoolean(), &C::Enabled, &C::SetEnabled, 1); }
TPropInfo Font() {
    TPropInfo p = Obj("Font", TypeInfoClass(TFont::StaticClassInfo()), &C::Font, &C::SetFont);
    p.Stored = [](const TPersistent& o) { return !static_cast<const C&>(o).ParentFont(); };
    return p;
}
TPropInfo ParentFont() {
    return Ord("ParentFont", TypeInfoBoolean(), &C::ParentFont, &C::SetParentFont, 1);
}
TPropInfo ShowHint() {
    TPropInfo p = Ord("ShowHint", TypeInfoBoolean(), &C::ShowHint, &C::SetShowHint);
    p.Stored = [](const TPersistent& o) { return !static_cast<const C&>(o).ParentShowHint(); };
    return p;
}
TPropInfo ParentShowHint() {
    return Ord("ParentShowHint", TypeInfoBoolean(), &C::ParentShowHint, &C::SetParentShowHint, 1);
}
TPropInfo PopupMenu() {
    // Pop-up menus do not exist here; the property's class is named for form files only.
    static const TClassInfo popupMenu{"TPopupMenu", &TComponent::StaticClassInfo(), "Menus", {},
                                      nullptr};
    return Obj("PopupMenu", TypeInfoClass(popupMenu), &C::PopupMenu, &C::SetPopupMenu);
}
TPropInfo Visible() { return Ord("Visible", TypeInfoBoolean(), &C::Visible, &C::SetVisible, 1); }
TPropInfo OnClick() { return Event("OnClick", TypeInfoNotifyEvent(), &C::OnClick); }
TPropInfo OnDblClick() { return Event("OnDblClick", TypeInfoNotifyEvent(), &C::OnDblClick); }
TPropInfo OnDragDrop() { return Event("OnDragDrop", TypeInfoEvent("TDragDropEvent"), &C::OnDragDrop); }
TPropInfo OnDragOver() { return Event("OnDragOver", TypeInfoEvent("TDragOverEvent"), &C::OnDragOver); }
TPropInfo OnEndDrag() { return Event("OnEndDrag", TypeInfoEvent("TEndDragEvent"), &C::OnEndDrag); }
TPropInfo OnMouseDown() { return Event("OnMouseDown", TypeInfoEvent("TMouseEvent"), &C::OnMouseDown); }
TPropInfo OnMouseMove() {
    return Event("OnMouseMove", TypeInfoEvent("TMouseMoveEvent"), &C::OnMouseMove);
}
TPropInfo OnMouseUp() { return Event("OnMouseUp", TypeInfoEvent("TMouseEvent"), &C::OnMouseUp); }
TPropInfo OnResize() { return Event("OnResize", TypeInfoNotifyEvent(), &C::OnResize); }
}  // namespace ControlProps
