#include "controls/TListSelection.h"

#include <algorithm>

void TListSelection::SetMode(TSelectionMode mode) {
    if (mode == FMode) return;
    const TSelectionMode old = FMode;
    FMode = mode;
    FDragging = false;
    if (mode != TSelectionMode::Single) {
        if (old == TSelectionMode::Single) FSingle = -1;
        return;
    }
    int keep = FCaret >= 0 && Selected(FCaret) ? FCaret : -1;
    if (keep < 0) {
        auto it = std::find(FFlags.begin(), FFlags.end(), 1);
        if (it != FFlags.end()) keep = static_cast<int>(it - FFlags.begin());
    }
    ClearAll();
    if (keep >= 0) Set(keep, true);
}

void TListSelection::Reset(int count) {
    FFlags.assign(static_cast<std::size_t>(std::max(0, count)), 0);
    FSelCount = 0;
    FSingle = -1;
    FCaret = FAnchor = count > 0 ? 0 : -1;
    FDragging = false;
}

void TListSelection::Inserted(int index) {
    FFlags.insert(FFlags.begin() + index, 0);
    if (FSingle >= index) ++FSingle;
    // The caret and the anchor stay on their items; the first item of an empty list takes them.
    auto follow = [&](int& i) {
        if (i < 0)
            i = 0;
        else if (i >= index && Count() > 1)
            ++i;
    };
    follow(FCaret);
    follow(FAnchor);
    FDragging = false;
}

void TListSelection::Deleted(int index) {
    if (FFlags[static_cast<std::size_t>(index)]) --FSelCount;
    FFlags.erase(FFlags.begin() + index);
    if (FSingle == index)
        FSingle = -1;
    else if (FSingle > index)
        --FSingle;
    auto follow = [&](int& i) {
        if (i > index) --i;
        if (i >= Count()) i = Count() - 1;
    };
    follow(FCaret);
    follow(FAnchor);
    FDragging = false;
}

bool TListSelection::Set(int index, bool selected) {
    std::uint8_t& flag = FFlags[static_cast<std::size_t>(index)];
    if ((flag != 0) == selected) return false;
    flag = selected ? 1 : 0;
    FSelCount += selected ? 1 : -1;
    if (FMode == TSelectionMode::Single) {
        if (selected)
            FSingle = index;
        else if (FSingle == index)
            FSingle = -1;
    }
    return true;
}

bool TListSelection::ClearAll() {
    if (FSelCount == 0) return false;
    std::fill(FFlags.begin(), FFlags.end(), 0);
    FSelCount = 0;
    FSingle = -1;
    return true;
}

bool TListSelection::SetSelected(int index, bool selected) {
    bool changed = false;
    if (selected && FMode == TSelectionMode::Single && FSingle >= 0 && FSingle != index)
        changed = Set(FSingle, false);
    return Set(index, selected) || changed;
}

bool TListSelection::SelectOnly(int index) {
    bool changed = false;
    if (FMode == TSelectionMode::Single) {
        if (FSingle >= 0 && FSingle != index) changed = Set(FSingle, false);
    } else if (FSelCount > (index >= 0 && Selected(index) ? 1 : 0)) {
        changed = ClearAll();
    }
    if (index >= 0) {
        changed = Set(index, true) || changed;
        FCaret = FAnchor = index;
    }
    return changed;
}

void TListSelection::SetCaret(int index) {
    if (index >= 0 && index < Count()) FCaret = index;
}

void TListSelection::SetAnchor(int index) {
    if (index >= 0 && index < Count()) FAnchor = index;
}

bool TListSelection::SetRange(int index, bool state, bool exclusive) {
    const int lo = std::min(FAnchor, index), hi = std::max(FAnchor, index);
    bool changed = false;
    if (exclusive) {
        for (int i = 0; i < Count(); ++i) changed = Set(i, i >= lo && i <= hi) || changed;
    } else {
        for (int i = lo; i <= hi; ++i) changed = Set(i, state) || changed;
    }
    return changed;
}

bool TListSelection::Press(int index, TSelectKeys keys) {
    FDragging = true;
    switch (FMode) {
        case TSelectionMode::Single:
            return SelectOnly(index);
        case TSelectionMode::Multiple:
            FCaret = FAnchor = index;
            return Set(index, !Selected(index));
        case TSelectionMode::Extended:
            break;
    }
    if (FAnchor < 0 || !keys.Shift) FAnchor = index;
    FCaret = index;
    FDragExclusive = !keys.Ctrl;
    FDragState = keys.Ctrl && !keys.Shift ? !Selected(index) : true;
    if (keys.Ctrl && keys.Shift) FDragState = Selected(FAnchor) || FAnchor == index;
    if (FDragExclusive) {
        FDragBase.clear();
        return SetRange(index, true, true);
    }
    FDragBase = FFlags;
    return SetRange(index, FDragState, false);
}

bool TListSelection::DragTo(int index) {
    if (!FDragging) return false;
    if (FMode == TSelectionMode::Single) return SelectOnly(index);
    if (FMode == TSelectionMode::Multiple) {
        // A drag in a multiple-selection list moves only the caret.
        FCaret = index;
        return false;
    }
    if (index == FCaret) return false;
    // Items that leave the range go back to how they were when the button went down: cleared
    // in an exclusive drag, as they were in an added one.
    const int oldLo = std::min(FAnchor, FCaret), oldHi = std::max(FAnchor, FCaret);
    const int lo = std::min(FAnchor, index), hi = std::max(FAnchor, index);
    bool changed = false;
    for (int i = oldLo; i <= oldHi; ++i)
        if (i < lo || i > hi)
            changed = Set(i, !FDragExclusive && FDragBase[static_cast<std::size_t>(i)]) || changed;
    for (int i = lo; i <= hi; ++i) changed = Set(i, FDragState) || changed;
    FCaret = index;
    return changed;
}

bool TListSelection::MoveCaret(int index, TSelectKeys keys) {
    FDragging = false;
    switch (FMode) {
        case TSelectionMode::Single:
            return SelectOnly(index);
        case TSelectionMode::Multiple:
            FCaret = index;
            return false;
        case TSelectionMode::Extended:
            break;
    }
    if (!keys.Shift) {
        if (keys.Ctrl) {
            FCaret = index;
            return false;
        }
        return SelectOnly(index);
    }
    if (FAnchor < 0) FAnchor = FCaret >= 0 ? FCaret : index;
    FCaret = index;
    return SetRange(index, true, !keys.Ctrl);
}

bool TListSelection::Space(TSelectKeys keys) {
    FDragging = false;
    if (FCaret < 0) return false;
    switch (FMode) {
        case TSelectionMode::Single:
            return false;
        case TSelectionMode::Multiple:
            return Set(FCaret, !Selected(FCaret));
        case TSelectionMode::Extended:
            break;
    }
    if (keys.Ctrl && !keys.Shift) {
        FAnchor = FCaret;
        return Set(FCaret, !Selected(FCaret));
    }
    if (keys.Shift) {
        if (FAnchor < 0) FAnchor = FCaret;
        return SetRange(FCaret, true, !keys.Ctrl);
    }
    return SelectOnly(FCaret);
}
