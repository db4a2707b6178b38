#include "controls/TComboBox.h"

#include <algorithm>

#include "classes/TClassRegistry.h"
#include "controls/ButtonFace.h"
#include "controls/TEdit.h"
#include "controls/TListBox.h"
#include "controls/TWindowHost.h"
#include "graphics/Graphics.h"

namespace {
constexpr int kButtonWidth = 17;
}

const TTypeInfo* TypeInfoTComboBoxStyle() {
    static const TTypeInfo t{
        TTypeKind::tkEnumeration,
        "TComboBoxStyle",
        "StdCtrls",
        TOrdType::otUByte,
        {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
    return &t;
}

TComboBox::TComboBox(TComponent* owner)
    : TCustomControl(owner), FItems(std::make_unique<TStringList>()) {
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks});
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    // The field is an edit box inside the combo box, which keeps the focus and hands it keys.
    FEdit = new TEdit(this);
    FEdit->SetBorderStyle(bsNone);
    FEdit->SetTabStop(false);
    FEdit->SetFocusOwner(this);
    FEdit->SetParent(this);
    FEdit->OnMouseDown = [this](TPersistent*, TMouseButton, TShiftState, int, int) {
        if (CanFocus() && !Focused()) SetFocus();
    };
    FEdit->OnChange = [this](TPersistent*) {
        if (!Editable()) return;
        const int found = FItems->IndexOf(FEdit->Text());
        FItemIndex = found;
        OnChange(this);
    };
    FList = new TListBox(this);
    FList->SetVisible(false);
    FList->SetTabStop(false);
    FList->OnMouseUp = [this](TPersistent*, TMouseButton, TShiftState, int, int) { CloseUp(true); };
    FItems->OnChange = [this] { ItemsChanged(); };
    SetBounds(Left(), Top(), 145, 21);
}

TComboBox::~TComboBox() {
    FItems->OnChange = nullptr;
}

TEdit* TComboBox::EditBox() const {
    return Editable() ? FEdit : nullptr;
}

TListBox* TComboBox::DropList() const {
    return FDropped ? FList : nullptr;
}

void TComboBox::ItemsChanged() {
    if (FItemIndex >= FItems->Count()) SetItemIndex(-1);
    if (FDropped) CloseUp(false);
    Invalidate();
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= FItems->Count()) index = -1;
    FItemIndex = index;
    const std::string text = index >= 0 ? (*FItems)[index] : std::string();
    if (Editable()) {
        const auto handler = FEdit->OnChange.Handler();
        FEdit->OnChange = nullptr;
        FEdit->SetText(text);
        FEdit->OnChange = handler;
    } else {
        FText = text;
    }
    Invalidate();
}

std::string TComboBox::Text() const {
    return Editable() ? FEdit->Text() : FText;
}

void TComboBox::SetText(const std::string& text) {
    if (Editable()) {
        FEdit->SetText(text);
        return;
    }
    const int found = FItems->IndexOf(text);
    if (found >= 0) SetItemIndex(found);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    const std::string text = Text();
    FStyle = style;
    FEdit->SetVisible(Editable());
    SetItemIndex(FItemIndex);
    if (Editable()) FEdit->SetText(text);
    LayOut();
    Invalidate();
}

TRect TComboBox::NonClientInsets() const {
    return SingleBorderInsets(Ctl3D(), Width(), Height());
}

void TComboBox::PaintNonClient(HDC dc) {
    PaintSingleBorder(dc, TRect{0, 0, Width(), Height()}, Ctl3D());
}

TRect TComboBox::ButtonRect() const {
    const TRect c = ClientRect();
    return TRect{std::max(c.Left, c.Right - kButtonWidth), c.Top, c.Right, c.Bottom};
}

void TComboBox::LayOut() {
    const TRect c = ClientRect();
    FEdit->SetBounds(1, 1, std::max(0, ButtonRect().Left - 2), std::max(0, c.Height() - 2));
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    if (FEdit) LayOut();
}

// +----------------------------+---+
// | text (selected: highlight) | v |   the button: a raised face, pushed while dropped
// +----------------------------+---+
void TComboBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    canvas->FillRect(ClientRect());
    TRect button = ButtonRect();
    DrawButtonFace(canvas, button, FDropped);
    DrawDownArrow(canvas, FDropped ? Translated(button, 1, 1) : button,
                  Enabled() ? clBtnText : clGrayText);
    if (Editable()) return;
    const TRect field{1, 1, ButtonRect().Left - 1, ClientHeight() - 1};
    const bool highlight = Focused() && !FDropped;
    canvas->SetFont(Font());
    canvas->Font()->SetColor(!Enabled()  ? clGrayText
                             : highlight ? clHighlightText
                                         : Font()->Color());
    canvas->Brush()->SetColor(highlight ? clHighlight : Enabled() ? Color() : clBtnFace);
    canvas->TextRect(field, field.Left + 1, (ClientHeight() - canvas->TextHeight("W")) / 2, FText);
    if (highlight) canvas->DrawFocusRect(field);
}

void TComboBox::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    switch (message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            FEdit->Invalidate();
            break;
        case CM_FONTCHANGED:
            FEdit->SetFont(Font());
            break;
        case CM_COLORCHANGED:
            FEdit->SetColor(Color());
            break;
        default:
            break;
    }
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!Editable() || ButtonRect().Contains(TPoint{x, y})) SetDroppedDown(!FDropped);
}

void TComboBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key && ListKey(key, shift)) key = 0;
    if (key && Editable()) FEdit->KeyDown(key, shift);
}

void TComboBox::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key && Editable()) FEdit->KeyPress(key);
}

void TComboBox::DoEnter() {
    if (Editable()) FEdit->SelectAll();
    TCustomControl::DoEnter();
}

bool TComboBox::ListKey(WORD key, TShiftState shift) {
    if (key == VK_F4 || ((key == VK_DOWN || key == VK_UP) && shift.Contains(ssAlt))) {
        SetDroppedDown(!FDropped);
        return true;
    }
    if (FDropped && (key == VK_RETURN || key == VK_ESCAPE)) {
        CloseUp(key == VK_RETURN);
        return true;
    }
    if (key != VK_UP && key != VK_DOWN && key != VK_PRIOR && key != VK_NEXT && key != VK_HOME &&
        key != VK_END)
        return false;
    if (Editable() && (key == VK_HOME || key == VK_END)) return false;
    const int last = FItems->Count() - 1;
    if (last < 0) return true;
    const int page = std::max(1, FDropDownCount - 1);
    const int current = FDropped ? FList->ItemIndex() : FItemIndex;
    int next = current;
    switch (key) {
        case VK_UP:
            next = current - 1;
            break;
        case VK_DOWN:
            next = current + 1;
            break;
        case VK_PRIOR:
            next = current - page;
            break;
        case VK_NEXT:
            next = current + page;
            break;
        case VK_HOME:
            next = 0;
            break;
        default:
            next = last;
            break;
    }
    next = std::clamp(next, 0, last);
    if (FDropped)
        FList->SetItemIndex(next);
    else if (next != FItemIndex)
        Choose(next);
    return true;
}

void TComboBox::Choose(int index) {
    SetItemIndex(index);
    if (Editable()) FEdit->SelectAll();
    OnChange(this);
    Click();
}

void TComboBox::SetDroppedDown(bool v) {
    if (v == FDropped) return;
    if (!v) {
        CloseUp(false);
        return;
    }
    TWinControl* root = this;
    while (root->Parent()) root = root->Parent();
    if (root == this || !Host()) return;
    FDropped = true;
    FList->SetFont(Font());
    FList->Items()->Assign(FItems.get());
    FList->SetParent(root);
    FList->BringToFront();
    const TRect me = SurfaceWindowRect();
    const int rows = std::clamp(FItems->Count(), 1, FDropDownCount);
    const int height = rows * FList->ItemHeight() + 2;
    const int below = me.Bottom, above = me.Top - height;
    const int top = below + height <= root->ClientHeight() || above < 0 ? below : above;
    FList->SetBounds(me.Left, top, me.Width(), height);
    FList->SetItemIndex(FItemIndex);
    FList->SetVisible(true);
    Invalidate();
}

void TComboBox::CloseUp(bool accept) {
    if (!FDropped) return;
    FDropped = false;
    const int chosen = FList->ItemIndex();
    const bool listHadFocus = FList->Focused();
    FList->SetVisible(false);
    FList->SetParent(nullptr);
    if (listHadFocus && CanFocus()) SetFocus();
    Invalidate();
    if (accept && chosen >= 0) Choose(chosen);
}

void TComboBox::DoExit() {
    // A click on the dropped list gives it the focus for a moment; the list stays.
    if (TWindowHost* host = Host(); !host || host->FocusedControl() != FList) CloseUp(false);
    TCustomControl::DoExit();
}

const TClassInfo& TComboBox::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using C = TComboBox;
    static const TClassInfo info{
        "TComboBox",
        &TCustomControl::StaticClassInfo(),
        "StdCtrls",
        {
            Ord("Style", TypeInfoTComboBoxStyle(), &C::Style, &C::SetStyle, csDropDown),
            P::Anchors(),
            P::BiDiMode(),
            P::Color(clWindow),
            P::Constraints(),
            P::Ctl3D(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            Ord("DropDownCount", TypeInfoInteger(), &C::DropDownCount, &C::SetDropDownCount, 8),
            P::Enabled(),
            P::Font(),
            Obj("Items", TypeInfoClass(TStringList::StaticClassInfo()), &C::Items, &C::SetItems),
            Ord("ItemIndex", TypeInfoInteger(), &C::ItemIndex, &C::SetItemIndex, -1),
            P::ParentBiDiMode(),
            P::ParentColor(false),
            P::ParentCtl3D(),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            P::TabOrder(),
            P::TabStop(true),
            Str("Text", TypeInfoCaption(), &C::Text, &C::SetText),
            P::Visible(),
            Event("OnChange", TypeInfoNotifyEvent(), &C::OnChange),
            P::OnClick(),
            P::OnDblClick(),
            P::OnEnter(),
            P::OnExit(),
            P::OnKeyDown(),
            P::OnKeyPress(),
            P::OnKeyUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TComboBox(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TComboBox::StaticClassInfo());
}  // namespace
