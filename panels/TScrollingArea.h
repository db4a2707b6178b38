// A one-line marquee: a strip filled with its colour whose caption travels from the right edge
// to the left on a timer, ScrollStep pixels a tick, and starts again beyond the right edge.
// Enabled starts and stops the movement; at design time the strip is outlined with dashes.
#pragma once

#include <cstdint>

#include "controls/TCustomControl.h"
#include "loop/TTimer.h"

namespace Qelpanel {

class TScrollingArea : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TScrollingArea(TComponent* owner);
    ~TScrollingArea() override;

    // Pixels the caption moves left per tick; read and written as it stands, without checks.
    std::int32_t ScrollStep() const { return FScrollStep; }
    void SetScrollStep(std::int32_t value) { FScrollStep = value; }
    // Whether the caption moves: the scroll timer's state. The control's own enabled flag
    // is never touched.
    bool GetEnabled() const override;
    void SetEnabled(bool value) override;
    // The scroll timer's period in milliseconds (its low 16 bits).
    std::uint16_t Interval() const { return GetInterval(); }
    std::uint16_t GetInterval() const;
    void SetInterval(std::uint16_t value);

    // The x position of the caption's right end in client coordinates, and the caption's
    // width in Font as last measured.
    std::int32_t TextOffset() const { return FTextOffset; }
    std::int32_t TextWidth() const { return FTextWidth; }

    // The scroll timer's handler: one step of the caption, painted at once.
    void ShiftText(TPersistent* sender);
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void CalcTextWidth();
    void WMSize(TMessage& message);

private:
    std::int32_t FTextOffset;
    std::int32_t FTextWidth = 0;
    std::int32_t FScrollStep;
    TTimer* FScrollTimer;
};

}  // namespace Qelpanel
