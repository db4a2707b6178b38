// The framework's group box: a frame around a group of controls, with its caption set into
// the frame's top line.
#pragma once

#include <string>

#include "controls/TCustomControl.h"

class TGroupBox : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TGroupBox(TComponent* owner);

    void Dispatch(TMessage& message) override;

protected:
    // The frame and, when there is one, the caption 8 pixels from the left edge.
    void Paint() override;
    // Children are laid out inside the frame, below the caption.
    void AlignControls(TControl* control, TRect& rect) override;

    // The frame, from half the height of the font's "0" down to the bottom edge: with Ctl3D
    // a highlight frame and, one pixel up and to the left, a shadow frame; without it one
    // frame in the window-frame colour. Leaves the canvas font at Font and returns the
    // height of "0" in it.
    int PaintFrame();
    // One line of text with its top-left corner at (left, 0), measured with DT_CALCRECT and
    // drawn on the control's Color, so that the frame's top line is broken behind it.
    void PaintCaptionLine(int left, int textHeight, const std::string& text);
};
