#include "PackageTestSupport.h"

#include <dlfcn.h>

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

bool IsLoaded(const std::string& fileName) {
    void* h = dlopen(fileName.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!h) return false;
    dlclose(h);
    return true;
}
