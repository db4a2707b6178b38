#include "designer/TFormOutline.h"

#include "streaming/EFilerError.h"
#include "streaming/FormLimits.h"
#include "streaming/TBinaryParser.h"
#include "streaming/TTextParser.h"

namespace FormOutline {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Walks a text form as the converter reads it, noting where each item starts and ends. The
// parser gives tokens with their lines and columns; the offsets come from those.
class TTextOutliner {
public:
    explicit TTextOutliner(std::string_view text) : FText(text), FParser(text) {
        std::size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
        FLineStarts.push_back(start);
        for (std::size_t i = start; i < text.size(); ++i)
            if (text[i] == '\n' ||
                (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                FLineStarts.push_back(i + 1);
    }

    TFormOutline Outline() {
        TFormOutline outline;
        outline.IsText = true;
        outline.Head = TSpan{0, TokenStart()};
        Object(outline.Root, 1);
        outline.Root.Lead = outline.Root.Header.Start;
        if (FParser.Token().Kind != TTokenKind::EndOfFile)
            FParser.Error("expected the end of the file after the root object's 'end'");
        outline.Tail = TSpan{outline.Root.Close.End, FText.size()};
        return outline;
    }

    std::vector<TSpan> Objects() {
        std::vector<TSpan> spans;
        while (FParser.Token().Kind != TTokenKind::EndOfFile) {
            TOutlineObject o;
            Object(o, 1);
            spans.push_back(TSpan{o.Header.Start, o.Close.End});
        }
        return spans;
    }

private:
    std::size_t Offset(const TToken& t) const {
        if (t.Kind == TTokenKind::EndOfFile) return FText.size();
        const std::size_t line = static_cast<std::size_t>(t.Line) - 1;
        return (line < FLineStarts.size() ? FLineStarts[line] : FText.size()) +
               static_cast<std::size_t>(t.Column - 1);
    }
    std::size_t TokenStart() const { return Offset(FParser.Token()); }
    // Where the token before the current one ends: only blanks lie between tokens.
    std::size_t PreviousEnd() const {
        std::size_t at = TokenStart();
        while (at > 0 && IsBlank(FText[at - 1])) --at;
        return at;
    }

    bool AtHeader() { return FParser.AtObjectHeader(); }
    bool AtEnd() { return FParser.AtObjectEnd(); }
    void CheckDepth(int depth) const {
        if (depth > kMaxNesting) FParser.Error("nesting deeper than the form files allow");
    }

    void Object(TOutlineObject& o, int depth) {
        CheckDepth(depth);
        o.Lead = PreviousEnd();
        o.Header.Start = TokenStart();
        if (!AtHeader()) FParser.Error("expected 'object', 'inherited' or 'inline' and a name");
        FParser.Next();
        TToken first = FParser.Token();
        FParser.Next();
        if (FParser.IsChar(':')) {
            FParser.Next();
            o.Name = first.Text;
            o.NameToken = TSpan{Offset(first), Offset(first) + first.Text.size()};
            o.ClassName = FParser.ExpectSymbol("a class name after ':'");
        } else {
            o.ClassName = first.Text;
            o.NameToken = TSpan{Offset(first), Offset(first)};
        }
        if (FParser.IsChar('[')) {
            FParser.Next();
            FParser.Next();
            FParser.Expect(']', "after the position");
        }
        o.Header.End = PreviousEnd();
        while (!AtEnd() && !AtHeader()) {
            if (FParser.Token().Kind == TTokenKind::EndOfFile)
                FParser.Error("expected 'end' before the end of the file");
            o.Properties.push_back(Property(depth));
        }
        while (AtHeader()) Object(o.Children.emplace_back(), depth + 1);
        if (!AtEnd()) FParser.Error("expected 'end'");
        o.Close.Start = PreviousEnd();
        FParser.Next();
        o.Close.End = PreviousEnd();
    }

    TOutlineProperty Property(int depth) {
        TOutlineProperty p;
        p.Lead = PreviousEnd();
        p.Whole.Start = TokenStart();
        p.Name = FParser.ExpectSymbol("a property name or 'end'");
        while (FParser.IsChar('.')) {
            FParser.Next();
            p.Name += '.';
            p.Name += FParser.ExpectSymbol("a property name after '.'");
        }
        FParser.Expect('=', "after the property name " + p.Name);
        p.Value.Start = TokenStart();
        Value(depth + 1);
        p.Value.End = p.Whole.End = PreviousEnd();
        return p;
    }

    void Value(int depth) {
        CheckDepth(depth);
        const TToken& t = FParser.Token();
        switch (t.Kind) {
            case TTokenKind::Integer:
            case TTokenKind::Float:
            case TTokenKind::Symbol:
                FParser.Next();
                return;
            case TTokenKind::String:
                FParser.Next();
                while (FParser.IsChar('+')) {
                    FParser.Next();
                    if (FParser.Token().Kind != TTokenKind::String)
                        FParser.Error("expected a string after '+'");
                    FParser.Next();
                }
                return;
            case TTokenKind::Char:
                if (t.Text == "[") {
                    while (!FParser.IsChar(']')) {
                        if (FParser.Token().Kind == TTokenKind::EndOfFile)
                            FParser.Error("the set is not closed with ']'");
                        FParser.Next();
                    }
                    FParser.Next();
                    return;
                }
                if (t.Text == "(") {
                    FParser.Next();
                    while (!FParser.IsChar(')')) {
                        if (FParser.Token().Kind == TTokenKind::EndOfFile)
                            FParser.Error("the list is not closed with ')'");
                        Value(depth + 1);
                    }
                    FParser.Next();
                    return;
                }
                if (t.Text == "{") {
                    FParser.ReadHexData();
                    return;
                }
                if (t.Text == "<") {
                    Collection(depth);
                    return;
                }
                break;
            case TTokenKind::EndOfFile:
                break;
        }
        FParser.Error("expected a value");
    }

    void Collection(int depth) {
        FParser.Next();
        while (!FParser.IsChar('>')) {
            if (!FParser.IsSymbol("item")) FParser.Error("expected 'item' or '>'");
            FParser.Next();
            if (FParser.IsChar('[')) {
                FParser.Next();
                FParser.Next();
                FParser.Expect(']', "after the order");
            }
            while (!AtEnd()) {
                if (FParser.Token().Kind == TTokenKind::EndOfFile)
                    FParser.Error("expected 'end' before the end of the file");
                Property(depth + 1);
            }
            FParser.Next();
        }
        FParser.Next();
    }

    std::string_view FText;
    TTextParser FParser;
    std::vector<std::size_t> FLineStarts;
};

class TBinaryOutliner {
public:
    explicit TBinaryOutliner(std::span<const std::uint8_t> stream) : FParser(stream) {}

    TFormOutline Outline() {
        TFormOutline outline;
        outline.IsText = false;
        FParser.ReadSignature();
        outline.Head = TSpan{0, FParser.Offset()};
        Object(outline.Root, 1);
        outline.Tail = TSpan{FParser.Offset(), FParser.Offset() + FParser.Remaining()};
        FParser.ReadPadding();
        return outline;
    }

private:
    void Object(TOutlineObject& o, int depth) {
        if (depth > kMaxNesting) FParser.Error("nesting deeper than the form files allow");
        o.Lead = o.Header.Start = FParser.Offset();
        const TComponentHeader h = FParser.ReadComponentHeader();
        o.ClassName = h.ClassName;
        o.Name = h.Name;
        o.NameToken = TSpan{h.NameOffset, h.NameOffset + 1 + h.Name.size()};
        o.Header.End = FParser.Offset();
        while (!FParser.EndOfList()) {
            TOutlineProperty& p = o.Properties.emplace_back();
            p.Lead = p.Whole.Start = FParser.Offset();
            p.Name = FParser.ReadStr();
            p.Value.Start = FParser.Offset();
            Value(depth + 1);
            p.Value.End = p.Whole.End = FParser.Offset();
        }
        o.PropertiesEnd = FParser.Offset();
        FParser.ReadListEnd();
        while (!FParser.EndOfList()) Object(o.Children.emplace_back(), depth + 1);
        o.Close.Start = FParser.Offset();
        FParser.ReadListEnd();
        o.Close.End = FParser.Offset();
    }

    void Value(int depth) {
        if (depth > kMaxNesting) FParser.Error("nesting deeper than the form files allow");
        const TValueType t = FParser.ReadValue();
        switch (t) {
            case TValueType::vaList:
                while (!FParser.EndOfList()) Value(depth + 1);
                FParser.ReadListEnd();
                return;
            case TValueType::vaExtended:
                FParser.ReadExtendedData();
                return;
            case TValueType::vaSingle:
                FParser.ReadSingleData();
                return;
            case TValueType::vaDouble:
            case TValueType::vaDate:
                FParser.ReadDoubleData();
                return;
            case TValueType::vaCurrency:
                FParser.ReadCurrencyData();
                return;
            case TValueType::vaIdent:
                FParser.ReadStr();
                return;
            case TValueType::vaFalse:
            case TValueType::vaTrue:
            case TValueType::vaNil:
            case TValueType::vaNull:
                return;
            case TValueType::vaBinary:
                FParser.ReadBinaryData();
                return;
            case TValueType::vaSet:
                FParser.ReadSetData();
                return;
            case TValueType::vaCollection:
                while (!FParser.EndOfList()) {
                    if (TBinaryParser::IsInteger(FParser.NextValue()))
                        FParser.ReadIntegerData(FParser.ReadValue());
                    if (FParser.ReadValue() != TValueType::vaList)
                        FParser.Error("expected the properties of a collection item");
                    while (!FParser.EndOfList()) {
                        FParser.ReadStr();
                        Value(depth + 1);
                    }
                    FParser.ReadListEnd();
                }
                FParser.ReadListEnd();
                return;
            default:
                if (TBinaryParser::IsInteger(t))
                    FParser.ReadIntegerData(t);
                else if (TBinaryParser::IsString(t))
                    FParser.ReadStringData(t);
                return;
        }
    }

    TBinaryParser FParser;
};

}  // namespace

TFormOutline OfText(std::string_view text) {
    return TTextOutliner(text).Outline();
}

std::vector<TSpan> ObjectsOfText(std::string_view text) {
    return TTextOutliner(text).Objects();
}

TFormOutline OfBinary(std::span<const std::uint8_t> stream) {
    return TBinaryOutliner(stream).Outline();
}

std::string LineEnding(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return "\r\n";
    if (text[at] == '\n') return "\n";
    return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
}

std::string IndentAt(std::string_view text, std::size_t offset) {
    std::size_t start = std::min(offset, text.size());
    while (start > 0 && text[start - 1] != '\n' && text[start - 1] != '\r') --start;
    std::size_t end = start;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
    return std::string(text.substr(start, end - start));
}

}  // namespace FormOutline
