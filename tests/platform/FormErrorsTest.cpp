// Malformed form files: each gets an error that names where it is wrong and what was
// expected there, and leaves nothing behind.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "controls/TForm.h"
#include "package/Quillmereall.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"
#include "streaming/FormLimits.h"
#include "streaming/TFormConverter.h"
#include "streaming/TWriter.h"
#include "win/WinApi.h"

namespace {

// An address range of size bytes of which only the first page is memory: null when the
// address space has no room for it.
std::uint8_t* ReserveHuge(std::size_t size) {
#ifdef _WIN32
    void* range = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
    if (range && !VirtualAlloc(range, 4096, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(range, 0, MEM_RELEASE);
        return nullptr;
    }
    return static_cast<std::uint8_t*>(range);
#else
    void* range = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return range == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(range);
#endif
}

void ReleaseHuge(std::uint8_t* range, [[maybe_unused]] std::size_t size) {
#ifdef _WIN32
    VirtualFree(range, 0, MEM_RELEASE);
#else
    munmap(range, size);
#endif
}

using Bytes = std::vector<std::uint8_t>;

struct TTextCase {
    const char* Name;
    std::string Text;
    int Line;
    int Column;
    std::string Message;
};

std::string Nested(int depth, const std::string& open, const std::string& close) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += open;
    for (int i = 0; i < depth; ++i) s += close;
    return s;
}

std::string NestedObjects(int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += "object G" + std::to_string(i) + ": TQELGradient\n";
    for (int i = 0; i < depth; ++i) s += "end\n";
    return "object F: TForm\n" + s + "end\n";
}

// A chain of 100 group boxes moved by 'inherited' into the deepest of a chain of 200: the
// chain read first ends 301 levels deep.
std::string MovedTooDeep() {
    std::string s = "object F: TForm\n";
    for (int i = 0; i < 100; ++i) s += "object B" + std::to_string(i) + ": TOrderedGroupBox\n";
    for (int i = 0; i < 100; ++i) s += "end\n";
    for (int i = 0; i < 200; ++i) s += "object A" + std::to_string(i) + ": TOrderedGroupBox\n";
    s += "inherited B0: TOrderedGroupBox\nend\n";
    for (int i = 0; i < 200; ++i) s += "end\n";
    return s + "end\n";
}

const std::string kForm = "object F: TForm\n";
const std::string kGradient = kForm + "  object G: TQELGradient\n";

std::vector<TTextCase> TextCases() {
    return {
        {"Empty", "", 1, 1,
         "expected 'object', 'inherited' or 'inline' and a name, found the end of the file"},
        {"NoName", "object\n", 1, 1,
         "expected 'object', 'inherited' or 'inline' and a name, found 'object'"},
        {"NoClass", "object A: 5\nend", 1, 11,
         "expected a class name after ':', found the number 5"},
        {"UnclosedString", "object A: TX\n  P = 'abc\nend", 2, 7,
         "the string is not closed before the end of the line"},
        {"NoEquals", "object A: TX\n  P 5\nend", 2, 5,
         "expected '=' after the property name P, found the number 5"},
        {"NoEnd", "object A: TX\n  P = 1\n", 3, 1,
         "expected a property name or 'end', found the end of the file"},
        {"StrayCharacter", "object A: TX\n  P = @\nend", 2, 7, "unexpected character '@'"},
        {"StrayByte", "object A: TX\n  P = \x01\nend", 2, 7, "unexpected byte 0x01"},
        {"NoValue", "object A: TX\n  P = )\nend", 2, 7, "expected a value, found ')'"},
        {"BadHex", "object A: TX\n  P = {0G}\nend", 2, 9,
         "expected hexadecimal digits or '}' in binary data"},
        {"HalfByte", "object A: TX\n  P = {012}\nend", 2, 11, "the binary data end in half a byte"},
        {"UnclosedHex", "object A: TX\n  P = {01", 2, 7, "the binary data are not closed with '}'"},
        {"UnclosedList", "object A: TX\n  P = (1 2\nend", 2, 7, "the list is not closed with ')'"},
        {"NullInList", "object A: TX\n  P = (1 Null)\nend", 2, 10, "Null cannot stand in a list"},
        {"UnclosedSet", "object A: TX\n  P = [a b]\nend", 2, 10,
         "expected ']' to close the set, found 'b'"},
        {"NoItem", "object A: TX\n  P = <x>\nend", 2, 8, "expected 'item' or '>', found 'x'"},
        {"StringAfterPlus", "object A: TX\n  P = 'a' + 1\nend", 2, 13,
         "expected a string after '+', found the number 1"},
        {"CharCode", "object A: TX\n  P = #70000\nend", 2, 7,
         "a character code is larger than 65535"},
        {"NoCharCode", "object A: TX\n  P = #x\nend", 2, 7, "expected a character code after '#'"},
        {"HugeNumber", "object A: TX\n  P = 99999999999999999999\nend", 2, 7,
         "the number 99999999999999999999 is out of range"},
        {"BadPosition", "object A: TX [x]\nend", 1, 15,
         "expected a position (an integer from 0) in [ ], found 'x'"},
        {"LongName", "object A: TX\n  " + std::string(256, 'p') + " = 1\nend", 2, 3,
         "a name is longer than 255 characters"},
        {"TrailingText", "object A: TX\nend\nmore", 3, 1,
         "expected the end of the file after the root object's 'end', found 'more'"},
        {"DeepValues", "object A: TX\n  P = " + Nested(300, "(", ")") + "\nend", 2, 262,
         "nesting deeper than 256 levels"},
        {"DeepObjects", NestedObjects(300), 257, 1, "nesting deeper than 256 levels"},
        // What only the classes can tell.
        {"UnknownProperty", kForm + "  Foo = 1\nend", 2, 3, "TForm has no property Foo"},
        {"UnknownNested", kGradient + "    Font.Foo = 1\n  end\nend", 3, 5,
         "TFont has no property Font.Foo"},
        {"NotAnObject", kGradient + "    Left.X = 1\n  end\nend", 3, 5,
         "Left is not an object with properties"},
        {"UnknownClass", kForm + "  object B: TBitBtn\n  end\nend", 2, 13,
         "class TBitBtn is not registered"},
        {"NotAForm", "object G: TQELGradient\nend", 1, 11,
         "the root of a form file is a form; TQELGradient is not a form class"},
        {"DuplicateName", kGradient + "  end\n  object g: TQELGradient\n  end\nend", 4, 10,
         "a component named g already exists"},
        {"WrongType", kGradient + "    Left = 'x'\n  end\nend", 3, 12,
         "Left expects an integer, found a string"},
        {"StringForInteger", kGradient + "    Caption = 5\n  end\nend", 3, 15,
         "Caption expects a string, found an integer"},
        {"OutOfRange", kGradient + "    Cursor = 40000\n  end\nend", 3, 14,
         "40000 is out of range for Cursor (TCursor: -32768..32767)"},
        {"UnknownEnum", kGradient + "    GradientType = gtFoo\n  end\nend", 3, 20,
         "'gtFoo' is not a value of TGradientType"},
        {"IntegerForEnum", kGradient + "    GradientType = 1\n  end\nend", 3, 20,
         "GradientType expects a value of TGradientType, found an integer"},
        {"UnknownColour", kGradient + "    ColorStart = clPlaid\n  end\nend", 3, 18,
         "'clPlaid' is not a value of TColor"},
        {"UnknownElement", kGradient + "    Font.Style = [fsBold, fsFoo]\n  end\nend", 3, 18,
         "'fsFoo' is not an element of TFontStyles"},
        {"SetForBoolean", kGradient + "    Visible = []\n  end\nend", 3, 15,
         "Visible expects a value of Boolean, found a set"},
        {"NilObject", kGradient + "    Font = nil\n  end\nend", 3, 12,
         "cannot set Font: Cannot assign a nil to a TFont"},
        {"NameForObject", kGradient + "    Font = Arial\n  end\nend", 3, 12,
         "Font holds a TFont; its properties are set one by one, as Font.Name = ..."},
        {"NoSuchComponent", kGradient + "    PopupMenu = Menu1\n  end\nend", 3, 17,
         "no component named Menu1 for PopupMenu"},
        {"HandlerForNumber", kGradient + "    OnClick = 3\n  end\nend", 3, 15,
         "OnClick expects the name of a handler, found an integer"},
        // An inherited component that exists already moves, but never into itself.
        {"NameCycle",
         kForm + "  object A: TOrderedGroupBox\n    object B: TOrderedGroupBox\n      inherited A: "
                 "TOrderedGroupBox\n      end\n    end\n  end\nend",
         4, 17, "A cannot be put inside B, which is inside it"},
        {"InheritedIntoItself",
         kForm + "  object A: TOrderedGroupBox\n    inherited A: TOrderedGroupBox\n    end\n  "
                 "end\nend",
         3, 15, "A cannot be put inside itself"},
        {"MovedTooDeep", MovedTooDeep(), 402, 11,
         "putting B0 inside A199 nests components deeper than 256 levels"},
    };
}

class FormTextErrors : public ::testing::TestWithParam<TTextCase> {
protected:
    void SetUp() override { Quillmereall::RegisterUnits(); }
};

}  // namespace

TEST_P(FormTextErrors, NameTheLineAndColumnAndWhatWasExpected) {
    const TTextCase& c = GetParam();
    try {
        FormFiles::ReadForm(std::string_view(c.Text));
        FAIL() << "no error";
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(), c.Message);
        EXPECT_EQ(e.Line(), c.Line) << e.what();
        EXPECT_EQ(e.Column(), c.Column) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FormTextErrors, ::testing::ValuesIn(TextCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

namespace {

struct TBinaryCase {
    const char* Name;
    Bytes Data;
    std::size_t Offset;
    std::string Message;
    bool NeedsClasses = false;  // only reading into components finds it
};

Bytes Raw(std::initializer_list<int> bytes) {
    Bytes b;
    for (int v : bytes) b.push_back(static_cast<std::uint8_t>(v));
    return b;
}

// "TPF0", a form F, then what follows.
Bytes FormWith(const Bytes& tail) {
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader(0, -1, "TForm", "F");
    Bytes b = w.TakeBytes();
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

// The form F with its caption given as raw bytes, at offset 20.
Bytes FormWithValue(const Bytes& value) {
    Bytes tail = Raw({7, 'C', 'a', 'p', 't', 'i', 'o', 'n'});
    tail.insert(tail.end(), value.begin(), value.end());
    return FormWith(tail);
}

// Components nested depth deep; offset is where the first one too deep starts.
Bytes DeepComponents(int depth, std::size_t& offset) {
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader(0, -1, "TForm", "F");
    w.WriteListEnd();
    for (int i = 0; i < depth; ++i) {
        if (i + 2 == 257) offset = w.Position();
        w.WriteComponentHeader(0, -1, "TQELGradient", "G" + std::to_string(i));
        w.WriteListEnd();
    }
    for (int i = 0; i <= depth; ++i) w.WriteListEnd();
    return w.TakeBytes();
}

// The header is 4 + 6 + 2 = 12 bytes.
std::vector<TBinaryCase> BinaryCases() {
    std::size_t deepOffset = 0;
    Bytes deep = DeepComponents(300, deepOffset);
    return {
        {"TruncatedClass", Raw({'T', 'P', 'F', '0', 6, 'T', 'F', 'o'}), 5,
         "expected 6 bytes of a name, but only 3 remain"},
        {"NoClass", Raw({'T', 'P', 'F', '0', 0}), 4, "expected a class name"},
        {"UnknownFlags", Raw({'T', 'P', 'F', '0', 0xF8, 5, 'T', 'F', 'o', 'r', 'm', 0, 0, 0}), 4,
         "unknown component flags 0xF8"},
        {"UnknownValueType", FormWithValue(Raw({0x2A})), 20, "unknown value type 0x2A"},
        {"TruncatedLength", FormWithValue(Raw({12, 1, 2})), 21,
         "expected 4 bytes of a string, but only 2 remain"},
        {"LongStringBeyondTheEnd", FormWithValue(Raw({12, 0xF0, 0xFF, 0xFF, 0xFF, 'a'})), 21,
         "a string of 4294967280 bytes is longer than the 1 bytes that remain"},
        {"WideStringBeyondTheEnd", FormWithValue(Raw({18, 2, 0, 0, 0, 'a', 0, 'b'})), 21,
         "a wide string of 2 characters is longer than the 3 bytes that remain"},
        {"BadUtf8", FormWithValue(Raw({20, 2, 0, 0, 0, 0xC3, 0x28, 0, 0})), 21,
         "the UTF-8 string is not valid UTF-8"},
        // A set cut short is reported as such, before its unknown element x.
        {"SetCutShort",
         FormWith(
             Raw({10, 'F', 'o', 'n', 't', '.', 'S', 't', 'y', 'l', 'e', 11, 1, 'x', 3, 'f', 's'})),
         27, "expected 3 bytes of a name, but only 2 remain"},
        {"EndsInProperties", FormWith(Raw({})), 12,
         "expected a value or the end of a list, but the data end"},
        {"EndsInChildren", FormWith(Raw({0})), 13,
         "expected a value or the end of a list, but the data end"},
        {"TrailingData", FormWith(Raw({0, 0, 0, 7})), 15,
         "unexpected data after the end of the form"},
        {"UnknownProperty", FormWith(Raw({1, 'P', 2, 1, 0, 0})), 12, "TForm has no property P",
         true},
        {"WrongValue", FormWithValue(Raw({2, 1, 0, 0})), 20,
         "Caption expects a string, found an integer", true},
        {"InvalidName",
         Raw({'T', 'P', 'F', '0', 5, 'T', 'F', 'o', 'r', 'm', 3, 'a', ' ', 'b', 0, 0}), 10,
         "'a b' is not a valid component name"},
        {"DeepComponents", deep, deepOffset, "components are nested deeper than 256 levels", true},
        // F holds A, A holds B, and B an inherited A.
        {"NameCycle", Raw({'T', 'P',  'F', '0', 5,   'T', 'F', 'o', 'r', 'm', 1,   'F', 0,   5, 'T',
                           'F', 'o',  'r', 'm', 1,   'A', 0,   5,   'T', 'F', 'o', 'r', 'm', 1, 'B',
                           0,   0xF1, 5,   'T', 'F', 'o', 'r', 'm', 1,   'A', 0,   0,   0,   0, 0}),
         38, "A cannot be put inside B, which is inside it", true},
        // What a message quotes from the file reaches no terminal as a command.
        {"EscapeInPropertyName",
         FormWith(Raw({14, 0x1B, '[', '3', '1', 'm', 'C', 'o', 'l', 'o', 'r', '\n', 'X', '\'', '\\',
                       2, 1, 0, 0})),
         12, "'\\x1B[31mColor\\nX\\'\\\\' is not a valid property name"},
        {"EscapeInClassName", Raw({'T', 'P', 'F', '0', 3, 'T', 0x07, 0xE9, 1, 'F', 0, 0}), 4,
         "'T\\x07\\xE9' is not a valid class name"},
        {"ResourceSizes",
         Raw({0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0,    0, 0, 0,
              0, 0, 0, 0, 0,    0, 0, 0, 0,    0,    0, 0, 50,   0,    0, 0, 0x20, 0, 0, 0}),
         36, "the resource header size 32 does not fit the 8 bytes that remain"},
    };
}

class FormBinaryErrors : public ::testing::TestWithParam<TBinaryCase> {
protected:
    void SetUp() override { Quillmereall::RegisterUnits(); }
};

}  // namespace

TEST_P(FormBinaryErrors, NameTheOffsetAndWhatWasExpected) {
    const TBinaryCase& c = GetParam();
    try {
        FormFiles::ReadForm(std::span<const std::uint8_t>(c.Data));
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), c.Message);
        EXPECT_EQ(e.Offset(), c.Offset) << e.what();
    }
    // What is wrong with the bytes themselves, converting to text finds as well.
    if (!c.NeedsClasses) {
        try {
            FormFiles::BinaryToText(c.Data);
            ADD_FAILURE() << "no error converting to text";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.Message);
            EXPECT_EQ(e.Offset(), c.Offset);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FormBinaryErrors, ::testing::ValuesIn(BinaryCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FormBinaryConversionErrors, ValuesWithoutATextFormAreRefused) {
    struct {
        Bytes Data;
        std::size_t Offset;
        const char* Message;
    } const cases[] = {
        // An extended NaN.
        {Raw({'T', 'P', 'F', '1'}), 0, "expected the signature \"TPF0\" of a binary form stream"},
        {FormWithValue(Raw({10, 9, 0, 0, 0, 1, 2})), 21,
         "binary data of 9 bytes is longer than the 2 bytes that remain"},
        {FormWithValue(Raw({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F, 0, 0})), 20,
         "a float that is not a finite number has no text form"},
        {FormWithValue(Raw({7, 3, '1', 'a', 'b', 0, 0})), 20, "'1ab' is not a valid name"},
        {FormWith(Raw({3, 'P', '.', '.', 9, 0, 0})), 12, "'P..' is not a valid property name"},
        {FormWithValue(Raw({11, 1, '-', 0, 0, 0})), 20, "'-' is not a valid set element"},
    };
    for (const auto& c : cases) {
        try {
            FormFiles::BinaryToText(c.Data);
            ADD_FAILURE() << c.Message << ": no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.Message);
            EXPECT_EQ(e.Offset(), c.Offset) << e.what();
        }
    }
}

// Names are ASCII: a byte above it is no letter, even in a program whose locale (Latin-1)
// calls it one, so that a form reads the same on every machine.
TEST(FormNames, HoldOnlyAsciiLettersWhateverTheLocale) {
    Quillmereall::RegisterUnits();
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"", "de_DE.ISO-8859-1", "en_US.ISO-8859-1", "de_DE", "en_US"}) {
        if (*locale && !std::setlocale(LC_ALL, locale)) continue;
        SCOPED_TRACE(*locale ? locale : "the program's locale");
        const Bytes binary =
            Raw({'T',  'P', 'F', '0', 5,   'T', 'F', 'o', 'r', 'm', 4, 'C', 'a', 'f',
                 0xE9, 7,   'C', 'a', 'p', 't', 'i', 'o', 'n', 6,   1, 'x', 0,   0});
        try {
            FormFiles::ReadForm(std::span<const std::uint8_t>(binary));
            ADD_FAILURE() << "a binary form read";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "'Caf\\xE9' is not a valid component name");
        }
        try {
            FormFiles::ReadForm(std::string_view("object Caf\xE9: TForm\nend\n"));
            ADD_FAILURE() << "a text form read";
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message(), "unexpected byte 0xE9");
            EXPECT_EQ(e.Column(), 11);
        }
    }
    std::setlocale(LC_ALL, before.c_str());
}

// Inputs that once broke a reader: each must be refused with an error or read, and what
// converts to the other format must convert back to the same.
TEST(FormLimits, AFormLargerThanAFormMayBeIsRefusedBeforeItIsRead) {
    const std::size_t size = kMaxFormBytes + 1;
    const std::string tooLarge = std::to_string(size) + " bytes, more than the " +
                                 std::to_string(kMaxFormBytes) + " a form may have";
    // A file is measured before it is read; a sparse one takes no disk.
    const auto path =
        std::filesystem::temp_directory_path() /
        ("qm-huge-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::ofstream(path).close();
    std::filesystem::resize_file(path, size);
    try {
        FormFiles::LoadForm(path.string());
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), path.string() + ": the file is " + tooLarge);
    }
    std::filesystem::remove(path);

    // Data in memory is refused before anything is made of it: only the first page of this
    // mapping is ever touched.
    std::uint8_t* bytes = ReserveHuge(size);
    ASSERT_NE(bytes, nullptr);
    try {
        FormFiles::ReadForm(std::string_view(reinterpret_cast<const char*>(bytes), size));
        FAIL();
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(), "the text is " + tooLarge);
    }
    std::memcpy(bytes, "TPF0", 4);
    try {
        FormFiles::ReadForm(std::span<const std::uint8_t>(bytes, size));
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Offset(), 0u);
        EXPECT_EQ(e.Message(), "the form stream is " + tooLarge);
    }
    ReleaseHuge(bytes, size);
}

TEST(FormRegressionInputs, AreRefusedOrReadWithoutHarm) {
    Quillmereall::RegisterUnits();
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(QM_SOURCE_DIR) / "tests" / "fixtures" / "forms-bad";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        try {
            FormFiles::ReadForm(std::span<const std::uint8_t>(data));
        } catch (const EFilerError&) {
        }
        if (FormFiles::DetectFormat(data) == FormFiles::TFormFormat::Binary) {
            std::string text;
            try {
                text = FormFiles::BinaryToText(data);
            } catch (const EFilerError&) {
                continue;
            }
            EXPECT_EQ(FormFiles::BinaryToText(FormFiles::TextToBinary(text)), text);
        } else {
            Bytes binary;
            try {
                binary = FormFiles::TextToBinary(
                    std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
            } catch (const EFilerError&) {
                continue;
            }
            EXPECT_EQ(FormFiles::TextToBinary(FormFiles::BinaryToText(binary)), binary);
        }
    }
    EXPECT_GT(files, 0);
}
