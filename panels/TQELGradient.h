// A panel painted with a colour gradient: vertical bands, horizontal bands or concentric
// rings, under the panel's bevel frame and caption.
#pragma once

#include <cstdint>

#include "controls/TCustomPanel.h"

namespace Qelpanel {

enum TGradientType : std::uint8_t { gtConical, gtHorizontal, gtVertical };

const TTypeInfo* TypeInfoTGradientType();

class TQELGradient : public TCustomPanel {
    DECLARE_CLASSINFO()

public:
    explicit TQELGradient(TComponent* owner);
    ~TQELGradient() override;

    TColor ColorStart() const { return FColorStart; }
    void SetColorStart(TColor value);
    TColor ColorEnd() const { return FColorEnd; }
    void SetColorEnd(TColor value);
    TGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TGradientType value);
    // Smallest band width or ring step in pixels; values of 0 or less are ignored.
    std::int32_t MinIncrement() const { return FMinIncrement; }
    void SetMinIncrement(std::int32_t value);

protected:
    void Paint() override;

private:
    void PaintBands(int largestDifference);
    void PaintRings(int largestDifference);

    TColor FColorStart;
    TColor FColorEnd;
    TGradientType FGradientType;
    std::int32_t FMinIncrement;
};

// The colour whose channels are each Round(from + (to - from) * f), halves to even, taken
// from the low three bytes of both colours.
TColor InterpolateColor(TColor from, TColor to, double f);
// The largest of the three channel differences of two colours (0..255).
int LargestChannelDifference(TColor a, TColor b);

}  // namespace Qelpanel
