#include "hosts/THeadlessHost.h"

THeadlessHost::THeadlessHost(TWinControl* form) { Attach(form); }

THeadlessHost::~THeadlessHost() { Detach(); }

const TSurface& THeadlessHost::Render() {
    PaintPending();
    return Surface();
}
