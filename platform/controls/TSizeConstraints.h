// A control's size limits; 0 means no limit.
#pragma once

#include <functional>

#include "classes/TPersistent.h"

class TSizeConstraints : public TPersistent {
    DECLARE_CLASSINFO()

public:
    int MaxHeight() const { return FMaxHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MinHeight() const { return FMinHeight; }
    int MinWidth() const { return FMinWidth; }
    void SetMaxHeight(int v) { Set(FMaxHeight, v); }
    void SetMaxWidth(int v) { Set(FMaxWidth, v); }
    void SetMinHeight(int v) { Set(FMinHeight, v); }
    void SetMinWidth(int v) { Set(FMinWidth, v); }
    void Assign(const TPersistent* source) override;

    // Limits a size to the constraints.
    void Apply(int& width, int& height) const;

    std::function<void()> OnChange;

private:
    void Set(int& field, int v);
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};
