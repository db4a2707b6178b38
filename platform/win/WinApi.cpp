#include "win/WinApi.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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
    const std::string name = module ? module->FileName : std::string();
    const DWORD n = static_cast<DWORD>(std::min<std::size_t>(name.size(), size - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return n;
}

BOOL FreeLibrary(HMODULE module) {
    // Libraries are loaded and released by the framework's module list; a module that is not
    // a loaded library has nothing to release.
    return module ? TRUE : FALSE;
}
