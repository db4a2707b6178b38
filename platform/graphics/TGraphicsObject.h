// Base of brushes, pens and fonts: a value object that tells its owner when it changes.
#pragma once

#include <functional>

#include "classes/TPersistent.h"

class TGraphicsObject : public TPersistent {
public:
    // Runs after every change; the owner of the object listens here.
    std::function<void(TGraphicsObject*)> OnChange;

protected:
    virtual void Changed() {
        if (OnChange) OnChange(this);
    }
};
