#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include "app/Commands.h"
#include "app/ResourceFiles.h"
#include "app/TLoadedPackage.h"
#include "classes/ComponentPalette.h"
#include "core/AnsiText.h"
#include "graphics/BmpCodec.h"
#include "io/PngWriter.h"
#include "modules/PackageInfo.h"
#include "modules/TModuleRecordImpl.h"
#include "modules/VersionInfo.h"

namespace Commands {
namespace {

namespace fs = std::filesystem;

// "1.5.0.0".
std::string VersionText(const std::array<std::uint16_t, 4>& version) {
    return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." +
           std::to_string(version[2]) + "." + std::to_string(version[3]);
}

template <class T, class F>
std::optional<T> Decode(const TModuleRecordImpl& module, std::uint16_t type, const char* name,
                        F decode, std::string& note) {
    const TResourceEntry* r = module.Find(type, name, kLangEnglishUS);
    if (!r) {
        note = "(none: the package has no " + ResourceFiles::TypeName(type) + " " + name +
               " resource)";
        return std::nullopt;
    }
    try {
        return decode(r->Data, r->Size);
    } catch (const std::exception& e) {
        note = "(unreadable " + std::string(name) + " resource: " + ErrorText(e) + ")";
        return std::nullopt;
    }
}

void PrintPackage(const TLoadedPackage& package,
                  const std::optional<ResourceRecords::TPackageInfo>& info,
                  const std::string& infoNote) {
    const TModuleRecordImpl module = DescribeModule(package.Module());
    std::string note;
    const auto description = Decode<std::string>(module, RT_RCDATA, "DESCRIPTION",
                                                 ResourceRecords::DecodeDescription, note);
    std::cout << "Package      " << package.FileName() << "\n";
    std::cout << "Description  " << (description ? *description : note) << "\n";
    const auto version = Decode<ResourceRecords::TVersionInfo>(
        module, RT_VERSION, "#1", ResourceRecords::ReadVersionInfo, note);
    std::cout << "Version      " << (version ? VersionText(version->FileVersion) : note) << "\n";
    if (!info) {
        std::cout << "Requires     " << infoNote << "\nContains     " << infoNote << "\n";
        return;
    }
    std::cout << "Requires     ";
    for (std::size_t i = 0; i < info->Requires.size(); ++i)
        std::cout << (i ? ", " : "") << info->Requires[i].Name;
    std::cout << (info->Requires.empty() ? "(none)" : "") << "\nContains     ";
    for (std::size_t i = 0; i < info->Contains.size(); ++i) {
        const auto& unit = info->Contains[i];
        std::cout << (i ? ", " : "") << unit.Name;
        if (unit.Flags & 3)
            std::cout << ((unit.Flags & 3) == 3 ? " (main unit, package unit)"
                          : (unit.Flags & 1)    ? " (main unit)"
                                                : " (package unit)");
    }
    std::cout << (info->Contains.empty() ? "(none)" : "") << "\n";
}

void PrintPalette(const TModuleRecordImpl& module) {
    for (const std::string& page : ComponentPalette::Pages()) {
        const auto classes = ComponentPalette::Page(page);
        std::cout << "\nPalette page \"" << page << "\", " << classes.size()
                  << (classes.size() == 1 ? " class" : " classes") << ":\n";
        int n = 0;
        for (const TClassInfo* cls : classes) {
            std::string name = cls->Name;
            name.resize(std::max<std::size_t>(name.size(), 18), ' ');
            std::string unit = cls->UnitName ? cls->UnitName : "";
            unit.resize(std::max<std::size_t>(unit.size(), 10), ' ');
            ++n;
            std::cout << "  " << (n < 10 ? " " : "") << n << "  " << name << unit;
            const TResourceEntry* bitmap = module.Find(RT_BITMAP, UpperCase(cls->Name));
            if (!bitmap) {
                std::cout << "no palette bitmap\n";
                continue;
            }
            try {
                const TBitmapImage image = BmpCodec::DecodeDib(bitmap->Data, bitmap->Size);
                std::cout << "bitmap " << image.Width() << " x " << image.Height() << ", "
                          << image.BitsPerPixel << " bits\n";
            } catch (const EInvalidGraphic& e) {
                std::cout << "unreadable bitmap: " << ErrorText(e) << "\n";
            }
        }
    }
    if (ComponentPalette::Pages().empty())
        std::cout << "\nThe package put no class on the palette.\n";
}

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Every resource of the module: bitmaps as .bmp files (palette bitmaps also as .png), icon
// groups as .ico files next to their raw records, everything else as it is stored, in .bin.
int WriteResources(const TModuleRecordImpl& module, const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        std::cerr << "quillmere palette: cannot make " << dir.string() << ": " << ec.message()
                  << "\n";
        return 1;
    }
    std::set<std::string> paletteNames;
    for (const std::string& page : ComponentPalette::Pages())
        for (const TClassInfo* cls : ComponentPalette::Page(page))
            paletteNames.insert(UpperCase(cls->Name));
    std::map<std::string, int> seen;
    int written = 0;
    auto write = [&](const fs::path& path, const std::vector<std::uint8_t>& bytes) {
        if (!WriteFile(path, bytes)) {
            std::cerr << "quillmere palette: cannot write " << path.string() << "\n";
            return false;
        }
        ++written;
        return true;
    };
    for (const TResourceEntry& r : module.Resources) {
        std::string stem = ResourceFiles::FileStem(r);
        // The same type and name in a second language keeps both.
        if (seen[stem]++) stem += "_" + std::to_string(r.Language);
        const std::vector<std::uint8_t> raw(r.Data, r.Data + r.Size);
        if (r.Type == RT_BITMAP) {
            const auto bmp = ResourceFiles::BitmapFile(r);
            if (!write(dir / (stem + (bmp.empty() ? ".bin" : ".bmp")), bmp.empty() ? raw : bmp))
                return 1;
            if (paletteNames.count(r.Name)) {
                try {
                    PngWriter::Write(BmpCodec::DecodeDib(r.Data, r.Size).Pixels,
                                     (dir / (stem + ".png")).string());
                    ++written;
                } catch (const std::exception& e) {
                    std::cerr << "quillmere palette: " << r.Name << " as PNG: " << ErrorText(e)
                              << "\n";
                }
            }
            continue;
        }
        if (!write(dir / (stem + ".bin"), raw)) return 1;
        if (r.Type == RT_GROUP_ICON) {
            const auto ico = ResourceFiles::IconFile(module, r);
            if (!ico.empty() && !write(dir / (stem + ".ico"), ico)) return 1;
        }
    }
    std::cout << "\nWrote " << written << " files for " << module.Resources.size()
              << " resources to " << dir.string() << "\n";
    return 0;
}

}  // namespace

int Palette(const TPaletteOptions& options) {
    const std::string fileName =
        options.Package.empty() ? TLoadedPackage::DefaultFileName() : options.Package;
    std::optional<TLoadedPackage> package;
    try {
        package.emplace(fileName);
    } catch (const std::exception& e) {
        std::cerr << "quillmere palette: " << ErrorText(e) << "\n";
        return 1;
    }
    const TModuleRecordImpl module = DescribeModule(package->Module());
    std::string infoNote;
    const auto info = Decode<ResourceRecords::TPackageInfo>(
        module, RT_RCDATA, "PACKAGEINFO", ResourceRecords::DecodePackageInfo, infoNote);
    package->RegisterUnits();

    PrintPackage(*package, info, infoNote);
    PrintPalette(module);
    if (!options.ResourcesDir.empty()) return WriteResources(module, options.ResourcesDir);
    return 0;
}

}  // namespace Commands
