// Shared libraries through kernel32: each export belongs to its own module, and a module knows
// its file.
#include "modules/SharedLibrary.h"

#include "win/WinApi.h"

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

}  // namespace SharedLibrary
