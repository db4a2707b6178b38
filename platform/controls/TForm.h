// The top-level container of a form file: a window with a caption bar whose client area is
// what a host shows.
#pragma once

#include "controls/TDesignerHook.h"
#include "controls/TWinControl.h"

class TForm : public TWinControl {
public:
    static const TClassInfo& StaticClassInfo();
    // The form's class: TForm, or the user's form class it was read as.
    const TClassInfo* ClassInfo() const override;

    explicit TForm(TComponent* owner);

    // A form file names the user's own form class (TForm1), which no program registers; the
    // form is read as a TForm of that class name, which derives from TForm and publishes
    // nothing of its own, so that the form is written back under its name.
    void SetFormClassName(const std::string& className);

    // The classic frame of a sizeable window: 4-pixel borders and a 19-pixel caption bar.
    TRect NonClientInsets() const override { return TRect{4, 23, 4, 4}; }

    int PixelsPerInch() const { return kPixelsPerInch; }
    void SetPixelsPerInch(int) {}
    // The height of the form font's text, as the design environment records it.
    int TextHeight() const;
    void SetTextHeight(int) {}
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool v) { FOldCreateOrder = v; }
    // With KeyPreview the form sees every key before the focused control does, and a key it
    // sets to 0 goes no further.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }

    // The design environment editing the form, or null. While the form is being designed it
    // paints the grid and takes the input meant for the form's controls.
    TDesignerHook* Designer() const { return FDesigner; }
    void SetDesigner(TDesignerHook* designer) { FDesigner = designer; }
    void PaintWindow(HDC dc) override;
    void Dispatch(TMessage& message) override;

    int ClientWidthValue() const { return ClientWidth(); }
    int ClientHeightValue() const { return ClientHeight(); }
    void SetClientWidthValue(int v) { SetClientWidth(v); }
    void SetClientHeightValue(int v) { SetClientHeight(v); }

private:
    const TClassInfo* FClassInfo = nullptr;
    bool FOldCreateOrder = false;
    bool FKeyPreview = false;
    TDesignerHook* FDesigner = nullptr;
};

// The form a control sits on: the top of its parent chain when that is a form, else null.
TForm* GetParentForm(TControl* control);
