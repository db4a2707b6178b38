// Converts form files between their two formats without loss: text to a binary stream and a
// binary stream to text. Text written from a binary stream converts back to the same stream
// of values, and to the same text again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// For each value of a binary stream made from text, where it was in the text, so that an
// error found in the binary stream can name the line and column.
class TTextPositions {
public:
    void Add(std::size_t offset, int line, int column);
    // The text position of the last value that starts at or before offset (1, 1 if none).
    void Find(std::size_t offset, int& line, int& column) const;

private:
    struct TEntry {
        std::size_t Offset;
        int Line;
        int Column;
    };
    std::vector<TEntry> FEntries;
};

namespace TFormConverter {

// The largest text a binary stream is converted to; deep nesting indents every line.
constexpr std::size_t kMaxTextSize = 512u * 1024 * 1024;

// A text form file as a binary stream ("TPF0"...). Raises EParserError.
std::vector<std::uint8_t> TextToBinary(std::string_view text, TTextPositions* positions = nullptr);
// A binary stream as text; baseOffset is where the stream starts in its file, for messages.
// Raises EReadError.
std::string BinaryToText(std::span<const std::uint8_t> stream, std::size_t baseOffset = 0);

// The spellings of numbers in text form files.
std::string FormatFloat(long double value);
std::string FormatCurrency(std::int64_t tenThousandths);

}  // namespace TFormConverter
