// The published properties the gradient and tile panels share.
#pragma once

#include <optional>
#include <vector>

#include "controls/TCustomPanel.h"

namespace Qelpanel {

// A bevelled panel's published properties in property order: the run from Align to OnResize
// that both panels publish alike, with the panel's BevelOuter default; a panel that publishes
// its colour (colorDefault given) also has Color, with that default, after Caption and
// ParentColor (default false) after Locked. The panel's own properties follow.
std::vector<TPropInfo> BevelPanelProps(TBevelCut bevelOuterDefault,
                                       std::optional<TColor> colorDefault,
                                       std::vector<TPropInfo> own);

}  // namespace Qelpanel
