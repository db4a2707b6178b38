// A string value of a form file. The framework's strings are code page 1252 bytes; a form
// file may also hold UTF-16 or UTF-8 strings (from tools that write Unicode), which are kept
// as UTF-16 so that converting between the formats loses nothing.
#pragma once

#include <string>

struct TFormString {
    std::string Narrow;   // code page 1252 bytes, when not IsWide
    std::u16string Wide;  // UTF-16 code units, when IsWide
    bool IsWide = false;

    static TFormString FromAnsi(std::string s) { return TFormString{std::move(s), {}, false}; }
    static TFormString FromWide(std::u16string s) { return TFormString{{}, std::move(s), true}; }

    // The string in code page 1252; characters it cannot hold become '?'.
    std::string ToAnsi() const;
    std::size_t Length() const { return IsWide ? Wide.size() : Narrow.size(); }
};

// The UTF-16 form of code page 1252 bytes.
std::u16string AnsiToWide(const std::string& s);
// UTF-8 bytes as UTF-16; false when the bytes are not valid UTF-8.
bool Utf8ToWide(const std::string& utf8, std::u16string& wide);
