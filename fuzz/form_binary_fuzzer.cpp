// Any bytes as a binary form file (a bare stream or a resource file): read into components,
// and converted to text, which must convert back to the same text.
#include <cstdint>
#include <span>
#include <string>

#include "controls/TForm.h"
#include "package/Quillmereall.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (Quillmereall::RegisterUnits(), true);
    (void)registered;
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        FormFiles::ReadForm(bytes);
    } catch (const EFilerError&) {
    }
    std::string text;
    try {
        text = FormFiles::BinaryToText(bytes);
    } catch (const EFilerError&) {
        return 0;
    }
    if (FormFiles::BinaryToText(FormFiles::TextToBinary(text)) != text) __builtin_trap();
    return 0;
}
