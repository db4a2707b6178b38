#include "text/TFontResolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <tuple>

#include "core/AnsiText.h"
#include "text/FontSubstitutes.h"

namespace TFontResolver {
namespace {

using FontSubstitutes::LiberationFor;
using FontSubstitutes::TLiberationFamily;

std::string LiberationFile(const TLiberationFamily& f, bool bold, bool italic) {
    const std::string name = FontSubstitutes::LiberationFileName(f, bold, italic);
    for (const char* dir :
         {"/usr/share/fonts/truetype/liberation2/", "/usr/share/fonts/truetype/liberation/"}) {
        std::string path = dir + name;
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) return path;
    }
    return {};
}

// The installed face fontconfig finds closest to the family and style. exactFamily: only a
// face of that very family (fontconfig otherwise answers with its default face).
TResolvedFace FontconfigMatch(const std::string& family, bool bold, bool italic, bool exactFamily) {
    static std::once_flag once;
    std::call_once(once, [] {
        // Fontconfig keeps defaults it frees only in FcFini; give them back at exit.
        if (FcInit()) std::atexit(FcFini);
    });
    TResolvedFace out;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* fam = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            out.FilePath = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch)
            out.Family = reinterpret_cast<const char*>(fam);
        bool sameFamily = false;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
            sameFamily = sameFamily || SameText(reinterpret_cast<const char*>(fam), family);
        if (exactFamily && !sameFamily) out = TResolvedFace{};
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out.FaceIndex = index;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return out;
}

}  // namespace

TResolvedFace Resolve(const std::string& name, bool bold, bool italic, bool fixedPitch) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool, bool>, TResolvedFace> cache;
    std::lock_guard lock(mutex);
    auto key = std::make_tuple(name, bold, italic, fixedPitch);
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    auto installed = [&](const std::string& family) {
        TResolvedFace face;
        if (const TLiberationFamily* lib = LiberationFor(family)) {
            face.FilePath = LiberationFile(*lib, bold, italic);
            face.Family = family;
        }
        if (face.FilePath.empty()) face = FontconfigMatch(family, bold, italic, true);
        return face;
    };
    TResolvedFace face = installed(FontSubstitutes::SubstituteFamily(name));
    if (face.FilePath.empty()) face = installed(fixedPitch ? "Liberation Mono" : "Liberation Sans");
    // Without the Liberation faces, whatever fontconfig likes best.
    if (face.FilePath.empty())
        face = FontconfigMatch(fixedPitch ? "monospace" : "sans-serif", bold, italic, false);
    cache[key] = face;
    return face;
}

}  // namespace TFontResolver

void FontSubstitutes::FitToEngine(LOGFONTA&) {}
