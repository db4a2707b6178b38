// A host that paints a form into memory: what the render command and the tests draw with.
#pragma once

#include "controls/TWindowHost.h"

class THeadlessHost : public TWindowHost {
public:
    // Shows the form on this host; its windows are created and the whole surface is due.
    explicit THeadlessHost(TWinControl* form);
    ~THeadlessHost() override;

    // Paints what is due and returns the surface.
    const TSurface& Render();
};
