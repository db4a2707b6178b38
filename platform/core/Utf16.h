// UTF-16 code units and UTF-8 text, for the package's records that store UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Utf16 {

// Appends a code point as UTF-8.
inline void AppendUtf8(std::string& text, std::uint32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 text as UTF-16 code units. A byte that does not start a well-formed sequence stands
// for itself, as in code page 1252's first 256 code points, so no text is refused.
inline std::vector<std::uint16_t> FromUtf8(const std::string& text) {
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        const std::size_t n = b >= 0xF0 && b < 0xF5   ? 4
                              : b >= 0xE0             ? 3
                              : b >= 0xC2 && b < 0xE0 ? 2
                                                      : 1;
        std::uint32_t c = b;
        bool wellFormed = n > 1 && i + n <= text.size();
        if (wellFormed) {
            c = b & (0x7F >> n);
            for (std::size_t k = 1; k < n; ++k) {
                const auto t = static_cast<std::uint8_t>(text[i + k]);
                if ((t & 0xC0) != 0x80) wellFormed = false;
                c = (c << 6) | (t & 0x3F);
            }
            const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
            if (c < smallest[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) wellFormed = false;
        }
        if (!wellFormed) {
            units.push_back(b);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            units.push_back(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(c));
        }
        i += n;
    }
    return units;
}

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
inline std::string ToUtf8(const std::vector<std::uint16_t>& units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00u);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(text, c);
    }
    return text;
}

}  // namespace Utf16
