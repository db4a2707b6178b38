// The panel of form files: the framework's panel with its published properties, a container
// for other controls.
#pragma once

#include "controls/TCustomPanel.h"

class TPanel : public TCustomPanel {
    DECLARE_CLASSINFO()

public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
