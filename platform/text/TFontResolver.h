// Finds the font file for a family name and style. The classic Windows families resolve to
// the metric-compatible Liberation faces; anything else goes through fontconfig.
#pragma once

#include <string>

struct TResolvedFace {
    std::string FilePath;
    int FaceIndex = 0;
    std::string Family;
};

namespace TFontResolver {

// The face file for a family, bold and italic as asked. A family that is not installed is
// drawn with Liberation Mono when a fixed pitch is asked for and with Liberation Sans
// otherwise, as GDI's font mapper picks its default faces. Never fails while any font is
// installed; the returned path is empty only when there is no font at all.
TResolvedFace Resolve(const std::string& name, bool bold, bool italic, bool fixedPitch = false);

}  // namespace TFontResolver
