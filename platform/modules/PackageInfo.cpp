#include "modules/PackageInfo.h"

#include <stdexcept>

#include "core/Utf16.h"

namespace ResourceRecords {
namespace {

// Reads a record front to back; every read checks that its bytes are there.
class TRecordReader {
public:
    TRecordReader(const char* record, const std::uint8_t* data, std::size_t size)
        : FRecord(record), FData(data), FSize(data ? size : 0) {}

    std::size_t Offset() const { return FAt; }
    std::size_t Left() const { return FSize - FAt; }

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
        throw std::runtime_error(std::string(FRecord) + ", byte " + std::to_string(at) + ": " +
                                 what);
    }

    std::uint8_t U8(const char* field) {
        Need(1, field);
        return FData[FAt++];
    }
    std::uint32_t U32(const char* field) {
        Need(4, field);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | FData[FAt + static_cast<std::size_t>(i)];
        FAt += 4;
        return v;
    }

    // A name ending in a zero byte, not empty.
    std::string ZeroEnded(const char* field) {
        const std::size_t start = FAt;
        std::size_t end = start;
        while (end < FSize && FData[end] != 0) ++end;
        if (end == FSize) Fail(start, std::string(field) + " has no terminating zero byte");
        if (end == start) Fail(start, std::string(field) + " is empty");
        FAt = end + 1;
        return std::string(reinterpret_cast<const char*>(FData + start), end - start);
    }

    // A length byte and that many characters.
    std::string LengthPrefixed(const char* field) {
        const std::size_t start = FAt;
        const std::size_t length = U8(field);
        if (length > Left())
            Fail(start, std::string(field) + " of " + std::to_string(length) +
                            " characters runs past the end of the record (" +
                            std::to_string(Left()) + " bytes left)");
        std::string s(reinterpret_cast<const char*>(FData + FAt), length);
        FAt += length;
        return s;
    }

    // The zero bytes that bring the record to a multiple of four, and nothing after them.
    void ZeroPadding() {
        const std::size_t padding = (4 - FAt % 4) % 4;
        if (Left() != padding)
            Fail(FAt, "expected " + std::to_string(padding) +
                          " zero bytes of padding to the end, found " + std::to_string(Left()) +
                          " bytes");
        for (; FAt < FSize; ++FAt)
            if (FData[FAt] != 0) Fail(FAt, "padding byte is not zero");
    }

private:
    void Need(std::size_t n, const char* field) const {
        if (Left() < n)
            Fail(FAt, std::string("the record ends before ") + field + " (" + std::to_string(n) +
                          " bytes needed, " + std::to_string(Left()) + " left)");
    }

    const char* FRecord;
    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FAt = 0;
};

// A count read from the record may not promise more entries than the bytes left could hold,
// each taking at least `smallest` bytes; so a bad count never makes a large allocation.
void CheckCount(const TRecordReader& r, std::size_t at, std::uint32_t count, std::size_t smallest,
                const char* what) {
    if (count > r.Left() / smallest)
        r.Fail(at, std::to_string(count) + " " + what + " cannot fit in the " +
                       std::to_string(r.Left()) + " bytes left");
}

}  // namespace

TPackageInfo DecodePackageInfo(const std::uint8_t* data, std::size_t size) {
    TRecordReader r("package information", data, size);
    TPackageInfo info;
    info.Flags = r.U32("the package flags");

    std::size_t at = r.Offset();
    const std::uint32_t required = r.U32("the number of required packages");
    CheckCount(r, at, required, 3, "required packages");  // hash, one character, zero
    for (std::uint32_t i = 0; i < required; ++i) {
        TRequiredPackage p;
        p.Hash = r.U8("a required package's hash");
        p.Name = r.ZeroEnded("a required package's name");
        info.Requires.push_back(std::move(p));
    }

    at = r.Offset();
    const std::uint32_t contained = r.U32("the number of contained units");
    CheckCount(r, at, contained, 4, "contained units");  // flags, hash, one character, zero
    for (std::uint32_t i = 0; i < contained; ++i) {
        TContainedUnit u;
        u.Flags = r.U8("a unit's flags");
        u.Hash = r.U8("a unit's hash");
        u.Name = r.ZeroEnded("a unit's name");
        info.Contains.push_back(std::move(u));
    }
    r.ZeroPadding();
    return info;
}

std::string DecodeDescription(const std::uint8_t* data, std::size_t size) {
    TRecordReader r("package description", data, size);
    std::vector<std::uint16_t> units;
    for (;;) {
        if (r.Left() < 2) r.Fail(r.Offset(), "the text has no terminating 16-bit zero");
        std::uint16_t c = r.U8("a character");
        c = static_cast<std::uint16_t>(c | (r.U8("a character") << 8));
        if (c == 0) break;
        units.push_back(c);
    }
    r.ZeroPadding();
    return Utf16::ToUtf8(units);
}

TPackageOptions DecodePackageOptions(const std::uint8_t* data, std::size_t size) {
    TRecordReader r("build options", data, size);
    TPackageOptions options;
    options.Version = r.U32("the record version");
    if (options.Version != kPackageOptionsVersion)
        r.Fail(0, "record version " + std::to_string(options.Version) + ", expected " +
                      std::to_string(kPackageOptionsVersion));
    for (std::uint8_t& s : options.Switches) s = r.U8("the compiler switches");
    for (int i = 0; i < 2; ++i)
        if (const std::size_t at = r.Offset(); r.U8("the switches' padding") != 0)
            r.Fail(at, "padding byte is not zero");
    options.MinStackSize = r.U32("the minimum stack size");
    options.MaxStackSize = r.U32("the maximum stack size");
    options.ImageBase = r.U32("the image base");
    options.UnitAliases = r.LengthPrefixed("the unit aliases");
    options.Description = r.LengthPrefixed("the description");
    r.ZeroPadding();
    return options;
}

}  // namespace ResourceRecords
