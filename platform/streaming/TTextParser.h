// The tokens of a text form file: names, integers, floats, strings (quoted runs, #nn
// character codes and both joined), and the punctuation of the format. Lines and columns
// count from 1; every error names where it is and what was expected.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/AnsiText.h"
#include "streaming/TFormString.h"

enum class TTokenKind : std::uint8_t { EndOfFile, Symbol, Integer, Float, String, Char };

struct TToken {
    TTokenKind Kind = TTokenKind::EndOfFile;
    // The name of a symbol, the character of a Char, the spelling of a number (with its
    // suffix): where it stands in the text, which outlives the parser's tokens.
    std::string_view Text;
    std::int64_t Integer = 0;
    long double Float = 0;
    char FloatSuffix = 0;       // 's' single, 'c' currency, 'd' date, 0 extended
    std::int64_t Currency = 0;  // ten-thousandths, for the suffix 'c'
    TFormString String;
    int Line = 1;
    int Column = 1;
};

// Reads the spelling of a float (digits, '.', exponent) whatever the locale; false when it is
// out of range.
template <class F>
bool ParseFloat(std::string_view spelling, F& value);

// A property on a line of its own in its plainest spelling: its name (parts joined with dots,
// no blanks between), '=', then an integer of up to 18 digits, a name, a string of one
// quoted run without quotes in it, or a set of names, and the end of the line.
struct TPlainProperty {
    enum class TKind : std::uint8_t { Integer, Symbol, String, Set };
    std::string_view Name;
    TKind Kind = TKind::Integer;
    std::int64_t Integer = 0;
    // The symbol; the string's bytes between its quotes; the set's names between its brackets,
    // each after the one before and a comma, blanks around them (SetElements splits them).
    std::string_view Text;

    // Hands each name of a set to f, in order.
    template <class F>
    void SetElements(F&& f) const {
        std::size_t i = 0;
        while (i < Text.size()) {
            while (i < Text.size() && (Text[i] == ' ' || Text[i] == ',')) ++i;
            if (i == Text.size()) break;
            const std::size_t start = i;
            while (i < Text.size() && AnsiText::IsNameChar(Text[i])) ++i;
            f(Text.substr(start, i - start));
        }
    }
};

// Takes plain properties from the parser, one line after another.
class TPlainSink {
public:
    virtual void Take(const TPlainProperty& p) = 0;

protected:
    ~TPlainSink() = default;
};

class TTextParser {
public:
    // A file that starts with the UTF-8 byte order mark holds UTF-8; any other holds code
    // page 1252.
    explicit TTextParser(std::string_view text);

    const TToken& Token() const { return FTokens[FCurrent]; }
    // The token after the current one.
    const TToken& Peek();
    void Next() {
        if (FPeeked) {
            FCurrent ^= 1;
            FPeeked = false;
        } else {
            Scan(FTokens[FCurrent]);
        }
    }

    bool IsSymbol(std::string_view name) const {  // case-insensitive
        return Token().Kind == TTokenKind::Symbol && SameText(Token().Text, name);
    }
    // Whether an object starts here: 'object', 'inherited' or 'inline' and a name after it.
    bool AtObjectHeader() {
        return (IsSymbol("object") || IsSymbol("inherited") || IsSymbol("inline")) &&
               Peek().Kind == TTokenKind::Symbol;
    }
    // Whether an object's 'end' is here, and not a property called end ("end = 1").
    bool AtObjectEnd() { return IsSymbol("end") && !PeekAssigns(); }
    bool IsChar(char c) const { return Token().Kind == TTokenKind::Char && Token().Text[0] == c; }
    // Moves past the character c, which must come next.
    void Expect(char c, std::string_view context);
    // A symbol, which must come next, as it stands in the text; what names it in the message.
    std::string_view ExpectSymbol(std::string_view what) {
        if (Token().Kind != TTokenKind::Symbol) ExpectedSymbol(what);
        const std::string_view s = Token().Text;
        Next();
        return s;
    }
    // Takes the plain properties that come one after another from the current token, reading
    // their bytes directly and handing each to the sink, and moves to the token after the last;
    // returns how many it took (none when the current token starts no plain property, and then
    // nothing moves). Most lines of a form are plain: the tokens of anything else are read one
    // by one.
    std::size_t TakePlainProperties(TPlainSink& sink);
    // The bytes of { hex } data; the current token is the '{'. Ends on the token after '}'.
    std::vector<std::uint8_t> ReadHexData();

    [[noreturn]] void Error(const std::string& message) const;
    [[noreturn]] void ErrorAt(int line, int column, const std::string& message) const;
    // "found 'Caption'", "found the end of the file", ...
    static std::string Found(const TToken& token);

private:
    [[noreturn]] void ExpectedSymbol(std::string_view what) const;
    // Whether '=' or '.' comes next: the symbol is a property's name.
    bool PeekAssigns();
    void Scan(TToken& token);
    void SkipBlanks();
    void ScanString(TToken& t);
    void ScanNumber(TToken& t);
    void Advance();  // one byte, counting lines
    // One byte that is no line break.
    void Step() {
        ++FPos;
        ++FColumn;
    }
    char At(std::size_t i) const { return i < FText.size() ? FText[i] : '\0'; }
    // Where the name characters from i end.
    std::size_t NameEnd(std::size_t i) const {
        while (i < FText.size() && AnsiText::IsNameChar(FText[i])) ++i;
        return i;
    }
    // For the quote at open, the quote that closes it when the string is that run as it stands
    // (no line break or quote in it, no character code after it, no byte above ASCII in a
    // UTF-8 file); otherwise npos.
    std::size_t PlainStringEnd(std::size_t open) const;
    // For a plain property whose name starts at i, where its line ends (after the blanks that
    // follow its value); npos when what starts there is not one.
    std::size_t PlainPropertyEnd(std::size_t i, TPlainProperty& p) const;
    bool AtEnd() const { return FPos >= FText.size(); }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    int FColumn = 1;
    bool FUtf8 = false;
    // The current token and the one after it, once asked for: Next takes turns between them,
    // so that neither is copied and each keeps the storage of its strings.
    TToken FTokens[2];
    int FCurrent = 0;
    bool FPeeked = false;
};
