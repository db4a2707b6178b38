// Form files as a program uses them: read a form from text or binary (with or without the
// resource header a design environment writes), write one in either format, convert between
// them. Errors are EFilerError: EParserError with a line and column for text, EReadError
// with a byte offset for binary.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
class TForm;

namespace FormFiles {

enum class TFormFormat : std::uint8_t { Text, Binary };

// Binary when the data start with "TPF0" or a resource header; text otherwise.
TFormFormat DetectFormat(std::span<const std::uint8_t> data);

// A form read from a form file of either format. The root class must be a registered form
// class; a class nobody registered (a user's TForm1) reads as a TForm of that name.
std::unique_ptr<TForm> ReadForm(std::span<const std::uint8_t> data);
std::unique_ptr<TForm> ReadForm(std::string_view text);

// The form stream of root and everything in it.
std::vector<std::uint8_t> WriteBinary(TComponent& root);
std::string WriteText(TComponent& root);

// Conversion between the formats; a binary form may carry a resource header.
std::vector<std::uint8_t> TextToBinary(std::string_view text);
std::string BinaryToText(std::span<const std::uint8_t> data);
// The same, handed to write piece by piece as it is made: text of any size in little memory.
void BinaryToText(std::span<const std::uint8_t> data,
                  const std::function<void(std::string_view)>& write);
// A binary form stream wrapped in the resource header a design environment writes.
std::vector<std::uint8_t> WithResourceHeader(std::span<const std::uint8_t> stream);

// Files: errors name the path.
std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::span<const std::uint8_t> data);
std::unique_ptr<TForm> LoadForm(const std::string& path);

}  // namespace FormFiles
