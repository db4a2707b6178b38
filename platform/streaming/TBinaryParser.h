// Reads the values of a binary form stream ("TPF0") one at a time. Every length is checked
// against the bytes that remain before anything is taken or allocated, and every error names
// the offset from the start of the file and what was expected there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "streaming/TFormString.h"
#include "streaming/TValueType.h"

// The header of a component in a stream: its flags, class and name, with the offsets of the
// class and name for messages.
struct TComponentHeader {
    std::uint8_t Flags = 0;  // TFilerFlag bits
    std::int32_t ChildPos = -1;
    std::string ClassName;
    std::string Name;
    std::size_t Offset = 0;
    std::size_t ClassOffset = 0;
    std::size_t NameOffset = 0;
};

class TBinaryParser {
public:
    // data is the stream itself; baseOffset is where it starts in its file.
    explicit TBinaryParser(std::span<const std::uint8_t> data, std::size_t baseOffset = 0)
        : FData(data), FBase(baseOffset) {}

    // The offset of the next byte in the file.
    std::size_t Offset() const { return FBase + FPos; }
    std::size_t Remaining() const { return FData.size() - FPos; }
    bool AtEnd() const { return FPos >= FData.size(); }
    [[noreturn]] void Error(const std::string& message) const;
    [[noreturn]] void ErrorAt(std::size_t offset, const std::string& message) const;

    void ReadSignature();
    // The zero bytes that may pad a stream after its root component; anything else is an error.
    void ReadPadding();
    TComponentHeader ReadComponentHeader();

    // The type of the next value; an unknown type byte is an error. Inline, as the other small
    // readers here: they run for every value of a form.
    TValueType NextValue() const {
        if (AtEnd()) NoValueType();
        const std::uint8_t b = FData[FPos];
        if (b > kLastValueType) UnknownValueType(b);
        return static_cast<TValueType>(b);
    }
    TValueType ReadValue() {
        const TValueType t = NextValue();
        ++FPos;
        return t;
    }
    // Whether a zero byte ends the list, properties or components here.
    bool EndOfList() const {
        if (AtEnd()) NoListEnd();
        return FData[FPos] == 0;
    }
    void ReadListEnd();
    // A short string: a length byte, then the bytes.
    std::string ReadStr() { return std::string(ReadName()); }
    // The same, as a view of the stream's bytes (valid as long as the stream).
    std::string_view ReadName() {
        const std::size_t length = *Take(1, "a name");
        const std::uint8_t* p = Take(length, "a name");
        return std::string_view(reinterpret_cast<const char*>(p), length);
    }

    // The data of a value whose type ReadValue has just read.
    std::int64_t ReadIntegerData(TValueType type);
    long double ReadExtendedData();
    float ReadSingleData();
    double ReadDoubleData();
    std::int64_t ReadCurrencyData();
    TFormString ReadStringData(TValueType type);
    std::span<const std::uint8_t> ReadBinaryData();
    // Set elements up to the empty name that ends them.
    std::vector<std::string> ReadSetData();

    static bool IsInteger(TValueType t) {
        return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 ||
               t == TValueType::vaInt64;
    }
    static bool IsString(TValueType t) {
        return t == TValueType::vaString || t == TValueType::vaLString ||
               t == TValueType::vaWString || t == TValueType::vaUTF8String;
    }
    static bool IsFloat(TValueType type);

private:
    // The next count bytes, which must be there; what names them in the message.
    const std::uint8_t* Take(std::size_t count, const char* what) {
        if (count > Remaining()) ShortOf(count, what);
        const std::uint8_t* p = FData.data() + FPos;
        FPos += count;
        return p;
    }
    [[noreturn]] void ShortOf(std::size_t count, const char* what) const;
    [[noreturn]] void NoValueType() const;
    [[noreturn]] void UnknownValueType(std::uint8_t b) const;
    [[noreturn]] void NoListEnd() const;
    std::uint64_t ReadLittleEndian(std::size_t bytes, const char* what);
    std::uint32_t ReadLength(std::size_t unitSize, const char* what);

    std::span<const std::uint8_t> FData;
    std::size_t FBase;
    std::size_t FPos = 0;
};

// The 10 bytes of an x87 extended float and back; exact where long double is that type.
long double ExtendedFromBytes(const std::uint8_t* bytes);
void ExtendedToBytes(long double value, std::uint8_t* bytes);
