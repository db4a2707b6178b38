#include "package/PackageResources.h"

namespace Quillmereall {

// FIXME: the palette bitmaps, description, package records, icon and version information.
std::vector<TResourceEntry> PackageResources() {
    return {};
}

}  // namespace Quillmereall
