// The Liberation faces for the system's GDI: with QUILLMERE_FONTS=liberation the process adds
// the Liberation files privately and asks for them by the names the Linux build maps the
// classic families to, so that both builds draw the same glyphs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "core/AnsiText.h"
#include "text/FontSubstitutes.h"
#include "win/WinApi.h"

namespace FontSubstitutes {
namespace {

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n < sizeof path ? n : 0);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string{} : folder.substr(0, slash + 1);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where the files are looked for: a "fonts" folder beside the program, then, under Wine, the
// Debian packages' folders on the Unix side.
std::vector<std::string> FontFolders() {
    return {ProgramFolder() + "fonts\\", "Z:\\usr\\share\\fonts\\truetype\\liberation2\\",
            "Z:\\usr\\share\\fonts\\truetype\\liberation\\"};
}

// Adds every Liberation face for this process alone; false, with a word on standard error,
// when the files are not there.
bool AddLiberationFaces() {
    for (const std::string& folder : FontFolders()) {
        const TLiberationFamily& first = LiberationFamilies().front();
        if (!FileExists(folder + LiberationFileName(first, false, false))) continue;
        int added = 0;
        for (const TLiberationFamily& family : LiberationFamilies())
            for (bool bold : {false, true})
                for (bool italic : {false, true}) {
                    const std::string file = folder + LiberationFileName(family, bold, italic);
                    if (AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr) > 0) ++added;
                }
        if (added > 0) return true;
    }
    std::fprintf(stderr,
                 "quillmere: QUILLMERE_FONTS=liberation, but no Liberation font files were found "
                 "(looked in %sfonts and /usr/share/fonts/truetype/liberation2); the system "
                 "resolves font names itself\n",
                 ProgramFolder().c_str());
    return false;
}

bool LiberationFacesAdded() {
    static std::once_flag once;
    static bool added = false;
    std::call_once(once, [] {
        const char* value = std::getenv("QUILLMERE_FONTS");
        if (!value || !*value) return;
        if (SameText(value, "liberation")) {
            added = AddLiberationFaces();
            return;
        }
        std::fprintf(stderr,
                     "quillmere: QUILLMERE_FONTS=%s is not known (only \"liberation\" is); the "
                     "system resolves font names itself\n",
                     value);
    });
    return added;
}

}  // namespace

void FitToEngine(LOGFONTA& font) {
    if (!LiberationFacesAdded()) return;
    const std::string face =
        SubstituteFamily(std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), '\0');
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    if (font.lfQuality == DEFAULT_QUALITY) font.lfQuality = NONANTIALIASED_QUALITY;
}

}  // namespace FontSubstitutes
