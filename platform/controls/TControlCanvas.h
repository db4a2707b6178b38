// The canvas of a windowed control. During a paint it draws on the paint pass's context;
// at any other time it makes a context on the control's client area when first asked.
#pragma once

#include <memory>

#include "graphics/TCanvas.h"

class TWinControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TWinControl& control);
    ~TControlCanvas() override;
    // Drops the context made on demand, so that the next drawing call makes a fresh one.
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TWinControl& FControl;
    HDC FContext = nullptr;
};
