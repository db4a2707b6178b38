#include "streaming/TFormConverter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "classes/TypInfo.h"
#include "streaming/EFilerError.h"
#include "streaming/FormLimits.h"
#include "streaming/TBinaryParser.h"
#include "streaming/TReader.h"
#include "streaming/TTextParser.h"
#include "streaming/TWriter.h"

void TTextPositions::Find(std::size_t offset, int& line, int& column) const {
    auto it = std::upper_bound(FEntries.begin(), FEntries.end(), offset,
                               [](std::size_t o, const TEntry& e) { return o < e.Offset; });
    if (it == FEntries.begin()) {
        line = column = 1;
        return;
    }
    --it;
    line = it->Line;
    column = it->Column;
}

namespace TFormConverter {
namespace {

// The shortest spelling that reads back as the same value, in the format's style: an
// upper-case exponent without '+', and a '.' or an exponent always, so that a float never
// reads back as an integer.
std::string Tidy(std::string s) {
    const std::size_t e = s.find('e');
    if (e != std::string::npos) {
        std::string mantissa = s.substr(0, e);
        std::string exponent = s.substr(e + 1);
        bool negative = false;
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            negative = exponent[0] == '-';
            exponent.erase(0, 1);
        }
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        return mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    if (s.find('.') == std::string::npos) s += ".0";
    return s;
}

template <class F>
std::string Shortest(F value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return Tidy(std::string(buf, r.ptr));
}

// ---------------------------------------------------------------------------------------------
// Text to binary.

class TTextToBinary final : TPlainSink {
public:
    TTextToBinary(std::string_view text, TTextPositions* positions)
        : FParser(text), FPositions(positions) {
        // A binary stream takes about two thirds of the room of its text.
        FWriter.Reserve(text.size() / 3 * 2 + 64);
    }

    std::vector<std::uint8_t> Convert() {
        FWriter.WriteSignature();
        ConvertObject(1);
        if (FParser.Token().Kind != TTokenKind::EndOfFile)
            FParser.Error("expected the end of the file after the root object's 'end', " +
                          TTextParser::Found(FParser.Token()));
        return FWriter.TakeBytes();
    }

private:
    // A name and where it stands.
    struct TPlace {
        std::string_view Text;
        int Line;
        int Column;
    };
    static TPlace Place(const TToken& t) { return TPlace{t.Text, t.Line, t.Column}; }

    void Mark(const TToken& t) { Mark(t.Line, t.Column); }
    void Mark(const TPlace& p) { Mark(p.Line, p.Column); }
    void Mark(int line, int column) {
        if (FPositions) FPositions->Add(FWriter.Position(), line, column);
    }

    bool AtHeader() { return FParser.AtObjectHeader(); }
    bool AtEnd() { return FParser.AtObjectEnd(); }

    void CheckDepth(int depth) {
        if (depth > kMaxNesting)
            FParser.Error("nesting deeper than " + std::to_string(kMaxNesting) + " levels");
    }

    // "[n]": a component's position among its siblings (from 0), or a collection item's
    // order (any integer).
    std::int64_t ReadOrderModifier(bool position) {
        FParser.Next();
        const TToken& t = FParser.Token();
        if (t.Kind != TTokenKind::Integer || (position && (t.Integer < 0 || t.Integer > INT32_MAX)))
            FParser.Error((position ? "expected a position (an integer from 0) in [ ], "
                                    : "expected an integer in [ ], ") +
                          TTextParser::Found(t));
        const std::int64_t order = t.Integer;
        FParser.Next();
        FParser.Expect(']', "after the position");
        return order;
    }

    void ConvertObject(int depth) {
        CheckDepth(depth);
        if (!AtHeader())
            FParser.Error("expected 'object', 'inherited' or 'inline' and a name, " +
                          TTextParser::Found(FParser.Token()));
        std::uint8_t flags = 0;
        if (FParser.IsSymbol("inherited"))
            flags = ffInherited;
        else if (FParser.IsSymbol("inline"))
            flags = ffInline;
        FParser.Next();
        TPlace classToken = Place(FParser.Token());
        TPlace nameToken{{}, classToken.Line, classToken.Column};
        FParser.Next();
        if (FParser.IsChar(':')) {
            FParser.Next();
            nameToken = classToken;
            classToken = Place(FParser.Token());
            FParser.ExpectSymbol("a class name after ':'");
        }
        std::int32_t position = -1;
        if (FParser.IsChar('[')) {
            position = static_cast<std::int32_t>(ReadOrderModifier(true));
            flags |= ffChildPos;
        }
        FWriter.WritePrefix(flags, position, classToken.Text);
        Mark(classToken);
        FWriter.WriteStr(classToken.Text);
        Mark(nameToken);
        FWriter.WriteStr(nameToken.Text);

        while (!AtEnd() && !AtHeader()) ConvertProperty(depth);
        FWriter.WriteListEnd();
        while (AtHeader()) ConvertObject(depth + 1);
        FWriter.WriteListEnd();
        if (!AtEnd()) FParser.Error("expected 'end', " + TTextParser::Found(FParser.Token()));
        FParser.Next();
    }

    void ConvertProperty(int depth) {
        // Plain lines are taken whole, unless where each value stands is being noted.
        if (!FPositions && depth < kMaxNesting && FParser.TakePlainProperties(*this) != 0) return;
        const int line = FParser.Token().Line, column = FParser.Token().Column;
        std::string_view name = FParser.ExpectSymbol("a property name or 'end'");
        if (FParser.IsChar('.')) {
            // The parts of a dotted name stand apart in the text (blanks may come between).
            FDottedName = name;
            while (FParser.IsChar('.')) {
                FParser.Next();
                FDottedName += '.';
                FDottedName += FParser.ExpectSymbol("a property name after '.'");
            }
            name = FDottedName;
        }
        if (name.size() > 255)
            FParser.ErrorAt(line, column, "a property name is longer than 255 characters");
        Mark(line, column);
        FWriter.WriteStr(name);
        if (FParser.IsChar('='))
            FParser.Next();
        else
            FParser.Expect('=', "after the property name " + std::string(name));
        ConvertValue(depth + 1);
    }

    void Take(const TPlainProperty& p) override {
        FWriter.WriteStr(p.Name);
        switch (p.Kind) {
            case TPlainProperty::TKind::Integer:
                FWriter.WriteInteger(p.Integer);
                break;
            case TPlainProperty::TKind::Symbol:
                WriteSymbol(p.Text);
                break;
            case TPlainProperty::TKind::String:
                FWriter.WriteAnsiString(p.Text);
                break;
            case TPlainProperty::TKind::Set:
                FWriter.WriteValue(TValueType::vaSet);
                p.SetElements([&](std::string_view name) { FWriter.WriteStr(name); });
                FWriter.WriteStr("");
                break;
        }
    }

    void ConvertString() {
        // Most strings are one token: written as they stand.
        if (const TToken& after = FParser.Peek();
            !(after.Kind == TTokenKind::Char && after.Text[0] == '+')) {
            FWriter.WriteFormString(FParser.Token().String);
            FParser.Next();
            return;
        }
        TFormString s = FParser.Token().String;
        FParser.Next();
        while (FParser.IsChar('+')) {
            FParser.Next();
            if (FParser.Token().Kind != TTokenKind::String)
                FParser.Error("expected a string after '+', " +
                              TTextParser::Found(FParser.Token()));
            const TFormString& more = FParser.Token().String;
            if (s.IsWide || more.IsWide) {
                if (!s.IsWide) s = TFormString::FromWide(AnsiToWide(s.Narrow));
                s.Wide += more.IsWide ? more.Wide : AnsiToWide(more.Narrow);
            } else {
                s.Narrow += more.Narrow;
            }
            FParser.Next();
        }
        FWriter.WriteFormString(s);
    }

    void ConvertFloat(const TToken& t) {
        // The spelling without its suffix, read again at the precision of its type.
        const std::string_view digits =
            t.FloatSuffix ? t.Text.substr(0, t.Text.size() - 1) : t.Text;
        switch (t.FloatSuffix) {
            case 's': {
                float f = 0;
                if (!ParseFloat(digits, f))
                    FParser.Error("the number " + std::string(t.Text) +
                                  " is out of range for a single float");
                FWriter.WriteSingle(f);
                break;
            }
            case 'd': {
                double d = 0;
                if (!ParseFloat(digits, d))
                    FParser.Error("the number " + std::string(t.Text) +
                                  " is out of range for a date");
                FWriter.WriteDate(d);
                break;
            }
            case 'c':
                FWriter.WriteCurrency(t.Currency);
                break;
            default:
                FWriter.WriteFloat(t.Float);
                break;
        }
    }

    // A name as a value: the four that are values of their own, or an identifier.
    void WriteSymbol(std::string_view name) {
        if (SameText(name, "False"))
            FWriter.WriteValue(TValueType::vaFalse);
        else if (SameText(name, "True"))
            FWriter.WriteValue(TValueType::vaTrue);
        else if (SameText(name, "nil"))
            FWriter.WriteValue(TValueType::vaNil);
        else if (SameText(name, "Null"))
            FWriter.WriteValue(TValueType::vaNull);
        else
            FWriter.WriteIdent(name);
    }

    void ConvertValue(int depth) {
        CheckDepth(depth);
        const TToken& t = FParser.Token();
        Mark(t);
        switch (t.Kind) {
            case TTokenKind::Integer:
                FWriter.WriteInteger(t.Integer);
                FParser.Next();
                return;
            case TTokenKind::Float:
                ConvertFloat(t);
                FParser.Next();
                return;
            case TTokenKind::String:
                ConvertString();
                return;
            case TTokenKind::Symbol:
                WriteSymbol(t.Text);
                FParser.Next();
                return;
            case TTokenKind::Char:
                if (t.Text == "[") return ConvertSet();
                if (t.Text == "(") return ConvertList(depth);
                if (t.Text == "{") {
                    const std::vector<std::uint8_t> bytes = FParser.ReadHexData();
                    FWriter.WriteBinary(bytes);
                    return;
                }
                if (t.Text == "<") return ConvertCollection(depth);
                break;
            case TTokenKind::EndOfFile:
                break;
        }
        FParser.Error("expected a value, " + TTextParser::Found(t));
    }

    void ConvertSet() {
        FParser.Next();
        FWriter.WriteValue(TValueType::vaSet);
        if (!FParser.IsChar(']')) {
            for (;;) {
                FWriter.WriteStr(FParser.ExpectSymbol("the name of a set element"));
                if (!FParser.IsChar(',')) break;
                FParser.Next();
            }
        }
        FParser.Expect(']', "to close the set");
        FWriter.WriteStr("");
    }

    void ConvertList(int depth) {
        const TToken open = FParser.Token();
        FParser.Next();
        FWriter.WriteListBegin();
        while (!FParser.IsChar(')')) {
            if (FParser.Token().Kind == TTokenKind::EndOfFile)
                FParser.ErrorAt(open.Line, open.Column, "the list is not closed with ')'");
            // Null is the value that ends a list in a binary stream.
            if (FParser.IsSymbol("Null")) FParser.Error("Null cannot stand in a list");
            ConvertValue(depth + 1);
        }
        FParser.Next();
        FWriter.WriteListEnd();
    }

    void ConvertCollection(int depth) {
        FParser.Next();
        FWriter.WriteValue(TValueType::vaCollection);
        while (!FParser.IsChar('>')) {
            CheckDepth(depth + 1);
            if (!FParser.IsSymbol("item"))
                FParser.Error("expected 'item' or '>', " + TTextParser::Found(FParser.Token()));
            FParser.Next();
            if (FParser.IsChar('[')) {
                Mark(FParser.Token());
                FWriter.WriteInteger(ReadOrderModifier(false));
            }
            FWriter.WriteListBegin();
            while (!AtEnd()) ConvertProperty(depth + 1);
            FParser.Next();
            FWriter.WriteListEnd();
        }
        FParser.Next();
        FWriter.WriteListEnd();
    }

    TTextParser FParser;
    TWriter FWriter;
    TTextPositions* FPositions;
    std::string FDottedName;  // the property name being read, when it has dots
};

// ---------------------------------------------------------------------------------------------
// Binary to text.

class TBinaryToText {
public:
    TBinaryToText(std::span<const std::uint8_t> stream, std::size_t baseOffset,
                  const TTextSink& sink, std::size_t maxSize)
        : FParser(stream, baseOffset), FSink(sink), FMaxSize(maxSize) {}

    void Convert() {
        FParser.ReadSignature();
        ConvertObject(1);
        FParser.ReadPadding();
        Flush();
    }

private:
    static constexpr std::size_t kBytesPerLine = 32;
    static constexpr std::size_t kCharsPerLine = 64;
    // Text goes to the sink in pieces of about this size.
    static constexpr std::size_t kPieceSize = 64 * 1024;

    void Write(std::string_view s) {
        FWritten += s.size();
        if (FWritten > FMaxSize)
            FParser.Error("the form would take more than " + std::to_string(FMaxSize) +
                          " bytes as text, the most a conversion writes");
        FPiece += s;
        if (FPiece.size() >= kPieceSize) Flush();
    }
    void Flush() {
        if (FPiece.empty()) return;
        FSink(FPiece);
        FPiece.clear();
    }
    void Indent() { Write(std::string(static_cast<std::size_t>(FNesting) * 2, ' ')); }
    void NewLine() {
        Write("\r\n");
        Indent();
    }

    void CheckDepth(int depth) {
        if (depth > kMaxNesting)
            FParser.Error("nesting deeper than " + std::to_string(kMaxNesting) + " levels");
    }

    void CheckIdent(const std::string& name, std::size_t offset, const char* what) {
        if (!IsValidIdent(name))
            FParser.ErrorAt(offset, QuotedText(name) + " is not a valid " + what);
    }

    void ConvertObject(int depth) {
        CheckDepth(depth);
        const TComponentHeader h = FParser.ReadComponentHeader();
        CheckIdent(h.ClassName, h.ClassOffset, "class name");
        if (!h.Name.empty()) CheckIdent(h.Name, h.NameOffset, "component name");
        Indent();
        Write(h.Flags & ffInherited ? "inherited " : h.Flags & ffInline ? "inline " : "object ");
        if (!h.Name.empty()) {
            Write(h.Name);
            Write(": ");
        }
        Write(h.ClassName);
        if (h.Flags & ffChildPos) {
            Write(" [");
            Write(std::to_string(h.ChildPos));
            Write("]");
        }
        Write("\r\n");
        ++FNesting;
        while (!FParser.EndOfList()) ConvertProperty(depth);
        FParser.ReadListEnd();
        while (!FParser.EndOfList()) ConvertObject(depth + 1);
        FParser.ReadListEnd();
        --FNesting;
        Indent();
        Write("end\r\n");
    }

    void ConvertProperty(int depth) {
        const std::size_t offset = FParser.Offset();
        const std::string name = FParser.ReadStr();
        std::size_t start = 0;
        for (;;) {
            const std::size_t dot = name.find('.', start);
            if (!IsValidIdent(name.substr(start, dot == std::string::npos ? dot : dot - start)))
                FParser.ErrorAt(offset, QuotedText(name) + " is not a valid property name");
            if (dot == std::string::npos) break;
            start = dot + 1;
        }
        Indent();
        Write(name);
        Write(" = ");
        ConvertValue(depth + 1);
        Write("\r\n");
    }

    // Printable runs in quotes with '' for a quote, other characters as #nn; a long string
    // goes on lines of its own, 64 characters each, joined with +.
    void ConvertString(const TFormString& s) {
        const std::size_t length = s.Length();
        if (length == 0) {
            Write("''");
            return;
        }
        auto unit = [&](std::size_t i) -> std::uint32_t {
            return s.IsWide ? s.Wide[i] : static_cast<unsigned char>(s.Narrow[i]);
        };
        auto printable = [&](std::uint32_t c) { return c >= 0x20 && (!s.IsWide || c < 0x80); };
        ++FNesting;
        if (length > kCharsPerLine) NewLine();
        std::size_t lineStart = 0;
        std::size_t i = 0;
        while (i < length) {
            if (printable(unit(i))) {
                std::string run = "'";
                while (i < length && printable(unit(i)) && i - lineStart < kCharsPerLine) {
                    const char c = static_cast<char>(unit(i++));
                    run += c;
                    if (c == '\'') run += '\'';
                }
                Write(run + "'");
            } else {
                Write("#");
                Write(std::to_string(unit(i++)));
            }
            if (i - lineStart >= kCharsPerLine && i < length) {
                Write(" +");
                NewLine();
                lineStart = i;
            }
        }
        --FNesting;
    }

    void ConvertBinary(std::span<const std::uint8_t> data) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        Write("{");
        ++FNesting;
        for (std::size_t i = 0; i < data.size(); i += kBytesPerLine) {
            NewLine();
            std::string line;
            for (std::size_t k = i; k < std::min(data.size(), i + kBytesPerLine); ++k) {
                line += kHex[data[k] >> 4];
                line += kHex[data[k] & 15];
            }
            Write(line);
        }
        --FNesting;
        Write("}");
    }

    void CheckFinite(long double v, std::size_t offset) {
        if (!std::isfinite(v))
            FParser.ErrorAt(offset, "a float that is not a finite number has no text form");
    }

    void ConvertValue(int depth) {
        CheckDepth(depth);
        const std::size_t offset = FParser.Offset();
        const TValueType t = FParser.ReadValue();
        switch (t) {
            case TValueType::vaList:
                Write("(");
                ++FNesting;
                while (!FParser.EndOfList()) {
                    NewLine();
                    ConvertValue(depth + 1);
                }
                FParser.ReadListEnd();
                --FNesting;
                Write(")");
                return;
            case TValueType::vaInt8:
            case TValueType::vaInt16:
            case TValueType::vaInt32:
            case TValueType::vaInt64:
                Write(std::to_string(FParser.ReadIntegerData(t)));
                return;
            case TValueType::vaExtended: {
                const long double v = FParser.ReadExtendedData();
                CheckFinite(v, offset);
                Write(FormatFloat(v));
                return;
            }
            case TValueType::vaDouble: {
                const double v = FParser.ReadDoubleData();
                CheckFinite(v, offset);
                Write(Shortest(v));
                return;
            }
            case TValueType::vaSingle: {
                const float v = FParser.ReadSingleData();
                CheckFinite(v, offset);
                Write(Shortest(v) + "s");
                return;
            }
            case TValueType::vaDate: {
                const double v = FParser.ReadDoubleData();
                CheckFinite(v, offset);
                Write(Shortest(v) + "d");
                return;
            }
            case TValueType::vaCurrency:
                Write(FormatCurrency(FParser.ReadCurrencyData()) + "c");
                return;
            case TValueType::vaString:
            case TValueType::vaLString:
            case TValueType::vaWString:
            case TValueType::vaUTF8String:
                ConvertString(FParser.ReadStringData(t));
                return;
            case TValueType::vaIdent: {
                const std::string name = FParser.ReadStr();
                CheckIdent(name, offset, "name");
                Write(name);
                return;
            }
            case TValueType::vaFalse:
                Write("False");
                return;
            case TValueType::vaTrue:
                Write("True");
                return;
            case TValueType::vaNil:
                Write("nil");
                return;
            case TValueType::vaNull:
                Write("Null");
                return;
            case TValueType::vaBinary:
                ConvertBinary(FParser.ReadBinaryData());
                return;
            case TValueType::vaSet: {
                Write("[");
                bool first = true;
                for (const std::string& name : FParser.ReadSetData()) {
                    CheckIdent(name, offset, "set element");
                    if (!first) Write(", ");
                    Write(name);
                    first = false;
                }
                Write("]");
                return;
            }
            case TValueType::vaCollection:
                ConvertCollection(depth);
                return;
        }
    }

    void ConvertCollection(int depth) {
        Write("<");
        ++FNesting;
        while (!FParser.EndOfList()) {
            CheckDepth(depth + 1);
            NewLine();
            Write("item");
            const std::size_t at = FParser.Offset();
            TValueType t = FParser.ReadValue();
            if (TBinaryParser::IsInteger(t)) {
                Write(" [" + std::to_string(FParser.ReadIntegerData(t)) + "]");
                t = FParser.ReadValue();
            }
            if (t != TValueType::vaList)
                FParser.ErrorAt(
                    at, std::string("expected the properties of a collection item, found ") +
                            ValueTypeDescription(t));
            Write("\r\n");
            ++FNesting;
            while (!FParser.EndOfList()) ConvertProperty(depth + 1);
            FParser.ReadListEnd();
            --FNesting;
            Indent();
            Write("end");
        }
        FParser.ReadListEnd();
        --FNesting;
        Write(">");
    }

    TBinaryParser FParser;
    const TTextSink& FSink;
    const std::size_t FMaxSize;
    std::string FPiece;
    std::size_t FWritten = 0;
    int FNesting = 0;
};

}  // namespace

std::string FormatFloat(long double v) {
    // A value that a double holds exactly is spelt as that double: 0.1, not the 20 digits of
    // the extended number nearest to it.
    const auto d = static_cast<double>(v);
    if (static_cast<long double>(d) == v) return Shortest(d);
    return Shortest(v);
}

std::string FormatCurrency(std::int64_t v) {
    const bool negative = v < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string s = negative ? "-" : "";
    s += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) {
        s += '.';
        s += fraction;
    }
    return s;
}

std::vector<std::uint8_t> TextToBinary(std::string_view text, TTextPositions* positions) {
    return TTextToBinary(text, positions).Convert();
}

void BinaryToText(std::span<const std::uint8_t> stream, const TTextSink& write,
                  std::size_t baseOffset, std::size_t maxSize) {
    TBinaryToText(stream, baseOffset, write, maxSize).Convert();
}

std::string BinaryToText(std::span<const std::uint8_t> stream, std::size_t baseOffset) {
    std::string text;
    BinaryToText(
        stream, [&](std::string_view piece) { text += piece; }, baseOffset);
    return text;
}

}  // namespace TFormConverter
