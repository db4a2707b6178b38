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

    // Made when first asked for: most controls of a large form are read and freed unpainted.
    TCanvas* Canvas() const;
    void PaintWindow(HDC dc) override;

protected:
    virtual void Paint();
    void DeviceChanged() override;

private:
    TControlCanvas& ControlCanvas() const;

    mutable std::unique_ptr<TControlCanvas> FCanvas;
};
