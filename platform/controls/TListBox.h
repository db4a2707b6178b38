// The list box of form files: the framework's list box with its published properties.
#pragma once

#include "controls/TCustomListBox.h"

class TListBox : public TCustomListBox {
    DECLARE_CLASSINFO()

public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
