// The splitter: a bar between two aligned controls that a drag moves, resizing the control it
// stands against (the one on its left for alLeft, above it for alTop, ...), never below
// MinSize on either side.
#pragma once

#include "controls/TCustomControl.h"

class TSplitter : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = std::max(1, v); }
    // The control the splitter resizes, or null.
    TControl* Neighbour() const;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }

    int FMinSize = 30;
    TControl* FDragged = nullptr;  // the neighbour while a drag runs
    int FStart = 0;                // where the drag started, in the parent's coordinates
    int FStartSize = 0;
};
