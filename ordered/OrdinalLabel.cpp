#include "ordered/OrdinalLabel.h"

#include "graphics/TCanvas.h"
#include "graphics/TFont.h"
#include "win/WinApi.h"

namespace Qelgroup {

std::string OrdinalLabelText(std::int32_t n, TLabelType type) {
    if (type == ltNumeric) return std::to_string(n);
    // Unsigned arithmetic wraps, so the low byte comes out right for every n.
    const auto code = static_cast<unsigned char>((static_cast<std::uint32_t>(n) + 64u) & 0xFFu);
    if (code == 0) return std::string();
    return std::string(1, static_cast<char>(code));
}

bool LabelFontChanged(const TFont& labelFont, const TFont& given) {
    return labelFont.Name() != given.Name() || labelFont.Size() != given.Size() ||
           labelFont.Style() != given.Style() || labelFont.Color() != given.Color();
}

void DrawOrdinalLabel(TCanvas* canvas, const std::string& text, TRect r) {
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

}  // namespace Qelgroup
