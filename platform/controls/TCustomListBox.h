// The framework's list box: a column (or several) of strings with the classic selection
// behaviour for mouse and keyboard, a vertical scroll bar when the items do not fit, and
// items drawn by the window (lbStandard) or by DrawItem (owner-drawn styles), one call per
// visible item, however many items there are.
#pragma once

#include <cstdint>
#include <memory>

#include "classes/TStringList.h"
#include "controls/TControlCanvas.h"
#include "controls/TListSelection.h"
#include "controls/TScrollBarGeometry.h"
#include "controls/TWinControl.h"

enum TListBoxStyle : std::uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

const TTypeInfo* TypeInfoTListBoxStyle();

using TDrawItemEvent = TEvent<TPersistent*, int, TRect, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TPersistent*, int, int&>;

class TCustomListBox : public TWinControl {
    DECLARE_CLASSINFO()

public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    // The list box follows its strings through their OnChange and OnStructureChange.
    TStringList* Items() const { return FItems.get(); }
    void SetItems(const TStringList* items) { FItems->Assign(items); }
    void Clear() { FItems->Clear(); }

    // The selected item of a single-selection list (-1: none); with MultiSelect, the item
    // that has the focus rectangle. Setting it selects that item alone, or with MultiSelect
    // only moves the focus, and scrolls it into view.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // An index out of range raises std::out_of_range. Selecting an item of a multi-select
    // list also moves the caret (ItemIndex) and the anchor to it and scrolls it into view.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    // The number of selected items with MultiSelect; -1 in a single-selection list.
    int SelCount() const;

    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);

    // The first visible item. Setting it scrolls as far as the last page allows.
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int index);

    // The height of each item: the font's for lbStandard once the window exists, the stored
    // height for the owner-drawn styles. Values of 0 or less are ignored.
    int ItemHeight() const;
    void SetItemHeight(int value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value);
    // Columns > 0 lays the items out top to bottom in columns of ClientWidth / Columns pixels,
    // scrolled sideways by whole columns with a horizontal scroll bar.
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    // Keeps the client height a whole number of items, as the window shrinks itself to.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);

    TCanvas* Canvas() const { return FCanvas.get(); }

    // An item's rectangle in client coordinates.
    TRect ItemRect(int index) const;
    // The item under a client point; -1 when there is none, or with existing false the item
    // count when the point lies below the last item.
    int ItemAtPos(TPoint pos, bool existing) const;
    // Items shown, partly or whole, and items shown whole (at least 1).
    int VisibleItemCount() const;
    int PageItemCount() const;

    bool ScrollBarVisible() const { return FScrollBar != TScrollBarKind::None; }
    // The scroll bar in window coordinates; empty when there is none.
    TScrollBarGeometry ScrollBar() const;

    TRect NonClientInsets() const override;
    void PaintNonClient(HDC dc) override;
    void PaintWindow(HDC dc) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    // Draws one item: the framework has set the canvas font to Font and the brush to Color,
    // or to the selection colours for a selected item. This one calls OnDrawItem, or fills
    // the rectangle with the brush and writes the item two pixels in, at the top.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    void CreateWnd() override;
    void DeviceChanged() override;

private:
    enum class TScrollBarKind : std::uint8_t { None, Vertical, Horizontal };

    void ItemsChanged();
    void ItemsMoved(TStringList::TChange change, int index);
    TSelectionMode SelectionMode() const;
    // Recomputes whether a scroll bar is needed and keeps TopIndex in range.
    void UpdateScrollBar();
    TScrollBarKind NeededScrollBar() const;
    // The border's widths, without the scroll bar.
    TRect BorderInsets() const;
    void AdjustIntegralHeight();
    int AdjustedHeight(int height) const;
    int MaxTopIndex() const;
    int RowsPerColumn() const;
    int ColumnWidth() const;
    int ColumnCount() const;
    // How much of an item scrolling must show: all of it, or at least a part (dragging).
    enum class TItemView : std::uint8_t { Whole, Partly };
    void ScrollIntoView(int index, TItemView view = TItemView::Whole);
    void ScrollBy(int items);

    void PaintItem(int index, const TRect& rect);
    void PaintEmptyFocus();
    void ListMouseDown(TMessage& message);
    void ListMouseMove(TMessage& message);
    void ListMouseUp();
    bool ScrollBarMouseDown(TPoint client);
    void ListKeyDown(WORD key);
    void ListChar(char ch);
    void MouseWheel(int delta);
    void SelectionChanged(bool byUser);

    std::unique_ptr<TStringList> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TListSelection FSelection;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = bsSingle;
    int FItemHeight = 16;
    int FFontItemHeight = 0;  // the font's height, measured on WM_SETFONT
    int FColumns = 0;
    bool FIntegralHeight = false;
    int FTabWidth = 0;
    int FTopIndex = 0;
    TScrollBarKind FScrollBar = TScrollBarKind::None;
    // A press that the mouse is still holding: on the items, or on the scroll bar's thumb.
    bool FPressed = false;
    bool FThumbDragging = false;
    int FThumbGrab = 0;
    int FWheelRest = 0;
};

// Published-property entries of the list box, with the framework's streaming defaults.
namespace ListBoxProps {
TPropInfo BorderStyle();
TPropInfo Color();
TPropInfo Columns();
TPropInfo ExtendedSelect();
TPropInfo IntegralHeight();
TPropInfo ItemHeight();
TPropInfo Items();
TPropInfo MultiSelect();
TPropInfo ParentColor();
TPropInfo Sorted();
TPropInfo Style();
TPropInfo TabStop();
TPropInfo TabWidth();
TPropInfo OnDrawItem();
TPropInfo OnMeasureItem();
}  // namespace ListBoxProps
