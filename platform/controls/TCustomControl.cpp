#include "controls/TCustomControl.h"

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(*this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas->FreeContext();
    FCanvas->SetHandle(dc);
    Paint();
    FCanvas->SetHandle(nullptr);
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
