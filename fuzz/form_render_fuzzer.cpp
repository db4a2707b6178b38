// Any bytes as a form file, text or binary, read and rendered: whatever sizes, widths and
// counts a form holds, its controls paint, scroll and tick within the fuzz limits. The form is
// shrunk to a small surface first; its controls keep the sizes the file gave them.
#include <algorithm>
#include <cstdint>
#include <span>

#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "package/Quillmereall.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (Quillmereall::RegisterUnits(), true);
    (void)registered;
    std::unique_ptr<TForm> form;
    try {
        form = FormFiles::ReadForm(std::span<const std::uint8_t>(data, size));
    } catch (const EFilerError&) {
        return 0;
    }
    constexpr int kSide = 300;
    form->SetClientWidth(std::clamp(form->ClientWidth(), 1, kSide));
    form->SetClientHeight(std::clamp(form->ClientHeight(), 1, kSide));
    // Constraints may keep the form larger than that.
    if (form->ClientWidth() > kSide || form->ClientHeight() > kSide) return 0;
    form->SetDesigning(size % 2 == 1);
    THeadlessHost host(form.get());
    host.Render();
    host.Advance(250);
    host.Render();
    return 0;
}
