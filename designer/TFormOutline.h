// Where each object and property of a form file sits in its bytes: the outline that lets a
// design environment save a form by keeping the file's own bytes and replacing only what an
// edit changed. Text and binary forms have the same outline; in text, every item also has
// its lead, the blanks between it and the token before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A range of bytes [Start, End).
struct TSpan {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::size_t Size() const { return End - Start; }
};

struct TOutlineProperty {
    std::string Name;      // with its path: "Font.Style", "Items.Strings"
    std::size_t Lead = 0;  // where the blanks before it start (text; Start in binary)
    TSpan Whole;           // the name, '=' and the value
    TSpan Value;
};

struct TOutlineObject {
    std::string ClassName;
    std::string Name;
    std::size_t Lead = 0;  // as for properties
    TSpan Header;          // "object Name: TClass [n]", or the header bytes
    TSpan NameToken;       // the name in the header (text: the symbol; binary: length and bytes)
    std::vector<TOutlineProperty> Properties;
    std::vector<TOutlineObject> Children;
    // Text: the blanks before 'end' and 'end'. Binary: the zero byte after the properties
    // (PropertiesEnd) and the one after the children (Close).
    std::size_t PropertiesEnd = 0;
    TSpan Close;
};

struct TFormOutline {
    bool IsText = true;
    TOutlineObject Root;
    // Text: the first byte (after a byte order mark) and the bytes after the root's 'end'.
    // Binary: the signature, and the padding after the root.
    TSpan Head;
    TSpan Tail;
};

namespace FormOutline {

// The outline of a text form file. Raises EParserError as reading it would.
TFormOutline OfText(std::string_view text);
// The outline of a bare binary form stream ("TPF0"...). Raises EReadError.
TFormOutline OfBinary(std::span<const std::uint8_t> stream);

// Where each object of a text holding several in a row starts and ends (form text on the
// clipboard). Raises EParserError.
std::vector<TSpan> ObjectsOfText(std::string_view text);

// The line ending a text uses ("\r\n" unless its first line ends in "\n" or "\r" alone).
std::string LineEnding(std::string_view text);
// The blanks that start the line holding offset.
std::string IndentAt(std::string_view text, std::size_t offset);

}  // namespace FormOutline
