// Shared libraries through kernel32: each export belongs to its own module, and a module knows
// its file.
#include "modules/SharedLibrary.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "win/WinApi.h"
// After the system's declarations, which it takes for granted.
#include <psapi.h>

namespace SharedLibrary {
namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message(text ? text : "", n);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

std::string Narrow(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), narrow.data(), n,
                        nullptr, nullptr);
    return narrow;
}

}  // namespace

THandle Open(const std::string& fileName, std::string& error) {
    HMODULE module = LoadLibraryA(fileName.c_str());
    if (!module) error = SystemMessage(GetLastError());
    return reinterpret_cast<THandle>(module);
}

void Close(THandle library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

void* OwnExport(THandle library, const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name))
                   : nullptr;
}

std::string FileOf(const void* address) {
    HMODULE module = nullptr;
    if (!address || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                            GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                        static_cast<LPCSTR>(address), &module))
        return {};
    char path[32768];
    const DWORD n = GetModuleFileNameA(module, path, sizeof path);
    return n < sizeof path ? std::string(path, n) : std::string{};
}

// A module loaded as data (a language resource module) is none of the loader's, which has no
// name for it: its file is the one its view maps, named by a device ("\Device\...\x.DEU"), which
// becomes the drive whose device it is.
std::string MappedFileName(const void* module) {
    // The handle of a module loaded as data is its view's address with a low bit set.
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

}  // namespace SharedLibrary
