// Loading the package library as a host does, with the user's locale under the test's control.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "modules/Modules.h"

// Sets LANG for one test, with LC_ALL and LC_MESSAGES unset; puts them back afterwards.
class TLocaleScope {
public:
    explicit TLocaleScope(const char* lang);
    ~TLocaleScope();

private:
    std::string FSaved[3];
    bool FWasSet[3] = {};
};

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
