// Language resource modules as the Linux build finds them: shared libraries with a resource
// table, named after the module's file and the user's locale.
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "core/AnsiText.h"
#include "modules/Modules.h"
#include "modules/TModuleRecordImpl.h"

std::vector<std::string> ResourceModuleNames(const std::string& moduleFileName,
                                             const std::string& locale) {
    if (moduleFileName.empty()) return {};
    // "de_DE.UTF-8@euro": the encoding and the modifier say nothing of the language.
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return {};
    // The locale becomes part of a file name: nothing that could lead elsewhere.
    const bool plain = std::all_of(name.begin(), name.end(),
                                   [](char c) { return AnsiText::IsNameChar(c) || c == '-'; });
    if (!plain) return {};
    std::vector<std::string> names{moduleFileName + "." + name};
    const std::string language = name.substr(0, name.find_first_of("_-"));
    if (language != name && !language.empty()) names.push_back(moduleFileName + "." + language);
    return names;
}

std::string UserLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

HMODULE LoadResourceModule(const char* moduleFileName) {
    if (!moduleFileName) return nullptr;
    for (const std::string& name : ResourceModuleNames(moduleFileName, UserLocale())) {
        if (access(name.c_str(), R_OK) != 0) continue;
        HMODULE module = LoadLibraryA(name.c_str());
        if (!module) continue;
        if (dlsym(module->Library, kResourceTableSymbol)) return module;
        // A library, but not one that carries resources.
        FreeLibrary(module);
    }
    return nullptr;
}
