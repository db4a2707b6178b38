// The module's loading on Linux: the library's own resources form its module record, and the
// library's load and unload call the module entry, as Windows' loader calls a library's entry
// point.
#include "modules/Modules.h"
#include "package/GlyphResources.h"
#include "package/PackageResources.h"
#include "package/Quillmereall.h"

namespace {

// What the operating system knows of this library: its file and its resources.
TModuleRecordImpl& ModuleImage() {
    static TModuleRecordImpl image = [] {
        TModuleRecordImpl m;
        m.Resources = Quillmereall::GlyphResources();
        for (TResourceEntry& r : Quillmereall::PackageResources()) m.Resources.push_back(r);
        return m;
    }();
    return image;
}

// The loader's part: the library's load and unload call the module entry with its own image.
struct TLoader {
    TLoader() {
        ModuleImage().FileName = ModuleFileOf(&ModuleImage());
        Quillmereall::ModuleEntry(&ModuleImage(), DLL_PROCESS_ATTACH, nullptr);
    }
    ~TLoader() { Quillmereall::ModuleEntry(&ModuleImage(), DLL_PROCESS_DETACH, nullptr); }
} gLoader;

}  // namespace
