// A list box with a check box in front of every item, checked exactly when the item is
// selected: any number of items can be selected, each on its own.
#pragma once

#include "controls/TCustomListBox.h"
#include "glyphlists/Qellist.h"

namespace Qellist {

class TQELCheckList : public TCustomListBox {
    DECLARE_CLASSINFO()

public:
    explicit TQELCheckList(TComponent* owner);

    TCheckStyle CheckBoxStyle() const { return FCheckBoxStyle; }
    void SetCheckBoxStyle(TCheckStyle value);

    void Dispatch(TMessage& message) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void WMSetFont(TMessage& message);

private:
    void DrawSunkenBox(TPoint origin, bool checked);
    void DrawFlatBox(TPoint origin, bool checked);

    TCheckStyle FCheckBoxStyle = chsNormal;
};

}  // namespace Qellist
