#include "PackageResourcesSupport.h"

#include <gtest/gtest.h>

#include "package/PackageResources.h"

const TModuleRecordImpl& PackageResourceModule() {
    static const TModuleRecordImpl module{"QuillmereAll.bpl", Quillmereall::PackageResources()};
    return module;
}

const TResourceEntry& PackageResource(std::uint16_t type, const std::string& name) {
    if (const TResourceEntry* r = PackageResourceModule().Find(type, name)) return *r;
    ADD_FAILURE() << "no resource " << name << " of type " << type;
    static const std::uint8_t nothing[64] = {};
    static const TResourceEntry empty{type, name, 0, nothing, 0};
    return empty;
}

std::vector<std::uint8_t> Bytes(const TResourceEntry& r) {
    return std::vector<std::uint8_t>(r.Data, r.Data + r.Size);
}

std::uint32_t Field32(const TResourceEntry& r, std::size_t at) {
    if (at + 4 > r.Size) {
        ADD_FAILURE() << "field at " << at << " lies beyond the " << r.Size << " bytes of "
                      << r.Name;
        return 0;
    }
    return static_cast<std::uint32_t>(r.Data[at]) |
           (static_cast<std::uint32_t>(r.Data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(r.Data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(r.Data[at + 3]) << 24);
}

std::uint16_t Field16(const TResourceEntry& r, std::size_t at) {
    if (at + 2 > r.Size) {
        ADD_FAILURE() << "field at " << at << " lies beyond the " << r.Size << " bytes of "
                      << r.Name;
        return 0;
    }
    return static_cast<std::uint16_t>(r.Data[at] | (r.Data[at + 1] << 8));
}
