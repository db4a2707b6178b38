// Language resource modules as Windows finds them: resource-only libraries beside the module,
// the module's file name with its extension replaced by the user's language ("DEU", then
// "DE"), loaded as data files.
#include <algorithm>
#include <cctype>

#include "modules/Modules.h"

std::vector<std::string> ResourceModuleNames(const std::string& moduleFileName,
                                             const std::string& locale) {
    if (moduleFileName.empty() || locale.empty()) return {};
    // The language becomes part of a file name: nothing that could lead elsewhere.
    const bool plain = std::all_of(locale.begin(), locale.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) != 0;
    });
    if (!plain) return {};
    const std::size_t slash = moduleFileName.find_last_of("\\/");
    const std::size_t dot = moduleFileName.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? moduleFileName.substr(0, dot)
                                 : moduleFileName;
    std::vector<std::string> names{stem + "." + locale};
    if (locale.size() > 2) names.push_back(stem + "." + locale.substr(0, 2));
    return names;
}

std::string UserLocale() {
    char language[16] = {};
    const int n =
        GetLocaleInfoA(GetThreadLocale(), LOCALE_SABBREVLANGNAME, language, sizeof language);
    return n > 1 ? std::string(language, static_cast<std::size_t>(n - 1)) : std::string{};
}

HMODULE LoadResourceModule(const char* moduleFileName) {
    if (!moduleFileName) return nullptr;
    for (const std::string& name : ResourceModuleNames(moduleFileName, UserLocale()))
        if (HMODULE module = LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
            return module;
    return nullptr;
}
