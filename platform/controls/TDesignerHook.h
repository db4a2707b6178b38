// What a design environment plugs into a form it edits: the grid painted under the form's
// controls, and the mouse and keyboard input meant for the controls being designed.
#pragma once

#include "win/Messages.h"

class TControl;

class TDesignerHook {
public:
    virtual ~TDesignerHook() = default;
    // Paints the grid on the form's client area, after the form's background and before its
    // controls; dc is the form's paint context.
    virtual void PaintGrid(HDC dc) = 0;
    // Whether the designer takes a mouse or keyboard message meant for a designed control. A
    // message it does not take is not handed to the control either: controls being designed
    // take no input of their own.
    virtual bool IsDesignMsg(TControl* control, TMessage& message) = 0;
};
