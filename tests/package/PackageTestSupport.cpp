#include "PackageTestSupport.h"

#ifdef _WIN32
#include <psapi.h>

#include <cctype>
#include <cwctype>
#else
#include <dlfcn.h>
#endif

#ifdef _WIN32

namespace {

// "de_DE.UTF-8" as the system names locales: "de-DE".
std::wstring LocaleName(const std::string& locale) {
    std::wstring name;
    for (char c : locale.substr(0, locale.find_first_of(".@")))
        name += c == '_' ? L'-' : static_cast<wchar_t>(c);
    return name;
}

std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

}  // namespace

TLocaleScope::TLocaleScope(const char* lang) : FThreadLocale(GetThreadLocale()) {
    const LCID locale = lang ? LocaleNameToLCID(LocaleName(lang).c_str(), 0) : LOCALE_INVARIANT;
    SetThreadLocale(locale ? locale : LOCALE_INVARIANT);
}

TLocaleScope::~TLocaleScope() {
    SetThreadLocale(FThreadLocale);
}

std::filesystem::path LanguageModuleFile(const std::filesystem::path& module,
                                         const std::string& locale) {
    std::string language;
    if (locale.find('_') == std::string::npos) {
        for (char c : locale)
            language += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    } else {
        char abbreviation[16] = {};
        GetLocaleInfoA(LocaleNameToLCID(LocaleName(locale).c_str(), 0), LOCALE_SABBREVLANGNAME,
                       abbreviation, sizeof abbreviation);
        language = abbreviation;
    }
    std::filesystem::path file = module;
    return file.replace_extension(language);
}

// A module loaded as an image is known to the loader; one loaded as data (a language module)
// is only a view of its file: both are looked for among the process's mapped views.
bool IsLoaded(const std::string& fileName) {
    const std::wstring wanted = FileNamePart(std::filesystem::path(fileName).wstring());
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_FREE || region.AllocationBase != region.BaseAddress) continue;
        if (region.Type != MEM_IMAGE && region.Type != MEM_MAPPED) continue;
        wchar_t mapped[MAX_PATH * 2] = {};
        if (GetMappedFileNameW(GetCurrentProcess(), region.BaseAddress, mapped, MAX_PATH * 2) &&
            FileNamePart(mapped) == wanted)
            return true;
    }
    return false;
}

#else

namespace {
const char* const kLocaleVariables[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
}

TLocaleScope::TLocaleScope(const char* lang) {
    for (int i = 0; i < 3; ++i) {
        if (const char* v = std::getenv(kLocaleVariables[i])) {
            FSaved[i] = v;
            FWasSet[i] = true;
        }
        unsetenv(kLocaleVariables[i]);
    }
    if (lang) setenv("LANG", lang, 1);
}

TLocaleScope::~TLocaleScope() {
    for (int i = 0; i < 3; ++i) {
        if (FWasSet[i]) {
            setenv(kLocaleVariables[i], FSaved[i].c_str(), 1);
        } else {
            unsetenv(kLocaleVariables[i]);
        }
    }
}

std::filesystem::path LanguageModuleFile(const std::filesystem::path& module,
                                         const std::string& locale) {
    return module.string() + "." + locale;
}
bool IsLoaded(const std::string& fileName) {
    void* h = dlopen(fileName.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!h) return false;
    dlclose(h);
    return true;
}

#endif

TTempDir::TTempDir(const std::string& name)
    : Path(std::filesystem::path(QM_BINARY_DIR) / ("package-test-" + name)) {
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
}

const TLibModule* FindLibModule(HINSTANCE instance) {
    for (const TLibModule* m = LibModuleList(); m; m = m->Next)
        if (m->Instance == instance) return m;
    return nullptr;
}
