// A windowed control that paints itself on its canvas.
#pragma once

#include <memory>

#include "controls/TControlCanvas.h"
#include "controls/TWinControl.h"

class TCustomControl : public TWinControl {
    DECLARE_CLASSINFO()

public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void PaintWindow(HDC dc) override;

protected:
    virtual void Paint();
    void DeviceChanged() override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
