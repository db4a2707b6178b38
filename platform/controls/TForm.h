// The top-level container of a form file: a window with a caption bar whose client area is
// what a host shows.
#pragma once

#include "controls/TWinControl.h"

class TForm : public TWinControl {
    DECLARE_CLASSINFO()

public:
    explicit TForm(TComponent* owner);

    // The classic frame of a sizeable window: 4-pixel borders and a 19-pixel caption bar.
    TRect NonClientInsets() const override { return TRect{4, 23, 4, 4}; }

    int PixelsPerInch() const { return kPixelsPerInch; }
    void SetPixelsPerInch(int) {}
    // The height of the form font's text, as the design environment records it.
    int TextHeight() const;
    void SetTextHeight(int) {}
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool v) { FOldCreateOrder = v; }
    int ClientWidthValue() const { return ClientWidth(); }
    int ClientHeightValue() const { return ClientHeight(); }
    void SetClientWidthValue(int v) { SetClientWidth(v); }
    void SetClientHeightValue(int v) { SetClientHeight(v); }

private:
    bool FOldCreateOrder = false;
};
