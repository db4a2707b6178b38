// A tab set whose tabs carry ordinals: each tab shows a filled label rectangle holding the
// tab's position as a number or a letter, followed by its caption, aligned to the bottom, the
// middle or the top of the tab. The tab height follows the label font.
#pragma once

#include <cstdint>
#include <memory>

#include "ordered/Qelgroup.h"
#include "vclx/TTabSet.h"

namespace Qelgroup {

// Where a caption sits in its tab. Scoped, so that taCenter (1) stays apart from the
// framework's TAlignment taCenter (2).
enum class TTabAlign : std::uint8_t { taBottom, taCenter, taTop };

const TTypeInfo* TypeInfoTTabAlign();

class TOrderedTabSet : public TTabSet {
    DECLARE_CLASSINFO()

public:
    explicit TOrderedTabSet(TComponent* owner);
    ~TOrderedTabSet() override;

    // The setters compare first; all repaint later (Invalidate) but LabelType, which repaints
    // at once (Refresh).
    TColor LabelColor() const { return FLabelColor; }
    void SetLabelColor(TColor value);
    // The owned font; changing it directly neither repaints nor recomputes the tab height.
    TFont* LabelFont() const { return FLabelFont.get(); }
    // Copies the font when it differs from the label font (LabelFontChanged), then makes the
    // tabs as high as the label font needs; a null font is ignored.
    void SetLabelFont(const TFont* value);
    TTabAlign TabAlign() const { return FTabAlign; }
    void SetTabAlign(TTabAlign value);
    TLabelType LabelType() const { return FLabelType; }
    void SetLabelType(TLabelType value);

    // The framework's TabHeight setter, taking the height.
    using TTabSet::SetTabHeight;
    // Makes TabHeight the height of the first tab's caption in the label font plus 6, and
    // grows or shrinks the control by the same amount. With no tabs it measures an empty
    // caption, which has the label font's height as any caption does.
    void SetTabHeight();

    void Loaded() override;

    // Where DrawTab puts the label and the caption inside a tab rectangle.
    static TRect LabelRect(const TRect& tab);
    static TRect CaptionRect(const TRect& tab);

protected:
    // The inherited width plus TabHeight + 6: room for the label and three-pixel margins.
    void MeasureTab(int index, int& tabWidth) override;
    void DrawTab(TCanvas* tabCanvas, const TRect& r, int index, bool selected) override;

private:
    TColor FLabelColor;
    std::unique_ptr<TFont> FLabelFont;
    TTabAlign FTabAlign;
    TLabelType FLabelType = ltNumeric;
};

}  // namespace Qelgroup
