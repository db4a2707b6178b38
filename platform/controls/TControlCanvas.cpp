#include "controls/TControlCanvas.h"

#include "controls/TWinControl.h"

TControlCanvas::TControlCanvas(TWinControl& control) : FControl(control) {}

TControlCanvas::~TControlCanvas() {
    FreeContext();
}

void TControlCanvas::CreateHandle() {
    FContext = FControl.CreateClientContext();
    SetHandle(FContext);
}

void TControlCanvas::FreeContext() {
    if (!FContext) return;
    if (CurrentHandle() == FContext) SetHandle(nullptr);
    FControl.ReleaseClientContext(FContext);
    FContext = nullptr;
}
