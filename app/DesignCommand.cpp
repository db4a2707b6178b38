#include <dlfcn.h>

#include <iostream>
#include <optional>

#include "app/Commands.h"
#include "app/TLoadedPackage.h"
#include "designer/DesignScript.h"
#include "designer/DesignerWindow.h"
#include "designer/TDesigner.h"
#include "designer/TRecovery.h"
#include "streaming/FormFiles.h"

namespace Commands {
namespace {

int Fail(const std::string& message) {
    std::cerr << "quillmere design: " << message << "\n";
    return 1;
}

int RunScript(const TDesignOptions& options) {
    std::string script;
    try {
        const std::vector<std::uint8_t> bytes = FormFiles::ReadFile(options.Script);
        script.assign(bytes.begin(), bytes.end());
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    TDesigner designer;
    try {
        if (!options.Form.empty()) designer.Open(options.Form);
        if (options.Recover) {
            designer.EnableRecovery(options.RecoveryDir.empty() ? TRecovery::DefaultDirectory()
                                                                : options.RecoveryDir);
            designer.Recover();
        }
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    try {
        DesignScript::Run(designer, script);
    } catch (const DesignScript::EScriptError& e) {
        return Fail(options.Script + ":" + std::to_string(e.Line()) + ": " + e.Message());
    }
    if (options.Output.empty()) return 0;
    try {
        designer.SaveAs(options.Output, options.Binary
                                            ? std::optional(FormFiles::TFormFormat::Binary)
                                            : std::nullopt);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    std::cout << "Saved " << designer.Form()->Name() << " to " << options.Output << "\n";
    return 0;
}

int OpenWindow(const TDesignOptions& options, const TLoadedPackage& package) {
    // Only the window needs SDL2; its library is loaded now and stays until the program ends.
    const std::string path = DesignerWindowLibraryPath();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return Fail(std::string("cannot load the designer's window: ") + dlerror());
    auto main = reinterpret_cast<TDesignerWindowMain>(dlsym(library, kDesignerWindowMain));
    if (!main) return Fail(path + " is not the designer's window library");
    TDesignerWindowOptions window;
    window.FormFile = options.Form;
    window.Package = package.Module();
    window.PackageFile = package.FileName();
    window.Scale = options.Window.Scale;
    window.Screenshot = options.Window.Screenshot;
    window.AfterMs = options.Window.AfterMs;
    window.RecoveryDir =
        options.RecoveryDir.empty() ? TRecovery::DefaultDirectory() : options.RecoveryDir;
    window.Recover = options.Recover;
    return main(window);
}

}  // namespace

int Design(const TDesignOptions& options) {
    std::optional<TLoadedPackage> package;
    if (options.Package.empty()) {
        if (!TLoadedPackage::LoadDefault(package, "design")) return 1;
    } else {
        try {
            package.emplace(options.Package);
        } catch (const std::exception& e) {
            return Fail(e.what());
        }
    }
    if (!options.Script.empty()) return RunScript(options);
    package->RegisterUnits();
    return OpenWindow(options, *package);
}

}  // namespace Commands
