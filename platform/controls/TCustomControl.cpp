#include "controls/TCustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const {
    return &ControlCanvas();
}

TControlCanvas& TCustomControl::ControlCanvas() const {
    if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(const_cast<TCustomControl&>(*this));
    return *FCanvas;
}

void TCustomControl::PaintWindow(HDC dc) {
    TControlCanvas& canvas = ControlCanvas();
    canvas.FreeContext();
    canvas.SetHandle(dc);
    Paint();
    canvas.SetHandle(nullptr);
}

void TCustomControl::Paint() {}

void TCustomControl::DeviceChanged() {
    if (FCanvas) FCanvas->FreeContext();
}

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), "Controls", {},
                                 nullptr};
    return info;
}
