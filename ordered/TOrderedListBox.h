// A list box that numbers its items: in front of every item a filled label square, as wide as
// the item height, holds the item's position counted from 1 as a number or a letter; the item
// itself is drawn by the framework's list box to the right of it.
#pragma once

#include <memory>

#include "controls/TListBox.h"
#include "ordered/Qelgroup.h"

namespace Qelgroup {

class TOrderedListBox : public TListBox {
    DECLARE_CLASSINFO()

public:
    explicit TOrderedListBox(TComponent* owner);
    ~TOrderedListBox() override;

    // The setters never compare: each call stores and repaints at once (Refresh).
    TColor LabelColor() const { return FLabelColor; }
    void SetLabelColor(TColor value);
    // The owned font; its size plays no part, the label text is as high as the item allows.
    TFont* LabelFont() const { return FLabelFont.get(); }
    // Copies the font, also one equal to the label font; a null font is ignored.
    void SetLabelFont(const TFont* value);
    TLabelType LabelType() const { return FLabelType; }
    void SetLabelType(TLabelType value);

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;

private:
    TColor FLabelColor;
    std::unique_ptr<TFont> FLabelFont;
    TLabelType FLabelType;
};

}  // namespace Qelgroup
