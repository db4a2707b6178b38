// The push button: a raised face with its caption centred, pushed in while the mouse holds it
// down over the button or the space bar is down; a click (mouse released over it, space
// released, Enter) runs OnClick. The focused button shows a dotted frame.
#pragma once

#include "controls/TCustomControl.h"

class TButton : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TButton(TComponent* owner);

    // Whether the face is drawn pushed in now.
    bool Pushed() const { return FPushed; }
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    void SetPushed(bool pushed);

    bool FPushed = false;
    bool FMouseHeld = false;
    bool FSpaceHeld = false;
};
