// Case in the framework's byte strings: names of classes, properties, components, units,
// resources and files compare and fold without regard to case, the way the framework does it:
// only the ASCII letters have a case, whatever the program's locale, so that a name means the
// same on every machine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace AnsiText {

constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}
// The characters of names: an ASCII letter or '_' starts one, digits may follow. Bytes above
// ASCII are never letters, whatever the locale.
constexpr bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
// Looked up in a table: names are scanned a byte at a time.
inline constexpr struct TNameChars {
    bool Is[256] = {};
    constexpr TNameChars() {
        for (int c = 0; c < 256; ++c)
            Is[c] = IsNameStart(static_cast<char>(c)) || (c >= '0' && c <= '9');
    }
} kNameChars;
constexpr bool IsNameChar(char c) {
    return kNameChars.Is[static_cast<unsigned char>(c)];
}

}  // namespace AnsiText

// The string with its ASCII letters in lower (upper) case.
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
// Equal but for the case of ASCII letters. Inline: names are compared for every property
// read.
inline bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiText::Lower(a[i]) != AnsiText::Lower(b[i])) return false;
    return true;
}
// Orders as the framework sorts strings: byte by byte after folding to lower case; negative,
// zero or positive.
int CompareText(std::string_view a, std::string_view b);
bool EndsText(std::string_view s, std::string_view suffix);

// Text from a file as a message may show it: control characters, DEL and the bytes above
// ASCII as escapes (\n, \t, \x1B, \xE9), so that nothing a file holds reaches a terminal as a
// command or breaks a line of the message.
std::string EscapedText(std::string_view s);
// The same in single quotes, with a quote or a backslash in it escaped too: 'a\'b\x1B'.
std::string QuotedText(std::string_view s);
// Hashing and equality for unordered containers of names, which ignore case as SameText does.
// Both take string views, so that a name is looked up as it is spelt.
struct TTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept;
};
struct TTextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return SameText(a, b);
    }
};
