// The one-line edit box of form files.
#pragma once

#include "controls/TCustomEdit.h"

class TEdit : public TCustomEdit {
    DECLARE_CLASSINFO()

public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
