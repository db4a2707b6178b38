#include "controls/TSizeConstraints.h"

#include <algorithm>

#include "classes/TypInfo.h"

void TSizeConstraints::Set(int& field, int v) {
    v = std::max(v, 0);
    if (field == v) return;
    field = v;
    if (OnChange) OnChange();
}

void TSizeConstraints::Assign(const TPersistent* source) {
    if (auto* c = dynamic_cast<const TSizeConstraints*>(source)) {
        FMaxHeight = c->FMaxHeight;
        FMaxWidth = c->FMaxWidth;
        FMinHeight = c->FMinHeight;
        FMinWidth = c->FMinWidth;
        if (OnChange) OnChange();
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (FMinWidth > 0) width = std::max(width, FMinWidth);
    if (FMaxWidth > 0) width = std::min(width, FMaxWidth);
    if (FMinHeight > 0) height = std::max(height, FMinHeight);
    if (FMaxHeight > 0) height = std::min(height, FMaxHeight);
}

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    using namespace PropBuild;
    using C = TSizeConstraints;
    static const TClassInfo info{
        "TSizeConstraints",
        &TPersistent::StaticClassInfo(),
        "Controls",
        {
            Ord("MaxHeight", TypeInfoInteger(), &C::MaxHeight, &C::SetMaxHeight, 0),
            Ord("MaxWidth", TypeInfoInteger(), &C::MaxWidth, &C::SetMaxWidth, 0),
            Ord("MinHeight", TypeInfoInteger(), &C::MinHeight, &C::SetMinHeight, 0),
            Ord("MinWidth", TypeInfoInteger(), &C::MinWidth, &C::SetMinWidth, 0),
        },
        nullptr};
    return info;
}
