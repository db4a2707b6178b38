// The check box: a box that a click, or the space bar, checks and unchecks, with its caption
// to the right. With AllowGrayed a click goes through a third, grayed state.
#pragma once

#include <cstdint>

#include "controls/TCustomControl.h"

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
const TTypeInfo* TypeInfoTCheckBoxState();

class TCheckBox : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }

    // Moves to the next state and runs OnClick.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};
