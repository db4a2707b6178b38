// A host that paints a form into memory: what the render command and the tests draw with.
// Its timers run on the virtual clock of the thread's message loop, moved on by Advance.
#pragma once

#include "controls/TWindowHost.h"
#include "loop/TClock.h"

class THeadlessHost : public TWindowHost {
public:
    // Shows the form on this host; its windows are created and the whole surface is due.
    explicit THeadlessHost(TWinControl* form);
    ~THeadlessHost() override;

    // Paints what is due and returns the surface.
    const TSurface& Render();

    // Lets ms of virtual time pass on this thread's message loop: every timer tick due on the
    // way is delivered, in time order. Controls that paint on a tick draw at once; what they
    // invalidate is painted by the next Render.
    void Advance(TMilliseconds ms);
};
