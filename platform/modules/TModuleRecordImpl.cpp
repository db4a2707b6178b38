#include "modules/TModuleRecordImpl.h"

#include "core/AnsiText.h"

const TResourceEntry* TModuleRecordImpl::Find(std::uint16_t type, const std::string& name,
                                              std::uint16_t language) const {
    const TResourceEntry* neutral = nullptr;
    const TResourceEntry* any = nullptr;
    for (const auto& r : Resources) {
        if (r.Type != type || !SameText(r.Name, name)) continue;
        if (r.Language == language) return &r;
        if (r.Language == kLangNeutral && !neutral) neutral = &r;
        if (!any) any = &r;
    }
    return neutral ? neutral : any;
}
