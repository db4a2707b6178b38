// The framework's panel: bevels, a border, an aligned one-line caption.
#pragma once

#include "controls/TCustomControl.h"

class TCustomPanel : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool Locked() const { return FLocked; }
    void SetLocked(bool v) { FLocked = v; }
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool v) { FFullRepaint = v; }

    TRect NonClientInsets() const override;
    void PaintNonClient(HDC dc) override;

protected:
    void Paint() override;
    // The bevel frames and the border frame, from the outside in: the outer bevel, the border
    // in Color, the inner bevel. r starts as the client rectangle and ends inside the frames.
    void PaintBevelFrame(TRect& r);
    // The caption, one line high, centred vertically in r, aligned by Alignment, with no
    // background; it is drawn from a copy of at most 255 characters.
    void PaintCaptionText(TRect r);

private:
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    bool FLocked = false;
    bool FFullRepaint = true;
};

// The top and bottom colours of a bevel cut: shadow over highlight for a lowered bevel,
// highlight over shadow for the others.
void BevelColors(TBevelCut cut, TColor& topColor, TColor& bottomColor);

namespace ControlProps {
TPropInfo Alignment();
TPropInfo BevelInner();
TPropInfo BevelOuter(TBevelCut defaultCut);
TPropInfo BevelWidth();
TPropInfo BorderWidth();
TPropInfo BorderStyle();
TPropInfo Locked();
}  // namespace ControlProps
