#include "hosts/THeadlessHost.h"

#include "loop/TMessageLoop.h"

THeadlessHost::THeadlessHost(TWinControl* form) { Attach(form); }

THeadlessHost::~THeadlessHost() { Detach(); }

const TSurface& THeadlessHost::Render() {
    PaintPending();
    return Surface();
}

void THeadlessHost::Advance(TMilliseconds ms) { TMessageLoop::Current().Advance(ms); }
