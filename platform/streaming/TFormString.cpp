#include "streaming/TFormString.h"

#include <array>
#include <cstdint>

#include "core/Cp1252.h"

namespace {

// The code page 1252 byte of each character that has one, found by running the code page
// forward once.
char UnicodeToAnsi(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
    static const std::array<char16_t, 32> high = [] {
        std::array<char16_t, 32> h{};
        for (int b = 0x80; b < 0xA0; ++b)
            h[static_cast<std::size_t>(b - 0x80)] =
                static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(b)));
        return h;
    }();
    for (std::size_t i = 0; i < high.size(); ++i)
        if (high[i] == ch) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string TFormString::ToAnsi() const {
    if (!IsWide) return Narrow;
    std::string out;
    out.reserve(Wide.size());
    for (std::size_t i = 0; i < Wide.size(); ++i) {
        char16_t ch = Wide[i];
        // A surrogate pair is one character that code page 1252 cannot hold.
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < Wide.size() && Wide[i + 1] >= 0xDC00 &&
            Wide[i + 1] < 0xE000)
            ++i;
        out += (ch >= 0xD800 && ch < 0xE000) ? '?' : UnicodeToAnsi(ch);
    }
    return out;
}

std::u16string AnsiToWide(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (char c : s) out += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

bool Utf8ToWide(const std::string& utf8, std::u16string& wide) {
    wide.clear();
    wide.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        std::uint32_t cp = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2;
            cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3;
            cp = b0 & 0x07;
        } else {
            return false;
        }
        if (utf8.size() - i <= static_cast<std::size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (cp >> 10));
            wide += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            wide += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}
