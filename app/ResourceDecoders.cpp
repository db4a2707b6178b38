#include "app/ResourceDecoders.h"

#include <stdexcept>

namespace ResourceDecoders {
namespace {

[[noreturn]] void Bad(const char* what, std::size_t at, const std::string& detail) {
    throw std::runtime_error(std::string(what) + ", byte " + std::to_string(at) + ": " + detail);
}

std::uint16_t U16(const std::uint8_t* d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t U32(const std::uint8_t* d, std::size_t at) {
    return static_cast<std::uint32_t>(U16(d, at)) |
           (static_cast<std::uint32_t>(U16(d, at + 2)) << 16);
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 from at up to a zero or end; at moves past the zero. Surrogates become U+FFFD.
std::string Utf16(const std::uint8_t* d, std::size_t end, std::size_t& at, bool needZero,
                  const char* what) {
    std::string out;
    while (at + 2 <= end) {
        const std::uint16_t c = U16(d, at);
        at += 2;
        if (c == 0) return out;
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    if (needZero) Bad(what, at, "the text has no terminating zero");
    return out;
}

std::size_t Align4(std::size_t at) {
    return (at + 3) & ~std::size_t{3};
}

// A zero-ended name of a package information record.
std::string Name(const std::uint8_t* d, std::size_t size, std::size_t& at) {
    std::string out;
    while (at < size && d[at] != 0) out += static_cast<char>(d[at++]);
    if (at >= size) Bad("package information", at, "a name has no terminating zero");
    ++at;
    return out;
}

struct TBlock {
    std::size_t Start, End, Value, ValueSize;
    std::uint16_t Type;
    std::string Key;
    std::size_t Children;
};

// One block of version information: length, value length, type, key, the value, then the
// children, each at a 32-bit boundary.
TBlock ReadBlock(const std::uint8_t* d, std::size_t limit, std::size_t at) {
    if (at + 6 > limit) Bad("version information", at, "a block header runs past the data");
    TBlock b;
    b.Start = at;
    const std::uint16_t length = U16(d, at);
    if (length < 6 || at + length > limit)
        Bad("version information", at, "block length " + std::to_string(length) + " does not fit");
    b.End = at + length;
    b.Type = U16(d, at + 4);
    const std::size_t valueUnits = U16(d, at + 2);
    std::size_t p = at + 6;
    b.Key = Utf16(d, b.End, p, true, "version information");
    b.Value = Align4(p);
    b.ValueSize = b.Type == 1 ? valueUnits * 2 : valueUnits;
    if (b.Value > b.End || b.ValueSize > b.End - b.Value) {
        if (b.Type == 1 && b.Value <= b.End) {
            b.ValueSize = b.End - b.Value;  // text values are often given a length too long
        } else {
            Bad("version information", at, "the value of \"" + b.Key + "\" runs past its block");
        }
    }
    b.Children = Align4(b.Value + b.ValueSize);
    return b;
}

template <class F>
void EachChild(const std::uint8_t* d, const TBlock& parent, F&& f) {
    for (std::size_t at = parent.Children; at + 6 <= parent.End;) {
        const TBlock child = ReadBlock(d, parent.End, at);
        f(child);
        at = Align4(child.End);
    }
}

}  // namespace

std::string Description(const std::uint8_t* data, std::size_t size) {
    if (!data || size % 2 != 0) Bad("description", size, "UTF-16 text has an odd byte count");
    std::size_t at = 0;
    return Utf16(data, size, at, false, "description");
}

TPackageInfo PackageInfo(const std::uint8_t* data, std::size_t size) {
    TPackageInfo info;
    if (!data || size < 8) Bad("package information", 0, "shorter than its flags and counts");
    info.Flags = U32(data, 0);
    const std::uint32_t requiredCount = U32(data, 4);
    std::size_t at = 8;
    // Each name takes two bytes at least.
    if (requiredCount > (size - at) / 2)
        Bad("package information", 4,
            std::to_string(requiredCount) + " required packages cannot fit");
    for (std::uint32_t i = 0; i < requiredCount; ++i) {
        if (at >= size) Bad("package information", at, "a required package runs past the end");
        ++at;  // hash
        info.Requires.push_back(Name(data, size, at));
    }
    if (at + 4 > size) Bad("package information", at, "no count of contained units");
    const std::uint32_t contains = U32(data, at);
    at += 4;
    if (contains > (size - at) / 3)
        Bad("package information", at - 4, std::to_string(contains) + " units cannot fit");
    for (std::uint32_t i = 0; i < contains; ++i) {
        if (at + 2 > size) Bad("package information", at, "a contained unit runs past the end");
        TPackageInfo::TUnit unit;
        unit.Flags = data[at];
        at += 2;  // flags, hash
        unit.Name = Name(data, size, at);
        info.Contains.push_back(std::move(unit));
    }
    return info;
}

TVersionInfo VersionInfo(const std::uint8_t* data, std::size_t size) {
    if (!data) Bad("version information", 0, "no data");
    TVersionInfo v;
    const TBlock root = ReadBlock(data, size, 0);
    if (root.Key != "VS_VERSION_INFO")
        Bad("version information", 6,
            "the root block is \"" + root.Key + "\", not VS_VERSION_INFO");
    if (root.ValueSize < 52 || U32(data, root.Value) != 0xFEEF04BD)
        Bad("version information", root.Value, "no fixed file information");
    const std::size_t f = root.Value;
    const std::uint32_t words[4] = {U32(data, f + 8), U32(data, f + 12), U32(data, f + 16),
                                    U32(data, f + 20)};
    for (int i = 0; i < 2; ++i) {
        std::uint16_t(&out)[4] = i == 0 ? v.FileVersion : v.ProductVersion;
        out[0] = static_cast<std::uint16_t>(words[2 * i] >> 16);
        out[1] = static_cast<std::uint16_t>(words[2 * i]);
        out[2] = static_cast<std::uint16_t>(words[2 * i + 1] >> 16);
        out[3] = static_cast<std::uint16_t>(words[2 * i + 1]);
    }
    v.FileType = U32(data, f + 36);
    EachChild(data, root, [&](const TBlock& fileInfo) {
        if (fileInfo.Key != "StringFileInfo") return;
        EachChild(data, fileInfo, [&](const TBlock& table) {
            EachChild(data, table, [&](const TBlock& entry) {
                std::size_t p = entry.Value;
                std::string value =
                    Utf16(data, entry.Value + entry.ValueSize, p, false, "version information");
                v.Strings.emplace_back(table.Key + "\\" + entry.Key, std::move(value));
            });
        });
    });
    return v;
}

std::string VersionText(const std::uint16_t (&version)[4]) {
    return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." +
           std::to_string(version[2]) + "." + std::to_string(version[3]);
}

}  // namespace ResourceDecoders
