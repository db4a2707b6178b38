// The selection of a list box: which items are selected, the caret (the item with the focus
// rectangle) and the anchor that extended selection measures ranges from, and how a click, a
// drag and the keys change them in each selection mode, as the classic list box window does.
#pragma once

#include <cstdint>
#include <vector>

enum class TSelectionMode : std::uint8_t {
    // At most one item is selected; it follows the click and the arrow keys.
    Single,
    // Each click toggles one item; the arrow keys move only the caret, the space bar toggles.
    Multiple,
    // A click selects one item, Shift extends from the anchor, Ctrl toggles and adds.
    Extended,
};

// The modifier keys held during a click or a key press.
struct TSelectKeys {
    bool Shift = false;
    bool Ctrl = false;
};

class TListSelection {
public:
    int Count() const { return static_cast<int>(FFlags.size()); }
    TSelectionMode Mode() const { return FMode; }
    // Going to single selection keeps one selected item: the caret's, else the first.
    void SetMode(TSelectionMode mode);

    bool Selected(int index) const { return FFlags[static_cast<std::size_t>(index)] != 0; }
    int SelCount() const { return FSelCount; }
    // The selected item of a single-selection list, or -1.
    int SingleSelected() const { return FSingle; }
    // The focus item, -1 only when there are no items.
    int Caret() const { return FCaret; }
    int Anchor() const { return FAnchor; }

    // Following the strings: everything unselected, the caret on the first item.
    void Reset(int count);
    void Inserted(int index);
    void Deleted(int index);

    // Programmatic changes; each returns whether the selection changed. In single selection
    // selecting an item deselects the other.
    bool SetSelected(int index, bool selected);
    // Selects only this item (-1: none); caret and anchor move to it.
    bool SelectOnly(int index);
    void SetCaret(int index);
    void SetAnchor(int index);

    // What the user does; each returns whether the selection changed. index is a valid item.
    // A press starts a drag, which DragTo continues until the button is released.
    bool Press(int index, TSelectKeys keys);
    bool DragTo(int index);
    void Release() { FDragging = false; }
    bool Dragging() const { return FDragging; }
    // An arrow, Home, End or page key moved the caret to index.
    bool MoveCaret(int index, TSelectKeys keys);
    // The space bar.
    bool Space(TSelectKeys keys);

private:
    bool Set(int index, bool selected);
    bool ClearAll();
    // Items between the anchor and index (both included) get state; with exclusive set the
    // others are cleared, else those outside the range go back to the drag's starting state.
    bool SetRange(int index, bool state, bool exclusive);

    std::vector<std::uint8_t> FFlags;
    TSelectionMode FMode = TSelectionMode::Single;
    int FSelCount = 0;
    int FSingle = -1;
    int FCaret = -1;
    int FAnchor = -1;
    // A drag after a press: ranges from the anchor, exclusive or added to the selection as it
    // was when the button went down.
    bool FDragging = false;
    bool FDragExclusive = true;
    bool FDragState = true;
    std::vector<std::uint8_t> FDragBase;
};
