#include "text/FontSubstitutes.h"

#include <map>

#include "core/AnsiText.h"

namespace FontSubstitutes {

std::string SubstituteFamily(const std::string& name) {
    static const std::map<std::string, std::string> kSubstitutes = {
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"ms shell dlg", "Liberation Sans"},
        {"ms shell dlg 2", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"system", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"fixedsys", "Liberation Mono"},
        {"", "Liberation Sans"},
    };
    auto it = kSubstitutes.find(LowerCase(name));
    return it == kSubstitutes.end() ? name : it->second;
}

const std::vector<TLiberationFamily>& LiberationFamilies() {
    static const std::vector<TLiberationFamily> kFamilies = {
        {"Liberation Sans", "LiberationSans"},
        {"Liberation Serif", "LiberationSerif"},
        {"Liberation Mono", "LiberationMono"},
    };
    return kFamilies;
}

const TLiberationFamily* LiberationFor(const std::string& family) {
    for (const auto& f : LiberationFamilies())
        if (family == f.Family) return &f;
    return nullptr;
}

std::string LiberationFileName(const TLiberationFamily& family, bool bold, bool italic) {
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    return std::string(family.FilePrefix) + "-" + style + ".ttf";
}

}  // namespace FontSubstitutes
