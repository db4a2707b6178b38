// Language resource modules as Windows finds them: resource-only libraries beside the module,
// the module's file name with its extension replaced by the user's language ("DEU", then
// "DE"), loaded as data files.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cwchar>

#include "modules/Modules.h"
// After the system's declarations, which it takes for granted.
#include <psapi.h>

namespace {

std::string Narrow(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), narrow.data(), n,
                        nullptr, nullptr);
    return narrow;
}

// A module loaded as data (a language resource module) is none of the loader's, which has no
// name for it: its file is the one its view maps, named by a device ("\Device\...\x.DEU"), which
// becomes the drive whose device it is.
std::string MappedFileName(HMODULE module) {
    void* base = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(module) &
                                         ~static_cast<std::uintptr_t>(3));
    wchar_t mapped[32768];
    const DWORD n = GetMappedFileNameW(GetCurrentProcess(), base, mapped, 32768);
    if (n == 0) return {};
    const std::wstring path(mapped, n);
    wchar_t drives[4 * 26 + 1] = {};
    GetLogicalDriveStringsW(4 * 26, drives);
    for (const wchar_t* drive = drives; *drive; drive += std::wcslen(drive) + 1) {
        const std::wstring letter(drive, 2);  // "C:"
        wchar_t device[MAX_PATH] = {};
        if (!QueryDosDeviceW(letter.c_str(), device, MAX_PATH)) continue;
        const std::wstring prefix = std::wstring(device) + L"\\";
        if (path.compare(0, prefix.size(), prefix) == 0)
            return Narrow(letter + L"\\" + path.substr(prefix.size()));
    }
    return Narrow(path);
}

}  // namespace

std::string ModuleFileName(HMODULE module) {
    if (!module) return {};
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) return MappedFileName(module);
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

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
