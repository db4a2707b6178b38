#include <iostream>

#include "app/Commands.h"
#include "streaming/FormFiles.h"

namespace Commands {

int Convert(const TConvertOptions& options) {
    using FormFiles::TFormFormat;
    try {
        const std::vector<std::uint8_t> input = FormFiles::ReadFile(options.Input);
        const TFormFormat from = FormFiles::DetectFormat(input);
        std::vector<std::uint8_t> output;
        try {
            if (from == TFormFormat::Text) {
                output = FormFiles::TextToBinary(
                    std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
                if (options.ResourceHeader) output = FormFiles::WithResourceHeader(output);
            } else {
                const std::string text = FormFiles::BinaryToText(input);
                output.assign(text.begin(), text.end());
            }
        } catch (const std::exception& e) {
            throw std::runtime_error(options.Input + ": " + e.what());
        }
        FormFiles::WriteFile(options.Output, output);
        std::cout << "Converted " << options.Input << " ("
                  << (from == TFormFormat::Text ? "text" : "binary") << ") to " << options.Output
                  << " (" << (from == TFormFormat::Text ? "binary" : "text") << ")\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "quillmere convert: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace Commands
