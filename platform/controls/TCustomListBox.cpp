#include "controls/TCustomListBox.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <stdexcept>
#include <string>

#include "controls/TWindowHost.h"
#include "core/AnsiText.h"
#include "graphics/Graphics.h"

namespace {

int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Division that rounds toward minus infinity, for items above the first visible one.
long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

constexpr int kWheelDelta = 120;
constexpr int kWheelLines = 3;

}  // namespace

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TStringList>()),
      FCanvas(std::make_unique<TControlCanvas>(*this)) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(Left(), Top(), 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    FItems->OnChange = [this] { ItemsChanged(); };
    FItems->OnStructureChange = [this](TStringList::TChange change, int index) {
        ItemsMoved(change, index);
    };
}

TCustomListBox::~TCustomListBox() {
    FItems->OnChange = nullptr;
    FItems->OnStructureChange = nullptr;
}

// ---- Items and selection ----

void TCustomListBox::ItemsMoved(TStringList::TChange change, int index) {
    switch (change) {
        case TStringList::TChange::Inserted:
            FSelection.Inserted(index);
            break;
        case TStringList::TChange::Deleted:
            FSelection.Deleted(index);
            break;
        case TStringList::TChange::Rebuilt:
            FSelection.Reset(FItems->Count());
            break;
    }
}

void TCustomListBox::ItemsChanged() {
    UpdateScrollBar();
    Invalidate();
}

TSelectionMode TCustomListBox::SelectionMode() const {
    if (!FMultiSelect) return TSelectionMode::Single;
    return FExtendedSelect ? TSelectionMode::Extended : TSelectionMode::Multiple;
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    FSelection.SetMode(SelectionMode());
    Invalidate();
}

void TCustomListBox::SetExtendedSelect(bool value) {
    if (value == FExtendedSelect) return;
    FExtendedSelect = value;
    FSelection.SetMode(SelectionMode());
    Invalidate();
}

int TCustomListBox::ItemIndex() const {
    if (FItems->Count() == 0) return -1;
    return FMultiSelect ? FSelection.Caret() : FSelection.SingleSelected();
}

void TCustomListBox::SetItemIndex(int index) {
    const bool inRange = index >= 0 && index < FItems->Count();
    if (!FMultiSelect) {
        const bool changed = FSelection.SelectOnly(inRange ? index : -1);
        if (inRange) ScrollIntoView(index);
        if (changed) Invalidate();
    } else if (inRange && index != FSelection.Caret()) {
        FSelection.SetCaret(index);
        ScrollIntoView(index);
        Invalidate();
    }
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= FItems->Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return FSelection.Selected(index);
}

void TCustomListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= FItems->Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    if (!FMultiSelect) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    // Selecting an item moves the caret and the anchor to it and brings it into view, as the
    // window does; deselecting leaves them.
    const int caret = FSelection.Caret();
    bool changed = FSelection.SetSelected(index, selected);
    if (selected) {
        FSelection.SetCaret(index);
        FSelection.SetAnchor(index);
        ScrollIntoView(index);
        changed = changed || caret != index;
    }
    if (changed) Invalidate();
}

int TCustomListBox::SelCount() const {
    return FMultiSelect ? FSelection.SelCount() : -1;
}

void TCustomListBox::SelectionChanged(bool byUser) {
    Invalidate();
    if (byUser) Click();
}

// ---- Layout ----

int TCustomListBox::ItemHeight() const {
    if (FStyle == lbStandard && HandleAllocated() && FFontItemHeight > 0) return FFontItemHeight;
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || value == FItemHeight) return;
    FItemHeight = value;
    if (FStyle == lbStandard && HandleAllocated()) return;
    AdjustIntegralHeight();
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
    UpdateScrollBar();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
    UpdateScrollBar();
}

void TCustomListBox::SetSorted(bool value) {
    FItems->SetSorted(value);
}

void TCustomListBox::SetColumns(int value) {
    value = std::max(0, value);
    if (value == FColumns) return;
    FColumns = value;
    UpdateScrollBar();
    SetTopIndex(FTopIndex);
    Invalidate();
}

void TCustomListBox::SetIntegralHeight(bool value) {
    if (value == FIntegralHeight) return;
    FIntegralHeight = value;
    AdjustIntegralHeight();
}

void TCustomListBox::SetTabWidth(int value) {
    value = std::max(0, value);
    if (value == FTabWidth) return;
    FTabWidth = value;
    Invalidate();
}

int TCustomListBox::AdjustedHeight(int height) const {
    if (!FIntegralHeight || FStyle == lbOwnerDrawVariable || !HandleAllocated()) return height;
    const TRect in = NonClientInsets();
    const int client = height - in.Top - in.Bottom, ih = ItemHeight();
    if (client <= ih || client % ih == 0) return height;
    return height - client % ih;
}

void TCustomListBox::AdjustIntegralHeight() {
    const int height = AdjustedHeight(Height());
    if (height != Height()) SetHeight(height);
}

void TCustomListBox::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, AdjustedHeight(height));
    UpdateScrollBar();
}

int TCustomListBox::RowsPerColumn() const {
    return std::max(1, ClientHeight() / ItemHeight());
}

int TCustomListBox::ColumnWidth() const {
    return std::max(1, ClientWidth() / std::max(1, FColumns));
}

int TCustomListBox::ColumnCount() const {
    const int rows = RowsPerColumn();
    return static_cast<int>((static_cast<long long>(FItems->Count()) + rows - 1) / rows);
}

int TCustomListBox::VisibleItemCount() const {
    const long long rest = std::max(0, FItems->Count() - FTopIndex);
    if (FColumns > 0) {
        const long long width = ColumnWidth();
        const long long columns = (ClientWidth() + width - 1) / width;
        return static_cast<int>(std::min(rest, columns * RowsPerColumn()));
    }
    const long long ih = ItemHeight();
    return static_cast<int>(std::min(rest, (std::max(0, ClientHeight()) + ih - 1) / ih));
}

int TCustomListBox::PageItemCount() const {
    if (FColumns > 0) {
        const long long page =
            static_cast<long long>(std::max(1, ClientWidth() / ColumnWidth())) * RowsPerColumn();
        return ClampToInt(page);
    }
    return std::max(1, ClientHeight() / ItemHeight());
}

int TCustomListBox::MaxTopIndex() const {
    if (FColumns > 0) {
        const int fullColumns = std::max(1, ClientWidth() / ColumnWidth());
        return ClampToInt(static_cast<long long>(std::max(0, ColumnCount() - fullColumns)) *
                          RowsPerColumn());
    }
    return std::max(0, FItems->Count() - PageItemCount());
}

void TCustomListBox::SetTopIndex(int index) {
    index = std::clamp(index, 0, MaxTopIndex());
    if (FColumns > 0) index -= index % RowsPerColumn();
    if (index == FTopIndex) return;
    FTopIndex = index;
    Invalidate();
}

void TCustomListBox::ScrollBy(int items) {
    SetTopIndex(ClampToInt(static_cast<long long>(FTopIndex) + items));
}

void TCustomListBox::ScrollIntoView(int index, TItemView view) {
    if (FColumns > 0) {
        const int rows = RowsPerColumn();
        const int column = index / rows, topColumn = FTopIndex / rows;
        const int fullColumns = std::max(1, ClientWidth() / ColumnWidth());
        if (column < topColumn)
            SetTopIndex(column * rows);
        else if (column >= topColumn + fullColumns)
            SetTopIndex(ClampToInt(static_cast<long long>(column - fullColumns + 1) * rows));
        return;
    }
    const int page = PageItemCount();
    // The item just below the last whole one may stay partly shown, when a part of it shows.
    const bool partShows = static_cast<long long>(page) * ItemHeight() < ClientHeight();
    if (index < FTopIndex)
        SetTopIndex(index);
    else if (view == TItemView::Partly && partShows && index == FTopIndex + page)
        return;
    else if (index >= FTopIndex + page)
        SetTopIndex(index - page + 1);
}

TRect TCustomListBox::ItemRect(int index) const {
    const long long ih = ItemHeight(), relative = static_cast<long long>(index) - FTopIndex;
    if (FColumns > 0) {
        const long long rows = RowsPerColumn(), width = ColumnWidth();
        const long long column = FloorDiv(relative, rows), row = relative - column * rows;
        return TRect{ClampToInt(column * width), ClampToInt(row * ih),
                     ClampToInt((column + 1) * width), ClampToInt((row + 1) * ih)};
    }
    return TRect{0, ClampToInt(relative * ih), ClientWidth(), ClampToInt((relative + 1) * ih)};
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
    const int count = FItems->Count();
    if (ClientRect().Contains(pos)) {
        long long index = FTopIndex;
        if (FColumns > 0) {
            const int row = pos.Y / ItemHeight();
            if (row < RowsPerColumn())
                index += static_cast<long long>(pos.X / ColumnWidth()) * RowsPerColumn() + row;
            else
                index = count;
        } else {
            index += pos.Y / ItemHeight();
        }
        if (index < count) return static_cast<int>(index);
    }
    return existing ? -1 : count;
}

// ---- Scroll bar ----

TCustomListBox::TScrollBarKind TCustomListBox::NeededScrollBar() const {
    const TRect in = BorderInsets();
    const int clientWidth = Width() - in.Left - in.Right;
    const int clientHeight = Height() - in.Top - in.Bottom;
    const int ih = ItemHeight(), count = FItems->Count();
    if (FColumns > 0) {
        const int rows = std::max(1, clientHeight / ih);
        const int columnWidth = std::max(1, clientWidth / FColumns);
        const long long columns = (static_cast<long long>(count) + rows - 1) / rows;
        return columns > std::max(1, clientWidth / columnWidth) ? TScrollBarKind::Horizontal
                                                                : TScrollBarKind::None;
    }
    return static_cast<long long>(count) * ih > clientHeight ? TScrollBarKind::Vertical
                                                             : TScrollBarKind::None;
}

void TCustomListBox::UpdateScrollBar() {
    const TScrollBarKind needed = NeededScrollBar();
    if (needed != FScrollBar) {
        // The bar takes its room from the client area, as a window's scroll bar does.
        Invalidate();
        FScrollBar = needed;
        DeviceChanged();
        Invalidate();
    }
    SetTopIndex(FTopIndex);
}

TRect TCustomListBox::BorderInsets() const {
    return FBorderStyle == bsSingle ? SingleBorderInsets(Ctl3D(), Width(), Height()) : TRect{};
}

TRect TCustomListBox::NonClientInsets() const {
    TRect in = BorderInsets();
    if (FScrollBar == TScrollBarKind::Vertical) in.Right += TScrollBarGeometry::kSize;
    if (FScrollBar == TScrollBarKind::Horizontal) in.Bottom += TScrollBarGeometry::kSize;
    return in;
}

TScrollBarGeometry TCustomListBox::ScrollBar() const {
    const TRect in = BorderInsets();
    const int right = Width() - in.Right, bottom = Height() - in.Bottom;
    constexpr int size = TScrollBarGeometry::kSize;
    if (FScrollBar == TScrollBarKind::Vertical)
        return TScrollBarGeometry(TRect{right - size, in.Top, right, bottom}, true, FTopIndex,
                                  PageItemCount(), FItems->Count());
    if (FScrollBar == TScrollBarKind::Horizontal) {
        const int rows = RowsPerColumn();
        return TScrollBarGeometry(TRect{in.Left, bottom - size, right, bottom}, false,
                                  FTopIndex / rows, PageItemCount() / rows, ColumnCount());
    }
    return TScrollBarGeometry(TRect{}, true, 0, 1, 0);
}

bool TCustomListBox::ScrollBarMouseDown(TPoint client) {
    if (!ScrollBarVisible()) return false;
    const TRect in = NonClientInsets();
    const TPoint p{client.X + in.Left, client.Y + in.Top};
    const TScrollBarGeometry bar = ScrollBar();
    const int line = FColumns > 0 ? RowsPerColumn() : 1;
    switch (bar.HitTest(p)) {
        case TScrollBarPart::None:
            return bar.Bar().Contains(p);
        case TScrollBarPart::Arrow1:
            ScrollBy(-line);
            break;
        case TScrollBarPart::Arrow2:
            ScrollBy(line);
            break;
        case TScrollBarPart::PageBack:
            ScrollBy(-PageItemCount());
            break;
        case TScrollBarPart::PageForward:
            ScrollBy(PageItemCount());
            break;
        case TScrollBarPart::Thumb:
            FThumbDragging = true;
            FThumbGrab = bar.Along(p) - bar.ThumbStart();
            break;
    }
    return true;
}

// ---- Painting ----

void TCustomListBox::PaintNonClient(HDC dc) {
    if (FBorderStyle == bsSingle) PaintSingleBorder(dc, TRect{0, 0, Width(), Height()}, Ctl3D());
    if (ScrollBarVisible()) ScrollBar().Paint(dc);
}

void TCustomListBox::PaintWindow(HDC dc) {
    FCanvas->FreeContext();
    FCanvas->SetHandle(dc);
    TRect clip;
    GetClipBox(dc, &clip);
    if (FItems->Count() == 0) PaintEmptyFocus();
    // The window clips what is drawn for an item to the item, and puts the clipping region it
    // found back after each one.
    HRGN found = CreateRectRgn(0, 0, 0, 0);
    const bool clipped = GetClipRgn(dc, found) == 1;
    // Only the items that show: the loop never looks at the others, however many there are.
    const int last = FTopIndex + VisibleItemCount();
    for (int i = FTopIndex; i < last; ++i) {
        const TRect r = ItemRect(i);
        if (IntersectRects(r, clip).IsEmpty()) continue;
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        PaintItem(i, r);
        SelectClipRgn(dc, clipped ? found : nullptr);
    }
    DeleteObject(found);
    FCanvas->SetHandle(nullptr);
}

void TCustomListBox::PaintItem(int index, const TRect& rect) {
    TOwnerDrawState state;
    if (FSelection.Selected(index)) state.Include(odSelected);
    if (!Enabled()) state.Include(odDisabled);
    const bool focus = Focused() && index == FSelection.Caret();
    if (focus) state.Include(odFocused);

    TCanvas* canvas = FCanvas.get();
    canvas->SetFont(Font());
    canvas->SetBrush(Brush());
    if (state.Contains(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    if (FStyle == lbStandard) {
        // The window draws its own items: clipped to the item, gray when disabled.
        if (!Enabled() && !state.Contains(odSelected)) canvas->Font()->SetColor(clGrayText);
        canvas->FillRect(rect);
        canvas->TextRect(rect, rect.Left + 2, rect.Top, (*FItems)[index]);
    } else {
        DrawItem(index, rect, state);
    }
    if (focus) canvas->DrawFocusRect(rect);
}

// A focused list without items still shows where the first item would be.
void TCustomListBox::PaintEmptyFocus() {
    if (!Focused()) return;
    const TRect r = ItemRect(0);
    FCanvas->SetBrush(Brush());
    FCanvas->FillRect(r);
    FCanvas->DrawFocusRect(r);
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas->FillRect(rect);
    if (index >= 0 && index < FItems->Count())
        FCanvas->TextOut(rect.Left + 2, rect.Top, (*FItems)[index]);
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    AdjustIntegralHeight();
    UpdateScrollBar();
}

void TCustomListBox::DeviceChanged() {
    if (FCanvas) FCanvas->FreeContext();
}

// ---- Mouse and keyboard ----

void TCustomListBox::ListMouseDown(TMessage& message) {
    if (!Enabled()) return;
    const TPoint p{LoWordSigned(message.LParam), HiWordSigned(message.LParam)};
    if (ScrollBarMouseDown(p)) return;
    const int index = ItemAtPos(p, true);
    if (index < 0) return;
    const TSelectKeys keys{(message.WParam & MK_SHIFT) != 0, (message.WParam & MK_CONTROL) != 0};
    FPressed = true;
    FSelection.Press(index, keys);
    ScrollIntoView(index, TItemView::Partly);
    Invalidate();
}

void TCustomListBox::ListMouseMove(TMessage& message) {
    const TPoint p{LoWordSigned(message.LParam), HiWordSigned(message.LParam)};
    if (FThumbDragging) {
        const TRect in = NonClientInsets();
        const TScrollBarGeometry bar = ScrollBar();
        const int position =
            bar.PositionForThumbAt(bar.Along({p.X + in.Left, p.Y + in.Top}) - FThumbGrab);
        SetTopIndex(FColumns > 0 ? ClampToInt(static_cast<long long>(position) * RowsPerColumn())
                                 : position);
        return;
    }
    const int count = FItems->Count();
    if (!FPressed || count == 0) return;
    // The caret follows the item under the mouse. Past the top it goes to the item above the
    // first shown; past the bottom to the one below the last whole one, or one further when
    // it is there already, which scrolls. Below the last item it stays.
    const int caret = FSelection.Caret();
    const TRect client = ClientRect();
    const TPoint inside{std::clamp(p.X, 0, std::max(0, client.Right - 1)),
                        std::clamp(p.Y, 0, std::max(0, client.Bottom - 1))};
    int index = ItemAtPos(inside, FColumns == 0);
    if (index < 0) index = caret;
    if (FColumns == 0) {
        if (p.Y < 0) index = FTopIndex - 1;
        if (p.Y >= client.Bottom) {
            index = FTopIndex + PageItemCount();
            if (index == caret) ++index;
        }
    }
    index = std::clamp(index, 0, count - 1);
    if (index == caret) return;
    const bool changed = FSelection.DragTo(index);
    ScrollIntoView(index, TItemView::Partly);
    if (changed || caret != FSelection.Caret()) Invalidate();
}

void TCustomListBox::ListMouseUp() {
    if (FThumbDragging) {
        FThumbDragging = false;
        return;
    }
    if (!FPressed) return;
    FPressed = false;
    FSelection.Release();
    if (FItems->Count() > 0) Click();
}

void TCustomListBox::ListKeyDown(WORD key) {
    const int count = FItems->Count();
    if (count == 0 || !Enabled()) return;
    const TShiftState shift = KeyboardShiftState();
    const TSelectKeys keys{shift.Contains(ssShift), shift.Contains(ssCtrl)};
    const int caret = std::max(0, FSelection.Caret());
    const int column = FColumns > 0 ? RowsPerColumn() : 1;
    const int page = FColumns > 0 ? PageItemCount() : std::max(1, PageItemCount() - 1);
    // A single-selection list whose selection is not the caret's item (none selected yet)
    // first selects the caret's item, whichever key moves, except across columns.
    const bool across = FColumns > 0 && (key == VK_LEFT || key == VK_RIGHT);
    const bool selectCaret = !FMultiSelect && FSelection.SingleSelected() != caret && !across;
    long long target = caret;
    switch (key) {
        case VK_UP:
            target = caret - 1;
            break;
        case VK_DOWN:
            target = caret + 1;
            break;
        case VK_LEFT:
            target = caret - column;
            break;
        case VK_RIGHT:
            target = caret + column;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            target = static_cast<long long>(caret) - page;
            break;
        case VK_NEXT:
            target = static_cast<long long>(caret) + page;
            break;
        case VK_SPACE:
            if (selectCaret) break;
            if (FSelection.Space(keys)) SelectionChanged(true);
            return;
        default:
            return;
    }
    if (selectCaret) target = caret;
    const int index = static_cast<int>(std::clamp<long long>(target, 0, count - 1));
    const bool changed = FSelection.MoveCaret(index, keys);
    ScrollIntoView(index);
    if (changed || index != caret) SelectionChanged(true);
}

// Typing a character moves to the next item that starts with it, from the caret on.
void TCustomListBox::ListChar(char ch) {
    const int count = FItems->Count();
    if (count == 0 || !Enabled() || static_cast<unsigned char>(ch) < 0x20) return;
    const int caret = std::max(0, FSelection.Caret());
    for (int step = 1; step <= count; ++step) {
        const int i = static_cast<int>((static_cast<long long>(caret) + step) % count);
        const std::string& s = (*FItems)[i];
        if (s.empty() || AnsiText::Lower(s[0]) != AnsiText::Lower(ch)) continue;
        const bool changed = FSelection.MoveCaret(i, TSelectKeys{});
        ScrollIntoView(i);
        if (changed || i != caret) SelectionChanged(true);
        return;
    }
}

void TCustomListBox::MouseWheel(int delta) {
    FWheelRest += delta;
    const int notches = FWheelRest / kWheelDelta;
    FWheelRest -= notches * kWheelDelta;
    if (notches) ScrollBy(-notches * (FColumns > 0 ? RowsPerColumn() : kWheelLines));
}

void TCustomListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The window selects first; OnMouseDown then sees the new selection.
            if (CanFocus() && !Focused()) SetFocus();
            ListMouseDown(message);
            TWinControl::Dispatch(message);
            return;
        case WM_MOUSEMOVE:
            ListMouseMove(message);
            TWinControl::Dispatch(message);
            return;
        case WM_LBUTTONUP:
            ListMouseUp();
            TWinControl::Dispatch(message);
            return;
        case WM_SIZE:
        case CM_CTL3DCHANGED:
            TWinControl::Dispatch(message);
            UpdateScrollBar();
            return;
        default:
            TWinControl::Dispatch(message);
    }
}

void TCustomListBox::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_SETFONT:
            // The window measures the new font; the standard style takes it as item height.
            FFontItemHeight = Font()->TextMetrics().tmHeight;
            if (FStyle == lbStandard) {
                AdjustIntegralHeight();
                UpdateScrollBar();
            }
            Invalidate();
            return;
        case WM_KEYDOWN:
            ListKeyDown(static_cast<WORD>(message.WParam));
            return;
        case WM_CHAR:
            ListChar(static_cast<char>(message.WParam));
            return;
        case WM_MOUSEWHEEL:
            MouseWheel(HiWordSigned(static_cast<LPARAM>(message.WParam)));
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            return;
        default:
            TWinControl::DefaultHandler(message);
    }
}

// ---- Type information ----

const TTypeInfo* TypeInfoTListBoxStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TListBoxStyle",
                             "StdCtrls",
                             TOrdType::otUByte,
                             {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
    return &t;
}

// Every list box publishes TabStop, right after the properties of its base classes.
const TClassInfo& TCustomListBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomListBox",
                                 &TWinControl::StaticClassInfo(),
                                 "StdCtrls",
                                 {ListBoxProps::TabStop()},
                                 nullptr};
    return info;
}

namespace ListBoxProps {
using namespace PropBuild;
using L = TCustomListBox;

TPropInfo BorderStyle() {
    return Ord("BorderStyle", TypeInfoTBorderStyle(), &L::BorderStyle, &L::SetBorderStyle,
               bsSingle);
}
TPropInfo Color() {
    return ControlProps::Color(clWindow);
}
TPropInfo Columns() {
    return Ord("Columns", TypeInfoInteger(), &L::Columns, &L::SetColumns, 0);
}
TPropInfo ExtendedSelect() {
    return Ord("ExtendedSelect", TypeInfoBoolean(), &L::ExtendedSelect, &L::SetExtendedSelect, 1);
}
TPropInfo IntegralHeight() {
    return Ord("IntegralHeight", TypeInfoBoolean(), &L::IntegralHeight, &L::SetIntegralHeight, 0);
}
TPropInfo ItemHeight() {
    return Ord("ItemHeight", TypeInfoInteger(), &L::ItemHeight, &L::SetItemHeight, 16);
}
TPropInfo Items() {
    return Obj("Items", TypeInfoClass(TStringList::StaticClassInfo()), &L::Items, &L::SetItems);
}
TPropInfo MultiSelect() {
    return Ord("MultiSelect", TypeInfoBoolean(), &L::MultiSelect, &L::SetMultiSelect, 0);
}
TPropInfo ParentColor() {
    return ControlProps::ParentColor(false);
}
TPropInfo Sorted() {
    return Ord("Sorted", TypeInfoBoolean(), &L::Sorted, &L::SetSorted, 0);
}
TPropInfo Style() {
    return Ord("Style", TypeInfoTListBoxStyle(), &L::Style, &L::SetStyle, lbStandard);
}
TPropInfo TabStop() {
    return ControlProps::TabStop(true);
}
TPropInfo TabWidth() {
    return Ord("TabWidth", TypeInfoInteger(), &L::TabWidth, &L::SetTabWidth, 0);
}
TPropInfo OnDrawItem() {
    return Event("OnDrawItem", TypeInfoEvent("TDrawItemEvent"), &L::OnDrawItem);
}
TPropInfo OnMeasureItem() {
    return Event("OnMeasureItem", TypeInfoEvent("TMeasureItemEvent"), &L::OnMeasureItem);
}
}  // namespace ListBoxProps
