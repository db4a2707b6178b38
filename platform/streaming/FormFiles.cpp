#include "streaming/FormFiles.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "classes/TClassRegistry.h"
#include "controls/TForm.h"
#include "streaming/EFilerError.h"
#include "streaming/FormLimits.h"
#include "streaming/TFormConverter.h"
#include "streaming/TReader.h"
#include "streaming/TResourceFile.h"
#include "streaming/TWriter.h"

namespace FormFiles {
namespace {

// The bare stream of a binary form and where it starts in the file.
std::span<const std::uint8_t> Stream(std::span<const std::uint8_t> data, std::size_t& offset) {
    offset = 0;
    if (TResourceFile::HasResourceHeader(data)) return TResourceFile::FindFormStream(data, offset);
    return data;
}

std::unique_ptr<TComponent> MakeRootForm(const TComponentHeader& h) {
    const TClassInfo* cls = TClassRegistry::FindClass(h.ClassName);
    if (!cls) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetFormClassName(h.ClassName);
        return form;
    }
    bool isForm = false;
    for (const TClassInfo* c = cls; c; c = c->Parent) isForm |= c == &TForm::StaticClassInfo();
    if (!isForm || !cls->Create)
        throw EReadError(h.ClassOffset, "the root of a form file is a form; " + h.ClassName +
                                            " is not a form class");
    return std::unique_ptr<TComponent>(cls->Create(nullptr));
}

std::string TooLarge(std::size_t size, const char* what) {
    return std::string(what) + " is " + std::to_string(size) + " bytes, more than the " +
           std::to_string(kMaxFormBytes) + " a form may have";
}

// A text too large to be a form is refused before anything is made of it.
void CheckTextSize(std::string_view text) {
    if (text.size() > kMaxFormBytes) throw EParserError(1, 1, TooLarge(text.size(), "the text"));
}

std::unique_ptr<TForm> ReadStream(std::span<const std::uint8_t> stream, std::size_t offset) {
    TReader reader(stream, offset);
    std::unique_ptr<TComponent> root = reader.ReadRootComponent(MakeRootForm);
    return std::unique_ptr<TForm>(static_cast<TForm*>(root.release()));
}

}  // namespace

TFormFormat DetectFormat(std::span<const std::uint8_t> data) {
    if (data.size() >= 4 && std::memcmp(data.data(), "TPF0", 4) == 0) return TFormFormat::Binary;
    return TResourceFile::HasResourceHeader(data) ? TFormFormat::Binary : TFormFormat::Text;
}

std::unique_ptr<TForm> ReadForm(std::span<const std::uint8_t> data) {
    if (DetectFormat(data) == TFormFormat::Text)
        return ReadForm(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    std::size_t offset = 0;
    const std::span<const std::uint8_t> stream = Stream(data, offset);
    return ReadStream(stream, offset);
}

std::unique_ptr<TForm> ReadForm(std::string_view text) {
    CheckTextSize(text);
    const std::vector<std::uint8_t> binary = TFormConverter::TextToBinary(text);
    try {
        return ReadStream(binary, 0);
    } catch (const EReadError& e) {
        // What is wrong is found in the stream made from the text; say where it was written.
        // Only then is it worth noting where each value came from: the same text converts to
        // the same stream again.
        TTextPositions positions;
        TFormConverter::TextToBinary(text, &positions);
        int line = 1, column = 1;
        positions.Find(e.Offset(), line, column);
        throw EParserError(line, column, e.Message());
    }
}

std::vector<std::uint8_t> WriteBinary(TComponent& root) {
    TWriter writer;
    writer.WriteRootComponent(root);
    return writer.TakeBytes();
}

std::string WriteText(TComponent& root) {
    return TFormConverter::BinaryToText(WriteBinary(root));
}

std::vector<std::uint8_t> TextToBinary(std::string_view text) {
    CheckTextSize(text);
    return TFormConverter::TextToBinary(text);
}

std::string BinaryToText(std::span<const std::uint8_t> data) {
    std::size_t offset = 0;
    const std::span<const std::uint8_t> stream = Stream(data, offset);
    return TFormConverter::BinaryToText(stream, offset);
}

void BinaryToText(std::span<const std::uint8_t> data,
                  const std::function<void(std::string_view)>& write) {
    std::size_t offset = 0;
    const std::span<const std::uint8_t> stream = Stream(data, offset);
    TFormConverter::BinaryToText(stream, write, offset);
}

std::vector<std::uint8_t> WithResourceHeader(std::span<const std::uint8_t> stream) {
    TBinaryParser parser(stream);
    parser.ReadSignature();
    return TResourceFile::Wrap(stream, parser.ReadComponentHeader().ClassName);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open the file");
    // A file is measured before it is read; what has no size (a pipe) is read up to the limit.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFormBytes)
        throw std::runtime_error(path + ": " + TooLarge(size, "the file"));
    std::vector<std::uint8_t> bytes;
    if (!ec) bytes.reserve(size);
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > kMaxFormBytes)
            throw std::runtime_error(path + ": the file is more than the " +
                                     std::to_string(kMaxFormBytes) + " bytes a form may have");
    }
    if (in.bad()) throw std::runtime_error(path + ": cannot read the file");
    return bytes;
}

void WriteFile(const std::string& path, std::span<const std::uint8_t> data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw std::runtime_error(path + ": cannot write the file");
}

std::unique_ptr<TForm> LoadForm(const std::string& path) {
    const std::vector<std::uint8_t> data = ReadFile(path);
    try {
        return ReadForm(std::span<const std::uint8_t>(data));
    } catch (const EFilerError& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

}  // namespace FormFiles
