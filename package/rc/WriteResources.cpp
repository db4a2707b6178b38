// Writes the package module's resources for the Windows build: every record the package
// carries, as a file of its bytes, and a resource script that names each file by type, name
// and language. The resource compiler copies raw files as they stand, so the Windows package
// carries the very bytes of the tables the Linux package is built from.
//
//   write-resources DIR     writes DIR/QuillmereAll.rc and DIR/res-TYPE-NAME-LANGUAGE.bin
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "package/GlyphResources.h"
#include "package/PackageResources.h"

namespace {

std::string FileName(const TResourceEntry& r) {
    std::string name = r.Name[0] == '#' ? r.Name.substr(1) : r.Name;
    return "res-" + std::to_string(r.Type) + "-" + name + "-" + std::to_string(r.Language) + ".bin";
}

// A resource script's name of a resource: a number for "#n", the name otherwise.
std::string ScriptName(const TResourceEntry& r) {
    return r.Name[0] == '#' ? r.Name.substr(1) : r.Name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write-resources DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<TResourceEntry> resources = Quillmereall::GlyphResources();
    for (const TResourceEntry& r : Quillmereall::PackageResources()) resources.push_back(r);

    // Grouped by language: a LANGUAGE statement holds for the resources after it.
    std::map<std::uint16_t, std::vector<const TResourceEntry*>> byLanguage;
    for (const TResourceEntry& r : resources) byLanguage[r.Language].push_back(&r);

    std::ofstream script(dir + "/QuillmereAll.rc");
    script << "// The package module's resources, written by the build from the package's own\n"
              "// tables (package/rc/WriteResources.cpp). Each record is copied as it stands.\n";
    for (const auto& [language, entries] : byLanguage) {
        script << "\nLANGUAGE " << (language & 0x3FF) << ", " << (language >> 10) << "\n";
        for (const TResourceEntry* r : entries) {
            const std::string file = FileName(*r);
            std::ofstream out(dir + "/" + file, std::ios::binary);
            out.write(reinterpret_cast<const char*>(r->Data),
                      static_cast<std::streamsize>(r->Size));
            if (!out) {
                std::cerr << "write-resources: cannot write " << dir << "/" << file << "\n";
                return 1;
            }
            script << ScriptName(*r) << " " << r->Type << " \"" << file << "\"\n";
        }
    }
    if (!script) {
        std::cerr << "write-resources: cannot write " << dir << "/QuillmereAll.rc\n";
        return 1;
    }
    return 0;
}
