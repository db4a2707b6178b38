// Converts form files between their two formats without loss: text to a binary stream and a
// binary stream to text. Text written from a binary stream converts back to the same stream
// of values, and to the same text again.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "streaming/FormLimits.h"

// For each value of a binary stream made from text, where it was in the text, so that an
// error found in the binary stream can name the line and column.
class TTextPositions {
public:
    void Add(std::size_t offset, int line, int column) {
        FEntries.push_back(TEntry{offset, line, column});
    }
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

// Takes the text of a conversion piece by piece, as it is made.
using TTextSink = std::function<void(std::string_view)>;

// A text form file as a binary stream ("TPF0"...). Raises EParserError.
std::vector<std::uint8_t> TextToBinary(std::string_view text, TTextPositions* positions = nullptr);
// A binary stream as text, handed to write in pieces of some kilobytes, so that text of any
// size takes little memory; baseOffset is where the stream starts in its file, for messages.
// Raises EReadError, also where the text would grow past maxSize bytes.
void BinaryToText(std::span<const std::uint8_t> stream, const TTextSink& write,
                  std::size_t baseOffset = 0, std::size_t maxSize = kMaxTextSize);
// The same text in one string.
std::string BinaryToText(std::span<const std::uint8_t> stream, std::size_t baseOffset = 0);

// The spellings of numbers in text form files.
std::string FormatFloat(long double value);
std::string FormatCurrency(std::int64_t tenThousandths);

}  // namespace TFormConverter
