#include "classes/ComponentPalette.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "classes/TClassRegistry.h"
#include "modules/Modules.h"

TRegisterComponentsProc RegisterComponentsProc = nullptr;

namespace ComponentPalette {
namespace {

// These live on until the process ends, never destroyed: a module linked into the program
// ends after the program's own objects are gone and still needs them.

std::mutex& Mutex() {
    static std::mutex& m = *new std::mutex;
    return m;
}
using TPages = std::vector<std::pair<std::string, std::vector<const TClassInfo*>>>;
TPages& PageList() {
    static TPages& pages = *new TPages;
    return pages;
}

// A module's classes leave the palette before its code does.
void ModuleUnload(HINSTANCE module) {
    const std::string file = ModuleFileName(module);
    if (file.empty()) return;
    std::lock_guard lock(Mutex());
    for (auto& [name, classes] : PageList())
        std::erase_if(classes, [&](const TClassInfo* c) { return ModuleFileOf(c) == file; });
    std::erase_if(PageList(), [](const auto& page) { return page.second.empty(); });
}

void Add(const std::string& page, const TClassInfo& cls) {
    static const bool hooked = (AddModuleUnloadProc(&ModuleUnload), true);
    (void)hooked;
    std::lock_guard lock(Mutex());
    auto& pages = PageList();
    for (const auto& p : pages)
        if (std::find(p.second.begin(), p.second.end(), &cls) != p.second.end()) return;
    auto it = std::find_if(pages.begin(), pages.end(),
                           [&](const auto& p) { return SameText(p.first, page); });
    if (it == pages.end()) it = pages.insert(pages.end(), {page, {}});
    it->second.push_back(&cls);
}

}  // namespace

std::vector<std::string> Pages() {
    std::lock_guard lock(Mutex());
    std::vector<std::string> names;
    for (const auto& p : PageList()) names.push_back(p.first);
    return names;
}

std::vector<const TClassInfo*> Page(const std::string& name) {
    std::lock_guard lock(Mutex());
    for (const auto& p : PageList())
        if (SameText(p.first, name)) return p.second;
    return {};
}

void Remove(const TClassInfo& cls) {
    std::lock_guard lock(Mutex());
    for (auto& p : PageList()) std::erase(p.second, &cls);
    std::erase_if(PageList(), [](const auto& page) { return page.second.empty(); });
}

void Clear() {
    std::lock_guard lock(Mutex());
    PageList().clear();
}

}  // namespace ComponentPalette

void RegisterComponents(const std::string& page, const TClassInfo* const classes[], int lastIndex) {
    if (!classes || lastIndex < 0) return;
    for (int i = 0; i <= lastIndex; ++i)
        if (classes[i]) TClassRegistry::RegisterClass(*classes[i]);
    if (RegisterComponentsProc) {
        RegisterComponentsProc(page, classes, lastIndex);
        return;
    }
    for (int i = 0; i <= lastIndex; ++i)
        if (classes[i]) ComponentPalette::Add(page, *classes[i]);
}
