// Loading the package library as a host does, with the user's locale under the test's control.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "modules/Modules.h"

// Sets the user's locale for one test, as "de_DE.UTF-8" names it (null: none), and puts it
// back afterwards. On Linux that is LANG, with LC_ALL and LC_MESSAGES unset; on Windows the
// thread's locale (none: the invariant one).
class TLocaleScope {
public:
    explicit TLocaleScope(const char* lang);
    ~TLocaleScope();

private:
    std::string FSaved[3];
    bool FWasSet[3] = {};
    unsigned long FThreadLocale = 0;
};

// The language resource module file for a module and a locale as "de_DE" or "de" names it:
// "<module>.de_DE" on Linux; on Windows the module's file with its extension replaced by the
// locale's abbreviated language name, "<stem>.DEU", or by the language alone, "<stem>.DE".
std::filesystem::path LanguageModuleFile(const std::filesystem::path& module,
                                         const std::string& locale);

// The module entry as a module exports it.
#ifdef _WIN32
using TModuleEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, void*);
#else
using TModuleEntry = BOOL (*)(HINSTANCE, DWORD, void*);
#endif

// A fresh folder under the build folder, removed with the object.
struct TTempDir {
    explicit TTempDir(const std::string& name);
    ~TTempDir();
    std::filesystem::path Path;
};

// The framework's record of a registered module, or null.
const TLibModule* FindLibModule(HINSTANCE instance);
// True while the library of that file is loaded in this process.
bool IsLoaded(const std::string& fileName);
