// Any bytes as text on the clipboard, pasted into a designed form: refused as a whole or
// pasted, and the form still saves as a form file that reads back.
#include <cstdint>
#include <string>

#include "controls/TClipboard.h"
#include "designer/TDesigner.h"
#include "package/Quillmereall.h"
#include "streaming/FormFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (Quillmereall::RegisterUnits(), true);
    (void)registered;
    TDesigner designer;
    Clipboard().SetAsText(std::string(reinterpret_cast<const char*>(data), size));
    try {
        designer.Paste();
    } catch (const EDesignError&) {
        if (designer.UndoCount() != 0) __builtin_trap();
        return 0;
    }
    FormFiles::ReadForm(designer.SavedBytes(FormFiles::TFormFormat::Binary));
    return 0;
}
