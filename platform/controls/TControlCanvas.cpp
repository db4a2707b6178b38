#include "controls/TControlCanvas.h"

#include "controls/TWinControl.h"

TControlCanvas::TControlCanvas(TWinControl& control) : FControl(control) {}

TControlCanvas::~TControlCanvas() = default;

void TControlCanvas::CreateHandle() {
    FContext = FControl.CreateClientContext();
    SetHandle(FContext.get());
}

void TControlCanvas::FreeContext() {
    if (FContext && CurrentHandle() == FContext.get()) SetHandle(nullptr);
    FContext.reset();
}
