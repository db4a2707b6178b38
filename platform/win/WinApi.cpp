#include "win/WinApi.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "core/SysColors.h"
#include "gdi/Gdi.h"
#include "gdi/TBitmapImage.h"
#include "graphics/BmpCodec.h"
#include "win/TModuleRecordImpl.h"

const TResourceEntry* TModuleRecordImpl::Find(std::uint16_t type, const std::string& name,
                                              std::uint16_t language) const {
    auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::toupper(static_cast<unsigned char>(x)) ==
                          std::toupper(static_cast<unsigned char>(y));
               });
    };
    const TResourceEntry* neutral = nullptr;
    const TResourceEntry* any = nullptr;
    for (const auto& r : Resources) {
        if (r.Type != type || !same(r.Name, name)) continue;
        if (r.Language == language) return &r;
        if (r.Language == kLangNeutral && !neutral) neutral = &r;
        if (!any) any = &r;
    }
    return neutral ? neutral : any;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->Left += dx;
    rect->Right += dx;
    rect->Top += dy;
    rect->Bottom += dy;
    return TRUE;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = TRect{left, top, right, bottom};
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!dc || !rect) return FALSE;
    Gdi::DrawFocusRect(*dc, *rect);
    return TRUE;
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) return 0;
    return CurrentSysColorScheme()[static_cast<std::size_t>(index)];
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    if (!instance || !name) return nullptr;
    const TResourceEntry* r = instance->Find(RT_BITMAP, name, kLangEnglishUS);
    if (!r) return nullptr;
    try {
        return new TBitmapImage(BmpCodec::DecodeDib(r->Data, r->Size));
    } catch (const EInvalidGraphic&) {
        return nullptr;
    }
}

BOOL DeleteObject(HBITMAP bitmap) {
    delete bitmap;
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::string name;
    if (module) {
        name = module->FileName;
    } else {
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self);
        if (n > 0) name.assign(self, static_cast<std::size_t>(n));
    }
    const bool cut = name.size() >= size;
    const DWORD n = cut ? size - 1 : static_cast<DWORD>(name.size());
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return cut ? size : n;
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    if (!fileName || !*fileName) return nullptr;
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto module = std::make_unique<TModuleRecordImpl>();
    module->FileName = fileName;
    module->Library = library;
    if (auto table = reinterpret_cast<TResourceTableProc>(dlsym(library, kResourceTableSymbol))) {
        std::size_t count = 0;
        const TResourceRecord* records = table(&count);
        for (std::size_t i = 0; records && i < count; ++i) {
            const TResourceRecord& r = records[i];
            if (!r.Name || (!r.Data && r.Size != 0)) continue;
            std::string name = r.Name;
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            module->Resources.push_back({r.Type, std::move(name), r.Language, r.Data, r.Size});
        }
    }
    return module.release();
}

BOOL FreeLibrary(HMODULE module) {
    if (!module) return FALSE;
    // A module record that no library owns (a package's own, compiled into it) stays.
    if (!module->Library) return TRUE;
    void* library = module->Library;
    delete module;
    return dlclose(library) == 0 ? TRUE : FALSE;
}
