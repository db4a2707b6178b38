// A line (or with WordWrap, lines) of text on its parent's colour: what names the controls of
// a dialog. With AutoSize the label is as wide and as high as its caption.
#pragma once

#include <cstdint>

#include "controls/TCustomControl.h"

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
const TTypeInfo* TypeInfoTTextLayout();

class TLabel : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);

    void Dispatch(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;

private:
    UINT TextFormat() const;
    // Sizes the label to its caption when AutoSize is set: the width of the text (with
    // WordWrap, the height of the text at the present width).
    void AdjustBounds();

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
};
