// A list box with a radio button in front of every item: at most one item is selected, and
// its button is the chosen one. The item text is written by the framework's item drawing.
#pragma once

#include <memory>

#include "controls/TCustomListBox.h"
#include "glyphlists/Qellist.h"
#include "graphics/TBitmap.h"

namespace Qellist {

class TQELRadioList : public TCustomListBox {
    DECLARE_CLASSINFO()

public:
    explicit TQELRadioList(TComponent* owner);
    ~TQELRadioList() override;

    TCheckStyle CheckBoxStyle() const { return FCheckBoxStyle; }
    void SetCheckBoxStyle(TCheckStyle value);

    void Dispatch(TMessage& message) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void WMSetFont(TMessage& message);

private:
    TCheckStyle FCheckBoxStyle = chsNormal;
    // The 13 x 13 buttons of the three-dimensional style, loaded from the package module.
    std::unique_ptr<TBitmap> FRadioOn;
    std::unique_ptr<TBitmap> FRadioOff;
};

}  // namespace Qellist
