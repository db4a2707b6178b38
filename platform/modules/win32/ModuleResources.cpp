// A module's resources as kernel32 enumerates them: every type, name and language, each with
// its bytes in the loaded module.
#include "modules/Modules.h"
#include "modules/TModuleRecordImpl.h"

namespace {

std::string NameOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    return name;
}

BOOL CALLBACK AddLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    auto* record = reinterpret_cast<TModuleRecordImpl*>(param);
    HRSRC found = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return TRUE;
    record->Resources.push_back(TResourceEntry{
        static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(type)), NameOf(name), language,
        static_cast<const std::uint8_t*>(data), SizeofResource(module, found)});
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    EnumResourceLanguagesA(module, type, name, &AddLanguage, param);
    return TRUE;
}

// Types named by strings are no resource of the framework's; only numbered ones are listed.
BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR param) {
    if (IS_INTRESOURCE(type)) EnumResourceNamesA(module, type, &AddName, param);
    return TRUE;
}

}  // namespace

TModuleRecordImpl DescribeModule(HMODULE module) {
    TModuleRecordImpl description;
    if (!module) return description;
    description.FileName = ModuleFileName(module);
    EnumResourceTypesA(module, &AddType, reinterpret_cast<LONG_PTR>(&description));
    return description;
}
