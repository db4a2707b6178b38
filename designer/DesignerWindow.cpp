#include "designer/DesignerWindow.h"

#include <dlfcn.h>

#include <filesystem>

std::string DesignerWindowLibraryPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&DesignerWindowLibraryPath), &info) || !info.dli_fname)
        return "libQmDesignerWindow.so";
    return (std::filesystem::path(info.dli_fname).parent_path() / "libQmDesignerWindow.so")
        .string();
}
