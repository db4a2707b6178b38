// Text and binary form files converted into each other: every spelling of the text format,
// every value type of the binary format, and conversions that lose nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"
#include "streaming/TFormConverter.h"
#include "streaming/TResourceFile.h"
#include "streaming/TWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Crlf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

Bytes Binary(std::string_view text) {
    return TFormConverter::TextToBinary(text);
}
std::string Text(const Bytes& binary) {
    return TFormConverter::BinaryToText(binary);
}

// The bytes of a stream holding one object of class TX named A with one property P = value,
// where value is written by the writer as the test says.
template <class F>
Bytes OneProperty(F writeValue) {
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader(0, -1, "TX", "A");
    w.WriteStr("P");
    writeValue(w);
    w.WriteListEnd();
    w.WriteListEnd();
    return w.TakeBytes();
}

std::string OnePropertyText(const std::string& value) {
    return Crlf("object A: TX\n  P = " + value + "\nend\n");
}

// Every spelling of the text format, as the converter writes it.
const std::string kEverySpelling = Crlf(R"(inherited Form1: TForm1 [3]
  Caption = 'It''s'#13#10'two lines'
  Long = 
    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'bbbbbbbbbbbbbbbb'
  Euro = #8364' and '#233
  Ansi = 'caf)"
                                        "\xE9"
                                        R"('
  Empty = ''
  Numbers = (
    1
    -1
    300
    -70000
    5000000000
    -9223372036854775808)
  Floats = (
    1.5
    2.0
    0.1
    1E25
    -3.25E-7
    1.5s
    12.25c
    -0.0001c
    100c
    36526.5d)
  Flags = [fsBold, fsItalic]
  NoFlags = []
  Idents = (
    True
    False
    nil
    clBtnFace)
  Nothing = Null
  Data = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    FF}
  NoData = {}
  Nested = (
    (
      1
      (
        'deep'))
    ())
  Cols = <
    item [2]
      Caption = 'x'
    end
    item
    end>
  NoCols = <>
  Font.Name = 'Arial'
  inline Frame: TFrame1
    end = 1
  end
  object TButton
  end
end
)");

}  // namespace

TEST(FormConversion, EverySpellingConvertsToBinaryAndBackUnchanged) {
    const Bytes binary = Binary(kEverySpelling);
    EXPECT_EQ(Text(binary), kEverySpelling);
    EXPECT_EQ(Binary(Text(binary)), binary);
}

TEST(FormConversion, LooseSpellingsReadAsTheirCanonicalForms) {
    // Any case of the keywords, LF or CR line ends, spaces anywhere, strings joined with +,
    // hexadecimal numbers and character codes, and data split over lines.
    const std::string loose =
        "OBJECT A :TX\r  P1=  'a'+'b' + #$41\n  P2 = $10\n  P3 = {00 0\n1}\n"
        "  P4=[ x ,y ]\n  P5 = 1.0e2\n  P6=(1 2)\nEND";
    EXPECT_EQ(Text(Binary(loose)), Crlf("object A: TX\n  P1 = 'abA'\n  P2 = 16\n  P3 = {\n"
                                        "    0001}\n  P4 = [x, y]\n  P5 = 100.0\n"
                                        "  P6 = (\n    1\n    2)\nend\n"));
}

TEST(FormConversion, PlainLinesTakenWholeGiveWhatTheirTokensGive) {
    // Plain lines are read whole, unless positions are noted: both ways give the same bytes,
    // and the lines that only look plain are read token by token.
    const std::string lines[] = {"P = 1",
                                 "P=1",
                                 "P = -7   ",
                                 "P = 007",
                                 "P = 999999999999999999",
                                 "P = 1000000000000000000",
                                 "P = -999999999999999999",
                                 "P = $FF",
                                 "P = 5s",
                                 "P = 1.5",
                                 "P = 1E5",
                                 "P = 12c",
                                 "P = True",
                                 "P = nil",
                                 "P = NULL",
                                 "P = clNavy",
                                 "P = end",
                                 "Font.Name = 'Arial'",
                                 "Font . Name = 'x'",
                                 "Font.Style = [fsBold]",
                                 "S = []",
                                 "S = [ ]",
                                 "S = [a,b]",
                                 "S = [ a , b ]  ",
                                 "S = [a,\n    b]",
                                 "S = [\ta]",
                                 "S = [" + std::string(255, 'x') + "]",
                                 "P = 'a''b'",
                                 "P = 'a'#13",
                                 "P = 'a' + 'b'",
                                 "P = 'a'\n    + 'b'",
                                 "P = 'a'\n    +'b'",
                                 "P = ''",
                                 "P = 'caf\xE9'",
                                 "P = " + std::string(255, 'x'),
                                 "P = '" + std::string(300, 'x') + "'",
                                 "P =\t1",
                                 "P = 1\t",
                                 "end = 1",
                                 "object = 2",
                                 "P = (\n    1\n    2)",
                                 "P = {\n    00}",
                                 "P = <\n    item\n      Q = 1\n      R = 'x'\n    end>"};
    for (const std::string& line : lines)
        for (const char* ends : {"\n", "\r\n", "\r"}) {
            std::string text = "object A: TX\n  " + line + "\n  Tag = 2\nend\n";
            std::string spelt;
            for (const char c : text) spelt += c == '\n' ? std::string(ends) : std::string(1, c);
            TTextPositions positions;
            EXPECT_EQ(Binary(spelt), TFormConverter::TextToBinary(spelt, &positions)) << line;
        }
    // The text after lines taken whole keeps its lines and columns, whatever ends them and
    // whether a blank line or a tab comes between.
    for (const char* ends : {"\n", "\r\n", "\r"})
        for (const std::string& gap : {std::string(), std::string(ends), std::string("\t")}) {
            const std::string text = std::string("object A: TX") + ends + "  Font.Name = 'Arial'" +
                                     ends + "  S = [a, b]" + ends + gap + "  P = 1" + ends +
                                     "  Q @" + ends + "end";
            try {
                Binary(text);
                ADD_FAILURE() << text;
            } catch (const EParserError& e) {
                EXPECT_EQ(e.Line(), gap == ends ? 6 : 5) << text;
                EXPECT_EQ(e.Column(), 5) << text;
            }
        }
}

TEST(FormConversion, IntegersTakeTheSmallestValueType) {
    // Spellings of up to 18 digits are summed digit by digit, longer ones are not.
    struct {
        std::int64_t Value;
        TValueType Type;
    } const cases[] = {{127, TValueType::vaInt8},
                       {-128, TValueType::vaInt8},
                       {128, TValueType::vaInt16},
                       {-32768, TValueType::vaInt16},
                       {32768, TValueType::vaInt32},
                       {INT32_MIN, TValueType::vaInt32},
                       {2147483648, TValueType::vaInt64},
                       {INT64_MIN, TValueType::vaInt64},
                       {999999999999999999, TValueType::vaInt64},
                       {-999999999999999999, TValueType::vaInt64},
                       {1000000000000000000, TValueType::vaInt64}};
    for (const auto& c : cases) {
        const Bytes b = Binary(OnePropertyText(std::to_string(c.Value)));
        // "TPF0", 2 + 3 bytes of header, 2 bytes of property name, then the value type.
        ASSERT_GT(b.size(), 11u);
        EXPECT_EQ(b[11], static_cast<std::uint8_t>(c.Type)) << c.Value;
        EXPECT_EQ(Text(b), OnePropertyText(std::to_string(c.Value)));
    }
}

TEST(FormConversion, StringsUpTo255BytesAreShortStrings) {
    EXPECT_EQ(Binary(OnePropertyText("'" + std::string(255, 'x') + "'"))[11],
              static_cast<std::uint8_t>(TValueType::vaString));
    EXPECT_EQ(Binary(OnePropertyText("'" + std::string(256, 'x') + "'"))[11],
              static_cast<std::uint8_t>(TValueType::vaLString));
    // Codes of 128 and more are UTF-16 and make the string wide.
    EXPECT_EQ(Binary(OnePropertyText("#8364"))[11],
              static_cast<std::uint8_t>(TValueType::vaWString));
}

TEST(FormConversion, EveryBinaryValueTypeHasATextForm) {
    struct TCase {
        const char* Name;
        std::function<void(TWriter&)> Write;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {"vaFalse", [](TWriter& w) { w.WriteBoolean(false); }, "False"},
        {"vaTrue", [](TWriter& w) { w.WriteBoolean(true); }, "True"},
        {"vaNil", [](TWriter& w) { w.WriteValue(TValueType::vaNil); }, "nil"},
        {"vaNull", [](TWriter& w) { w.WriteValue(TValueType::vaNull); }, "Null"},
        {"vaIdent", [](TWriter& w) { w.WriteIdent("clRed"); }, "clRed"},
        {"vaInt64", [](TWriter& w) { w.WriteInteger(INT64_MAX); }, "9223372036854775807"},
        {"vaExtended", [](TWriter& w) { w.WriteFloat(-1.25L); }, "-1.25"},
        {"vaExtended", [](TWriter& w) { w.WriteFloat(1.0L / 3); }, "0.33333333333333333334"},
        {"vaExtended", [](TWriter& w) { w.WriteFloat(std::ldexp(1.0L, -16440)); }, "1.17E-4949"},
        {"vaSingle", [](TWriter& w) { w.WriteSingle(0.1f); }, "0.1s"},
        {"vaSingle", [](TWriter& w) { w.WriteSingle(1e-45f); }, "1E-45s"},
        {"vaDate", [](TWriter& w) { w.WriteDate(5e-324); }, "5E-324d"},
        {"vaCurrency", [](TWriter& w) { w.WriteCurrency(-12345); }, "-1.2345c"},
        {"vaDate", [](TWriter& w) { w.WriteDate(2.5); }, "2.5d"},
        {"vaString", [](TWriter& w) { w.WriteString(std::string("a\0b", 3)); }, "'a'#0'b'"},
        {"vaWString", [](TWriter& w) { w.WriteWideString(u"\u20ACx"); }, "#8364'x'"},
        {"vaBinary",
         [](TWriter& w) {
             w.WriteBinary(Bytes{0xDE, 0xAD});
         },
         "{\n    DEAD}"},
        {"vaSet",
         [](TWriter& w) {
             w.WriteSet({"akLeft", "akTop"});
         },
         "[akLeft, akTop]"},
        {"vaList",
         [](TWriter& w) {
             w.WriteListBegin();
             w.WriteInteger(1);
             w.WriteListEnd();
         },
         "(\n    1)"},
        {"vaCollection",
         [](TWriter& w) {
             w.WriteValue(TValueType::vaCollection);
             w.WriteInteger(4);
             w.WriteListBegin();
             w.WriteStr("Width");
             w.WriteInteger(10);
             w.WriteListEnd();
             w.WriteListEnd();
         },
         "<\n    item [4]\n      Width = 10\n    end>"},
    };
    for (const TCase& c : cases) {
        const Bytes binary = OneProperty(c.Write);
        EXPECT_EQ(Text(binary), OnePropertyText(c.Text)) << c.Name;
        EXPECT_EQ(Binary(Text(binary)), binary) << c.Name;
    }
}

TEST(FormConversion, ValuesReadOnlyFromOtherToolsKeepTheirValue) {
    // A UTF-8 string comes back as UTF-16, a double as an extended float, a Unicode string of
    // plain ASCII as a plain string: the same values in the types this framework writes.
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader(0, -1, "TX", "A");
    w.WriteStr("P");
    Bytes bytes = w.TakeBytes();
    for (int b : {20, 4, 0, 0, 0, 0xE2, 0x82, 0xAC, 0x21, 0, 0})
        bytes.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(Text(bytes), OnePropertyText("#8364'!'"));

    EXPECT_EQ(Text(OneProperty([](TWriter& w) { w.WriteDouble(0.1); })), OnePropertyText("0.1"));
    EXPECT_EQ(Text(OneProperty([](TWriter& w) { w.WriteWideString(u"abc"); })),
              OnePropertyText("'abc'"));
}

TEST(FormConversion, UTF8TextFilesReadAsUnicode) {
    const std::string text = "\xEF\xBB\xBFobject A: TX\n  P = 'caf\xC3\xA9 \xE2\x82\xAC'\nend\n";
    EXPECT_EQ(Text(Binary(text)), OnePropertyText("'caf'#233' '#8364"));
}

TEST(FormConversion, HeadersCarryTheirFlagsAndPosition) {
    const Bytes b = Binary("inline A: TX [300]\nend");
    // 0xF0 | ffInline | ffChildPos, then the position as a 16-bit integer.
    ASSERT_GE(b.size(), 8u);
    EXPECT_EQ(b[4], 0xF6);
    EXPECT_EQ(b[5], static_cast<std::uint8_t>(TValueType::vaInt16));
    EXPECT_EQ(b[6] | (b[7] << 8), 300);
    EXPECT_EQ(Text(b), Crlf("inline A: TX [300]\nend\n"));

    // A length byte of 0xF0 or more would read as a prefix: such a class name gets one without
    // flags. 239 bytes is the longest written bare.
    for (const std::size_t length : {239u, 240u, 255u}) {
        const std::string text = "object A: T" + std::string(length - 1, 'x') + "\nend\n";
        const Bytes c = Binary(text);
        EXPECT_EQ(c[4] == 0xF0, length >= 240) << length;
        EXPECT_EQ(Text(c), Crlf(text)) << length;
    }
}

TEST(FormConversion, ResourceFilesHoldTheStreamUnderTheClassName) {
    const Bytes stream = Binary("object Form1: TForm1\n  Left = 1\nend");
    const Bytes res = FormFiles::WithResourceHeader(stream);
    ASSERT_TRUE(TResourceFile::HasResourceHeader(res));
    EXPECT_EQ(res.size() % 4, 0u);
    // The RCDATA entry is named TFORM1 in UTF-16.
    const std::string name(reinterpret_cast<const char*>(&res[44]), 12);
    EXPECT_EQ(name, std::string("T\0F\0O\0R\0M\0001\0", 12));
    std::size_t offset = 0;
    const auto found = TResourceFile::FindFormStream(res, offset);
    EXPECT_EQ(Bytes(found.begin(), found.end()), stream);
    EXPECT_EQ(FormFiles::BinaryToText(res), FormFiles::BinaryToText(stream));

    // The 16-bit header of older tools: 0xFF, type 10, the name, flags, size.
    Bytes old = {0xFF, 10, 0, 'T', 'F', 'O', 'R', 'M', '1', 0, 0x30, 0x10};
    for (int i = 0; i < 4; ++i) old.push_back(static_cast<std::uint8_t>(stream.size() >> (8 * i)));
    old.insert(old.end(), stream.begin(), stream.end());
    EXPECT_EQ(FormFiles::DetectFormat(old), FormFiles::TFormFormat::Binary);
    EXPECT_EQ(FormFiles::BinaryToText(old), FormFiles::BinaryToText(stream));
}

TEST(FormConversion, ErrorsInAResourceFileNameTheirFileOffset) {
    Bytes res = FormFiles::WithResourceHeader(Binary("object A: TX\nend"));
    // Spoil the first byte of the stream, which starts after two headers of 32 and 36 bytes.
    res[68] = 'X';
    try {
        FormFiles::BinaryToText(res);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Offset(), 68u);
    }
}

TEST(FormConversion, TextIsHandedOverInPiecesAndRefusedPastTheLimit) {
    // A list nested 250 deep: each of its integers takes a line indented 500 spaces, so a
    // small stream makes much text.
    const Bytes deep = OneProperty([](TWriter& w) {
        for (int i = 0; i < 250; ++i) w.WriteListBegin();
        for (int i = 0; i < 2000; ++i) w.WriteInteger(7);
        for (int i = 0; i < 250; ++i) w.WriteListEnd();
    });
    const std::string whole = Text(deep);
    ASSERT_GT(whole.size(), 1000000u);
    std::string joined;
    std::size_t largest = 0;
    TFormConverter::BinaryToText(deep, [&](std::string_view piece) {
        joined += piece;
        largest = std::max(largest, piece.size());
    });
    EXPECT_EQ(joined, whole);
    EXPECT_LT(largest, 100000u);

    // Half the text is as far as some integer in the list.
    const std::size_t limit = whole.size() / 2;
    const std::size_t firstInteger = deep.size() - 2 - 250 - 2 * 2000;
    try {
        TFormConverter::BinaryToText(
            deep, [](std::string_view) {}, 0, limit);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "the form would take more than " + std::to_string(limit) +
                                   " bytes as text, the most a conversion writes");
        EXPECT_GT(e.Offset(), firstInteger);
        EXPECT_LT(e.Offset(), firstInteger + 2 * 2000);
    }
}
