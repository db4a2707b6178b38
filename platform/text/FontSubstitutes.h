// The classic Windows family names and the Liberation faces that stand in for them: faces
// with the same metrics, so that text measures as it does with the classic fonts. The Linux
// build resolves every font this way; the Windows build does when asked to (QUILLMERE_FONTS).
#pragma once

#include <string>
#include <vector>

#include "win/WinApi.h"

namespace FontSubstitutes {

// The family a Windows family name is drawn with ("Arial" -> "Liberation Sans"); any other
// name as it stands.
std::string SubstituteFamily(const std::string& name);

struct TLiberationFamily {
    const char* Family;      // "Liberation Sans"
    const char* FilePrefix;  // "LiberationSans", as in LiberationSans-Bold.ttf
};
// The Liberation family of that name, or null.
const TLiberationFamily* LiberationFor(const std::string& family);
// The three families: sans, serif, mono.
const std::vector<TLiberationFamily>& LiberationFamilies();
// The file name of a face: "LiberationSans-BoldItalic.ttf".
std::string LiberationFileName(const TLiberationFamily& family, bool bold, bool italic);

// Fits a logical font to the engine that draws it. The framework's own engine resolves the
// classic names itself and draws unsmoothed glyphs for DEFAULT_QUALITY; it takes every font as
// it stands. The system's GDI gets the font as it stands too, unless the Liberation files were
// added for this process (QUILLMERE_FONTS=liberation): then the face is the Liberation face the
// Linux build maps the name to, and DEFAULT_QUALITY becomes NONANTIALIASED_QUALITY, so that it
// draws the glyphs the Linux build draws (the system would smooth them as the desktop says).
void FitToEngine(LOGFONTA& font);

}  // namespace FontSubstitutes
