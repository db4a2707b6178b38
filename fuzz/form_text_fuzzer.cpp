// Any bytes as a text form file: read into components, and converted to a binary stream,
// which must convert back to text and to the same stream again.
#include <cstdint>
#include <string_view>

#include "controls/TForm.h"
#include "package/Quillmereall.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (Quillmereall::RegisterUnits(), true);
    (void)registered;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        FormFiles::ReadForm(text);
    } catch (const EFilerError&) {
    }
    std::vector<std::uint8_t> binary;
    try {
        binary = FormFiles::TextToBinary(text);
    } catch (const EFilerError&) {
        return 0;
    }
    if (FormFiles::TextToBinary(FormFiles::BinaryToText(binary)) != binary) __builtin_trap();
    return 0;
}
