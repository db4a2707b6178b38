#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>

#include "app/Commands.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"

namespace Commands {

namespace {

namespace fs = std::filesystem;

// The output file, written beside its place and put there only when complete, so that a
// conversion that fails leaves what was there before. A path that names no regular file
// (/dev/stdout) is written directly.
class TOutputFile {
public:
    explicit TOutputFile(const std::string& path) : FPath(path) {
        std::error_code ec;
        FDirect = fs::exists(path, ec) && !fs::is_regular_file(path, ec);
        FWritten = FDirect ? path : path + ".part";
        FOut.open(FWritten, std::ios::binary | std::ios::trunc);
        if (!FOut) throw std::runtime_error(path + ": cannot write the file");
    }
    ~TOutputFile() {
        if (FDone || FDirect) return;
        FOut.close();
        std::error_code ec;
        fs::remove(FWritten, ec);
    }
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    void Write(std::string_view bytes) {
        FOut.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!FOut) throw std::runtime_error(FPath + ": cannot write the file");
    }
    void Commit() {
        FOut.close();
        if (!FOut) throw std::runtime_error(FPath + ": cannot write the file");
        if (!FDirect) {
            std::error_code ec;
            fs::rename(FWritten, FPath, ec);
            if (ec) throw std::runtime_error(FPath + ": cannot write the file: " + ec.message());
        }
        FDone = true;
    }

private:
    std::string FPath;
    std::string FWritten;
    std::ofstream FOut;
    bool FDirect = false;
    bool FDone = false;
};

}  // namespace

int Convert(const TConvertOptions& options) {
    using FormFiles::TFormFormat;
    try {
        const std::vector<std::uint8_t> input = FormFiles::ReadFile(options.Input);
        const TFormFormat from = FormFiles::DetectFormat(input);
        TOutputFile output(options.Output);
        // What is wrong with the input is said with its name; the output's errors name it.
        try {
            if (from == TFormFormat::Text) {
                std::vector<std::uint8_t> binary = FormFiles::TextToBinary(
                    std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
                if (options.ResourceHeader) binary = FormFiles::WithResourceHeader(binary);
                output.Write(
                    std::string_view(reinterpret_cast<const char*>(binary.data()), binary.size()));
            } else {
                // Text goes to the file as it is made: however large it grows, little of it
                // is held at once.
                FormFiles::BinaryToText(input,
                                        [&](std::string_view piece) { output.Write(piece); });
            }
        } catch (const EFilerError& e) {
            throw std::runtime_error(options.Input + ": " + e.what());
        } catch (const std::bad_alloc& e) {
            throw std::runtime_error(options.Input + ": " + ErrorText(e));
        }
        output.Commit();
        std::cout << "Converted " << options.Input << " ("
                  << (from == TFormFormat::Text ? "text" : "binary") << ") to " << options.Output
                  << " (" << (from == TFormFormat::Text ? "binary" : "text") << ")\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "quillmere convert: " << ErrorText(e) << "\n";
        return 1;
    }
}

}  // namespace Commands
