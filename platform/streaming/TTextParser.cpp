#include "streaming/TTextParser.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "classes/TypInfo.h"
#include "core/AnsiText.h"
#include "streaming/EFilerError.h"

namespace {

// Names are ASCII: a byte above it is no letter, whatever the program's locale.
bool IsAlpha(char c) {
    return AnsiText::IsNameStart(c);
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}
int HexValue(char c) {
    return IsDigit(c) ? c - '0' : (AnsiText::Lower(c) - 'a' + 10);
}

bool IsPunctuation(char c) {
    constexpr std::string_view kPunctuation = "=:.[](){}<>,+-";
    for (const char p : kPunctuation)
        if (c == p) return true;
    return false;
}

// The value of a spelling of digits after an optional '-', when it has up to 18 digits and so
// cannot overflow; false for a longer one.
bool SumDigits(std::string_view spelling, std::int64_t& value) {
    const bool negative = !spelling.empty() && spelling[0] == '-';
    if (negative) spelling.remove_prefix(1);
    if (spelling.size() > 18) return false;
    std::int64_t v = 0;
    for (const char d : spelling) v = v * 10 + (d - '0');
    value = negative ? -v : v;
    return true;
}

std::string Quote(std::string_view s) {
    return QuotedText(s.size() > 40 ? std::string(s.substr(0, 40)) + "..." : std::string(s));
}

// A piece of a string token: a run of quoted bytes or one character code.
struct TStringPiece {
    bool IsCode;
    std::string Bytes;
    std::uint32_t Code;
};

}  // namespace

namespace {

// The C library's reading of a whole spelling, with the locale's decimal point; false when
// some of it is left over or the value is not finite.
template <class F>
bool ParseWithCLibrary(std::string_view spelling, F& value) {
    std::string copy(spelling);
    if (const char point = *std::localeconv()->decimal_point; point != '.')
        for (char& c : copy)
            if (c == '.') c = point;
    errno = 0;
    char* end = nullptr;
    F v;
    if constexpr (std::is_same_v<F, float>)
        v = std::strtof(copy.c_str(), &end);
    else if constexpr (std::is_same_v<F, double>)
        v = std::strtod(copy.c_str(), &end);
    else
        v = std::strtold(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace

template <class F>
bool ParseFloat(std::string_view spelling, F& value) {
    const auto r = std::from_chars(spelling.data(), spelling.data() + spelling.size(), value);
    if (r.ec == std::errc()) {
        // The Windows build's C++ library reads a long double by way of a double, which drops
        // the last eleven bits of its mantissa; its C library reads them all.
        if constexpr (std::is_same_v<F, long double>) ParseWithCLibrary(spelling, value);
        return true;
    }
    if (r.ec != std::errc::result_out_of_range) return false;
    // Some libraries refuse a number that reads as a denormal; it is a value all the same.
    F v;
    if (!ParseWithCLibrary(spelling, v) || v == 0) return false;
    value = v;
    return true;
}

template bool ParseFloat(std::string_view, float&);
template bool ParseFloat(std::string_view, double&);
template bool ParseFloat(std::string_view, long double&);

TTextParser::TTextParser(std::string_view text) : FText(text) {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") {
        FUtf8 = true;
        FPos = 3;
    }
    Scan(FTokens[FCurrent]);
}

void TTextParser::Error(const std::string& message) const {
    ErrorAt(Token().Line, Token().Column, message);
}

void TTextParser::ErrorAt(int line, int column, const std::string& message) const {
    throw EParserError(line, column, message);
}

std::string TTextParser::Found(const TToken& t) {
    switch (t.Kind) {
        case TTokenKind::EndOfFile:
            return "found the end of the file";
        case TTokenKind::Symbol:
            return "found " + Quote(t.Text);
        case TTokenKind::Integer:
        case TTokenKind::Float:
            return "found the number " + std::string(t.Text);
        case TTokenKind::String:
            return "found a string";
        case TTokenKind::Char:
            return "found " + Quote(t.Text);
    }
    return "found something else";
}

const TToken& TTextParser::Peek() {
    if (!FPeeked) {
        Scan(FTokens[FCurrent ^ 1]);
        FPeeked = true;
    }
    return FTokens[FCurrent ^ 1];
}

bool TTextParser::PeekAssigns() {
    const TToken& next = Peek();
    return next.Kind == TTokenKind::Char && (next.Text == "=" || next.Text == ".");
}

void TTextParser::Expect(char c, std::string_view context) {
    if (!IsChar(c))
        Error("expected '" + std::string(1, c) + "' " + std::string(context) + ", " +
              Found(Token()));
    Next();
}

void TTextParser::ExpectedSymbol(std::string_view what) const {
    Error("expected " + std::string(what) + ", " + Found(Token()));
}

void TTextParser::Advance() {
    const char c = FText[FPos++];
    if (c == '\n' || (c == '\r' && At(FPos) != '\n')) {
        ++FLine;
        FColumn = 1;
    } else if (c != '\r') {
        ++FColumn;
    }
}

// Defined here and inline: called for every token, it should not go through the library's
// symbol table.
inline void TTextParser::SkipBlanks() {
    const char* p = FText.data() + FPos;
    const char* const end = FText.data() + FText.size();
    for (;;) {
        // Blanks within a line move the column only.
        const char* const run = p;
        while (p != end && (*p == ' ' || *p == '\t' || *p == '\f')) ++p;
        FColumn += static_cast<int>(p - run);
        if (p == end) break;
        if (*p == '\n') {
            ++p;
        } else if (*p == '\r') {
            // A CR ends a line unless an LF follows, which ends it.
            if (++p != end && *p == '\n') continue;
        } else {
            break;
        }
        ++FLine;
        FColumn = 1;
    }
    FPos = static_cast<std::size_t>(p - FText.data());
}

std::size_t TTextParser::PlainStringEnd(std::size_t open) const {
    std::size_t end = open + 1;
    for (; end < FText.size(); ++end) {
        const char ch = FText[end];
        if (ch == '\'' || ch == '\r' || ch == '\n' ||
            (FUtf8 && static_cast<unsigned char>(ch) >= 0x80))
            break;
    }
    if (At(end) == '\'' && At(end + 1) != '\'' && At(end + 1) != '#') return end;
    return std::string_view::npos;
}

std::size_t TTextParser::PlainPropertyEnd(std::size_t i, TPlainProperty& p) const {
    const char* const text = FText.data();
    const std::size_t size = FText.size();
    auto at = [&](std::size_t k) { return k < size ? text[k] : '\0'; };
    auto spaces = [&](std::size_t k) {
        while (k < size && text[k] == ' ') ++k;
        return k;
    };
    const std::size_t nameStart = i;
    if (!IsAlpha(at(i))) return std::string_view::npos;
    i = NameEnd(i + 1);
    while (at(i) == '.' && IsAlpha(at(i + 1))) i = NameEnd(i + 2);
    const std::size_t nameEnd = i;
    if (nameEnd - nameStart > 255) return std::string_view::npos;
    i = spaces(i);
    if (at(i) != '=') return std::string_view::npos;
    i = spaces(i + 1);
    const char c = at(i);
    const std::size_t start = i;
    if (IsDigit(c) || (c == '-' && IsDigit(at(i + 1)))) {
        for (++i; IsDigit(at(i));) ++i;
        if (!SumDigits(FText.substr(start, i - start), p.Integer)) return std::string_view::npos;
        p.Kind = TPlainProperty::TKind::Integer;
    } else if (IsAlpha(c)) {
        i = NameEnd(i + 1);
        if (i - start > 255) return std::string_view::npos;
        p.Kind = TPlainProperty::TKind::Symbol;
        p.Text = FText.substr(start, i - start);
    } else if (c == '\'') {
        const std::size_t close = PlainStringEnd(start);
        if (close == std::string_view::npos) return std::string_view::npos;
        p.Kind = TPlainProperty::TKind::String;
        p.Text = FText.substr(start + 1, close - start - 1);
        i = close + 1;
    } else if (c == '[') {
        // Names, each after a comma but the first, with spaces about them.
        i = spaces(i + 1);
        for (bool first = true; at(i) != ']'; first = false) {
            if (!first) {
                if (at(i) != ',') return std::string_view::npos;
                i = spaces(i + 1);
            }
            if (!IsAlpha(at(i))) return std::string_view::npos;
            const std::size_t element = i;
            i = NameEnd(i + 1);
            if (i - element > 255) return std::string_view::npos;
            i = spaces(i);
        }
        p.Kind = TPlainProperty::TKind::Set;
        p.Text = FText.substr(start + 1, i - start - 1);
        ++i;
    } else {
        return std::string_view::npos;
    }
    i = spaces(i);
    if (i < size && text[i] != '\r' && text[i] != '\n') return std::string_view::npos;
    if (p.Kind == TPlainProperty::TKind::String) {
        // A string is joined to one on the next line by a '+' there.
        std::size_t next = i;
        while (next < size && (text[next] == ' ' || text[next] == '\t' || text[next] == '\f' ||
                               text[next] == '\r' || text[next] == '\n'))
            ++next;
        if (at(next) == '+') return std::string_view::npos;
    }
    p.Name = FText.substr(nameStart, nameEnd - nameStart);
    return i;
}

std::size_t TTextParser::TakePlainProperties(TPlainSink& sink) {
    const TToken& name = Token();
    // Unless the token after the name was asked for, the parser stands right after the name.
    if (FPeeked || name.Kind != TTokenKind::Symbol) return 0;
    const std::size_t lineStart = FPos - name.Text.size();
    TPlainProperty p;
    std::size_t end = PlainPropertyEnd(lineStart, p);
    if (end == std::string_view::npos) return 0;
    // Back to the start of the name; nothing taken holds a line break.
    FPos = lineStart;
    FColumn = name.Column;
    std::size_t taken = 0;
    do {
        sink.Take(p);
        ++taken;
        // The line ends at end; most often the next starts with spaces and a name.
        const char* const text = FText.data();
        std::size_t next = end;
        if (next < FText.size() && text[next] == '\n') {
            ++next;
        } else if (next < FText.size() && text[next] == '\r') {
            if (++next < FText.size() && text[next] == '\n') ++next;
        } else {
            FColumn += static_cast<int>(end - FPos);
            FPos = end;
            break;  // the end of the text
        }
        ++FLine;
        const std::size_t indent = next;
        while (next < FText.size() && text[next] == ' ') ++next;
        FColumn = 1 + static_cast<int>(next - indent);
        FPos = next;
    } while ((end = PlainPropertyEnd(FPos, p)) != std::string_view::npos);
    Scan(FTokens[FCurrent]);
    return taken;
}

std::vector<std::uint8_t> TTextParser::ReadHexData() {
    const int line = Token().Line, column = Token().Column;
    std::vector<std::uint8_t> bytes;
    int half = -1;
    for (;;) {
        SkipBlanks();
        if (AtEnd()) ErrorAt(line, column, "the binary data are not closed with '}'");
        const char c = FText[FPos];
        if (c == '}') {
            if (half >= 0) ErrorAt(FLine, FColumn, "the binary data end in half a byte");
            Advance();
            break;
        }
        if (!IsHexDigit(c))
            ErrorAt(FLine, FColumn, "expected hexadecimal digits or '}' in binary data");
        if (half < 0) {
            half = HexValue(c);
        } else {
            bytes.push_back(static_cast<std::uint8_t>(half * 16 + HexValue(c)));
            half = -1;
        }
        Advance();
    }
    Scan(FTokens[FCurrent]);
    return bytes;
}

void TTextParser::Scan(TToken& t) {
    SkipBlanks();
    // The token is filled in place, so that the strings it holds keep their storage; only the
    // fields of its kind are set.
    t.Kind = TTokenKind::EndOfFile;
    t.Text = {};
    t.Line = FLine;
    t.Column = FColumn;
    if (AtEnd()) return;
    const char c = FText[FPos];
    if (IsAlpha(c)) {
        // A name holds no line break: its bytes move the column only.
        const std::size_t start = FPos;
        FPos = NameEnd(start + 1);
        FColumn += static_cast<int>(FPos - start);
        t.Kind = TTokenKind::Symbol;
        t.Text = FText.substr(start, FPos - start);
        if (t.Text.size() > 255) ErrorAt(t.Line, t.Column, "a name is longer than 255 characters");
    } else if (c == '\'' || c == '#') {
        ScanString(t);
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && (IsDigit(At(FPos + 1)) || At(FPos + 1) == '$'))) {
        ScanNumber(t);
    } else if (IsPunctuation(c)) {
        t.Kind = TTokenKind::Char;
        t.Text = FText.substr(FPos, 1);
        Step();  // no line break
    } else {
        char shown[32];
        if (static_cast<unsigned char>(c) >= 0x21 && static_cast<unsigned char>(c) < 0x7F)
            std::snprintf(shown, sizeof shown, "'%c'", c);
        else
            std::snprintf(shown, sizeof shown, "byte 0x%02X", static_cast<unsigned char>(c));
        ErrorAt(t.Line, t.Column,
                std::string("unexpected ") + (shown[0] == '\'' ? "character " : "") + shown);
    }
}

void TTextParser::ScanString(TToken& t) {
    t.Kind = TTokenKind::String;
    // Most strings are one quoted run of bytes, without quotes in it, that the string is as it
    // stands: they are taken at once.
    if (FText[FPos] == '\'') {
        if (const std::size_t end = PlainStringEnd(FPos); end != std::string_view::npos) {
            t.String.Narrow.assign(FText.substr(FPos + 1, end - FPos - 1));
            t.String.Wide.clear();
            t.String.IsWide = false;
            FColumn += static_cast<int>(end + 1 - FPos);
            FPos = end + 1;
            return;
        }
    }
    std::vector<TStringPiece> pieces;
    bool wide = false;
    while (!AtEnd() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
        if (FText[FPos] == '\'') {
            const int line = FLine, column = FColumn;
            Advance();
            std::string bytes;
            for (;;) {
                if (AtEnd() || FText[FPos] == '\r' || FText[FPos] == '\n')
                    ErrorAt(line, column, "the string is not closed before the end of the line");
                const char ch = FText[FPos];
                Advance();
                if (ch == '\'') {
                    if (At(FPos) != '\'') break;
                    Advance();
                }
                if (static_cast<unsigned char>(ch) >= 0x80 && FUtf8) wide = true;
                bytes += ch;
            }
            pieces.push_back(TStringPiece{false, std::move(bytes), 0});
        } else {
            const int line = FLine, column = FColumn;
            Advance();
            std::uint32_t code = 0;
            std::size_t digits = 0;
            const bool hex = At(FPos) == '$';
            if (hex) Advance();
            while (!AtEnd() && (hex ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos]))) {
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(HexValue(FText[FPos]));
                if (code > 0xFFFF) ErrorAt(line, column, "a character code is larger than 65535");
                ++digits;
                Advance();
            }
            if (digits == 0) ErrorAt(line, column, "expected a character code after '#'");
            // Codes from 128 up are UTF-16, as tools that write Unicode spell them.
            if (code >= 0x80) wide = true;
            pieces.push_back(TStringPiece{true, {}, code});
        }
    }
    if (!wide) {
        std::string s;
        for (const TStringPiece& p : pieces)
            if (p.IsCode)
                s += static_cast<char>(p.Code);
            else
                s += p.Bytes;
        t.String = TFormString::FromAnsi(std::move(s));
        return;
    }
    std::u16string w;
    for (const TStringPiece& p : pieces) {
        if (p.IsCode) {
            w += static_cast<char16_t>(p.Code);
        } else if (FUtf8) {
            std::u16string part;
            if (!Utf8ToWide(p.Bytes, part))
                ErrorAt(t.Line, t.Column, "the string is not valid UTF-8");
            w += part;
        } else {
            w += AnsiToWide(p.Bytes);
        }
    }
    t.String = TFormString::FromWide(std::move(w));
}

void TTextParser::ScanNumber(TToken& t) {
    const std::size_t start = FPos;
    const bool negative = FText[FPos] == '-';
    if (negative) Step();
    if (At(FPos) == '$') {
        Step();
        std::uint64_t v = 0;
        std::size_t digits = 0;
        while (!AtEnd() && IsHexDigit(FText[FPos])) {
            if (v > (UINT64_MAX >> 4)) ErrorAt(t.Line, t.Column, "the number is out of range");
            v = v * 16 + static_cast<std::uint64_t>(HexValue(FText[FPos]));
            ++digits;
            Step();
        }
        if (digits == 0) ErrorAt(t.Line, t.Column, "expected hexadecimal digits after '$'");
        if (v > static_cast<std::uint64_t>(INT64_MAX))
            ErrorAt(t.Line, t.Column, "the number is out of range");
        t.Kind = TTokenKind::Integer;
        t.Integer = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
        t.Text = FText.substr(start, FPos - start);
        return;
    }
    bool isFloat = false;
    while (!AtEnd() && IsDigit(FText[FPos])) Step();
    if (At(FPos) == '.' && IsDigit(At(FPos + 1))) {
        isFloat = true;
        Step();
        while (!AtEnd() && IsDigit(FText[FPos])) Step();
    }
    if ((At(FPos) == 'e' || At(FPos) == 'E') &&
        (IsDigit(At(FPos + 1)) ||
         ((At(FPos + 1) == '+' || At(FPos + 1) == '-') && IsDigit(At(FPos + 2))))) {
        isFloat = true;
        Step();
        if (FText[FPos] == '+' || FText[FPos] == '-') Step();
        while (!AtEnd() && IsDigit(FText[FPos])) Step();
    }
    const std::string_view spelling = FText.substr(start, FPos - start);
    t.Text = spelling;
    const char suffix = AnsiText::Lower(At(FPos));
    const bool suffixed = (suffix == 's' || suffix == 'c' || suffix == 'd') &&
                          !IsAlpha(At(FPos + 1)) && !IsDigit(At(FPos + 1));
    if (!isFloat && !suffixed) {
        t.Kind = TTokenKind::Integer;
        if (SumDigits(spelling, t.Integer)) return;
        const auto r =
            std::from_chars(spelling.data(), spelling.data() + spelling.size(), t.Integer);
        if (r.ec != std::errc())
            ErrorAt(t.Line, t.Column, "the number " + std::string(t.Text) + " is out of range");
        return;
    }
    t.Kind = TTokenKind::Float;
    t.FloatSuffix = 0;
    t.Currency = 0;
    if (!ParseFloat(spelling, t.Float))
        ErrorAt(t.Line, t.Column, "the number " + std::string(t.Text) + " is out of range");
    if (suffixed) {
        t.FloatSuffix = suffix;
        Step();
        t.Text = FText.substr(start, FPos - start);
    }
    if (suffix == 'c' && suffixed) {
        // Currency is exact to four decimals: the digits are read as an integer, not a float.
        const std::size_t dot = spelling.find('.');
        const bool exponent = spelling.find_first_of("eE") != std::string_view::npos;
        const long double scaled = t.Float * 10000;
        if (exponent || (dot != std::string_view::npos && spelling.size() - dot - 1 > 4)) {
            if (!(scaled > -9.2233720368547758e18L && scaled < 9.2233720368547758e18L))
                ErrorAt(t.Line, t.Column,
                        "the currency value " + std::string(t.Text) + " is out of range");
            t.Currency = static_cast<std::int64_t>(std::llroundl(scaled));
            return;
        }
        std::string digits(spelling.substr(0, dot));
        std::string fraction =
            dot == std::string_view::npos ? "" : std::string(spelling.substr(dot + 1));
        fraction.resize(4, '0');
        digits += fraction;
        const auto rc = std::from_chars(digits.data(), digits.data() + digits.size(), t.Currency);
        if (rc.ec != std::errc())
            ErrorAt(t.Line, t.Column,
                    "the currency value " + std::string(t.Text) + " is out of range");
    }
}
