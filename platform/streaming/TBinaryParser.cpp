#include "streaming/TBinaryParser.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "streaming/EFilerError.h"

namespace {

std::string Hex2(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFFu);
    return buf;
}

}  // namespace

void TBinaryParser::Error(const std::string& message) const {
    ErrorAt(Offset(), message);
}

void TBinaryParser::ErrorAt(std::size_t offset, const std::string& message) const {
    throw EReadError(offset, message);
}

void TBinaryParser::ShortOf(std::size_t count, const char* what) const {
    Error("expected " + std::to_string(count) + (count == 1 ? " byte of " : " bytes of ") + what +
          ", but only " + std::to_string(Remaining()) + " remain");
}

std::uint64_t TBinaryParser::ReadLittleEndian(std::size_t bytes, const char* what) {
    const std::uint8_t* p = Take(bytes, what);
    std::uint64_t v = 0;
    for (std::size_t i = bytes; i-- > 0;) v = (v << 8) | p[i];
    return v;
}

std::uint32_t TBinaryParser::ReadLength(std::size_t unitSize, const char* what) {
    const std::size_t at = Offset();
    const auto length = static_cast<std::uint32_t>(ReadLittleEndian(4, what));
    if (static_cast<std::uint64_t>(length) * unitSize > Remaining())
        ErrorAt(at, std::string(what) + " of " + std::to_string(length) +
                        (unitSize == 1 ? " bytes" : " characters") + " is longer than the " +
                        std::to_string(Remaining()) + " bytes that remain");
    return length;
}

void TBinaryParser::ReadSignature() {
    if (Remaining() < 4 || std::memcmp(FData.data() + FPos, "TPF0", 4) != 0)
        Error("expected the signature \"TPF0\" of a binary form stream");
    FPos += 4;
}

void TBinaryParser::ReadPadding() {
    for (; FPos < FData.size(); ++FPos)
        if (FData[FPos] != 0) Error("unexpected data after the end of the form");
}

TComponentHeader TBinaryParser::ReadComponentHeader() {
    TComponentHeader h;
    h.Offset = Offset();
    const std::uint8_t first = *Take(1, "a component header");
    if ((first & kFlagsPrefix) == kFlagsPrefix) {
        h.Flags = first & ~kFlagsPrefix;
        if (h.Flags & ~(ffInherited | ffChildPos | ffInline))
            ErrorAt(h.Offset, "unknown component flags " + Hex2(first));
        if (h.Flags & ffChildPos) {
            const std::size_t at = Offset();
            const TValueType t = ReadValue();
            if (!IsInteger(t))
                ErrorAt(at, std::string("expected the component's position (an integer), found ") +
                                ValueTypeDescription(t));
            const std::int64_t pos = ReadIntegerData(t);
            if (pos < 0 || pos > INT32_MAX)
                ErrorAt(at, "the component's position " + std::to_string(pos) + " is out of range");
            h.ChildPos = static_cast<std::int32_t>(pos);
        }
    } else {
        --FPos;
    }
    h.ClassOffset = Offset();
    h.ClassName = ReadStr();
    if (h.ClassName.empty()) ErrorAt(h.ClassOffset, "expected a class name");
    h.NameOffset = Offset();
    h.Name = ReadStr();
    return h;
}

void TBinaryParser::NoValueType() const {
    Error("expected a value type, but the data end");
}

void TBinaryParser::UnknownValueType(std::uint8_t b) const {
    Error("unknown value type " + Hex2(b));
}

void TBinaryParser::NoListEnd() const {
    Error("expected a value or the end of a list, but the data end");
}

void TBinaryParser::ReadListEnd() {
    const TValueType t = NextValue();
    if (t != TValueType::vaNull)
        Error(std::string("expected the end of a list, found ") + ValueTypeDescription(t));
    ++FPos;
}

bool TBinaryParser::IsFloat(TValueType t) {
    return t == TValueType::vaExtended || t == TValueType::vaSingle || t == TValueType::vaDouble ||
           t == TValueType::vaCurrency || t == TValueType::vaDate;
}

std::int64_t TBinaryParser::ReadIntegerData(TValueType t) {
    switch (t) {
        case TValueType::vaInt8:
            return static_cast<std::int8_t>(ReadLittleEndian(1, "an integer"));
        case TValueType::vaInt16:
            return static_cast<std::int16_t>(ReadLittleEndian(2, "an integer"));
        case TValueType::vaInt32:
            return static_cast<std::int32_t>(ReadLittleEndian(4, "an integer"));
        case TValueType::vaInt64:
            return static_cast<std::int64_t>(ReadLittleEndian(8, "an integer"));
        default:
            Error(std::string("expected an integer, found ") + ValueTypeDescription(t));
    }
}

long double TBinaryParser::ReadExtendedData() {
    return ExtendedFromBytes(Take(10, "an extended float"));
}

float TBinaryParser::ReadSingleData() {
    const auto bits = static_cast<std::uint32_t>(ReadLittleEndian(4, "a single float"));
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

double TBinaryParser::ReadDoubleData() {
    const std::uint64_t bits = ReadLittleEndian(8, "a double float");
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::int64_t TBinaryParser::ReadCurrencyData() {
    return static_cast<std::int64_t>(ReadLittleEndian(8, "a currency value"));
}

TFormString TBinaryParser::ReadStringData(TValueType t) {
    switch (t) {
        case TValueType::vaString: {
            const std::size_t length = *Take(1, "a string");
            const std::uint8_t* p = Take(length, "a string");
            return TFormString::FromAnsi(std::string(reinterpret_cast<const char*>(p), length));
        }
        case TValueType::vaLString: {
            const std::uint32_t length = ReadLength(1, "a string");
            const std::uint8_t* p = Take(length, "a string");
            return TFormString::FromAnsi(std::string(reinterpret_cast<const char*>(p), length));
        }
        case TValueType::vaUTF8String: {
            const std::size_t at = Offset();
            const std::uint32_t length = ReadLength(1, "a UTF-8 string");
            const std::uint8_t* p = Take(length, "a UTF-8 string");
            std::u16string wide;
            if (!Utf8ToWide(std::string(reinterpret_cast<const char*>(p), length), wide))
                ErrorAt(at, "the UTF-8 string is not valid UTF-8");
            return TFormString::FromWide(std::move(wide));
        }
        case TValueType::vaWString: {
            const std::uint32_t length = ReadLength(2, "a wide string");
            const std::uint8_t* p = Take(std::size_t{length} * 2, "a wide string");
            std::u16string wide(length, u'\0');
            for (std::size_t i = 0; i < length; ++i)
                wide[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
            return TFormString::FromWide(std::move(wide));
        }
        default:
            Error(std::string("expected a string, found ") + ValueTypeDescription(t));
    }
}

std::span<const std::uint8_t> TBinaryParser::ReadBinaryData() {
    const std::uint32_t length = ReadLength(1, "binary data");
    return std::span<const std::uint8_t>(Take(length, "binary data"), length);
}

std::vector<std::string> TBinaryParser::ReadSetData() {
    std::vector<std::string> names;
    for (;;) {
        std::string name = ReadStr();
        if (name.empty()) return names;
        names.push_back(std::move(name));
    }
}

long double ExtendedFromBytes(const std::uint8_t* b) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
    const int exponent = ((b[9] & 0x7F) << 8) | b[8];
    const bool negative = (b[9] & 0x80) != 0;
    long double v;
    if (exponent == 0x7FFF) {
        v = (mantissa << 1) == 0 ? HUGE_VALL : std::nanl("");
    } else {
        // An exponent of 0 holds denormals, whose scale is that of exponent 1.
        v = std::ldexp(static_cast<long double>(mantissa),
                       (exponent == 0 ? 1 : exponent) - 16383 - 63);
    }
    return negative ? -v : v;
}

void ExtendedToBytes(long double value, std::uint8_t* b) {
    std::uint64_t mantissa = 0;
    int exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        const long double m = std::frexp(std::fabs(value), &e);  // m in [0.5, 1)
        mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
        exponent = e - 1 + 16383;
        if (exponent <= 0) {
            mantissa = -exponent + 1 >= 64 ? 0 : mantissa >> (-exponent + 1);
            exponent = 0;
        } else if (exponent >= 0x7FFF) {
            exponent = 0x7FFF;
            mantissa = 0x8000000000000000ull;
        }
    }
    for (int i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    b[8] = static_cast<std::uint8_t>(exponent & 0xFF);
    b[9] = static_cast<std::uint8_t>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
}
