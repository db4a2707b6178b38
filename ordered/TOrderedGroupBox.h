// A group box that carries an ordinal: a filled label square at its top left shows a number
// or a letter, and the caption follows to the right of the square.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/TGroupBox.h"
#include "ordered/Qelgroup.h"

namespace Qelgroup {

class TOrderedGroupBox : public TGroupBox {
    DECLARE_CLASSINFO()

public:
    explicit TOrderedGroupBox(TComponent* owner);
    ~TOrderedGroupBox() override;

    // The setters compare first and repaint at once (Refresh) only on a change.
    std::int32_t LabelOrder() const { return FLabelOrder; }
    void SetLabelOrder(std::int32_t value);
    // The owned font; changing it directly repaints nothing until the next paint.
    TFont* LabelFont() const { return FLabelFont.get(); }
    // Copies the font when it differs from the label font (LabelFontChanged); a null font is
    // ignored.
    void SetLabelFont(const TFont* value);
    TColor LabelColor() const { return FLabelColor; }
    void SetLabelColor(TColor value);
    TLabelType LabelType() const { return FLabelType; }
    void SetLabelType(TLabelType value);

    // The caption is drawn from a copy of at most this many characters.
    static constexpr std::size_t kMaxCaption = 255;

protected:
    void Paint() override;

private:
    std::int32_t FLabelOrder;
    std::unique_ptr<TFont> FLabelFont;
    TColor FLabelColor;
    TLabelType FLabelType;
};

}  // namespace Qelgroup
