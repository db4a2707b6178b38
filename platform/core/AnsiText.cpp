#include "core/AnsiText.h"

#include <cstdint>

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiText::Lower(c);
    return out;
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiText::Upper(c);
    return out;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AnsiText::Lower(a[i]));
        const auto y = static_cast<unsigned char>(AnsiText::Lower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool EndsText(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

namespace {

void AppendEscaped(std::string& out, std::string_view s, bool quoting) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (quoting && (c == '\'' || c == '\\')) {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b >= 0x7F) {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
}

}  // namespace

std::string EscapedText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    AppendEscaped(out, s, false);
    return out;
}

std::string QuotedText(std::string_view s) {
    std::string out = "'";
    AppendEscaped(out, s, true);
    out += '\'';
    return out;
}

std::size_t TTextHash::operator()(std::string_view s) const noexcept {
    // FNV-1a over the folded bytes.
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : s)
        h = (h ^ static_cast<unsigned char>(AnsiText::Lower(c))) * 1099511628211ull;
    return static_cast<std::size_t>(h);
}
