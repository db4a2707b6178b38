#include "streaming/TResourceFile.h"

#include <cctype>
#include <cstring>

#include "core/AnsiText.h"
#include "streaming/EFilerError.h"

namespace TResourceFile {
namespace {

constexpr std::uint16_t kRtRcData = 10;
constexpr std::uint16_t kMoveablePureDiscardable = 0x1030;

// The entry that opens a 32-bit resource file: no data, a 32-byte header, type and name 0.
constexpr std::uint8_t kEmptyEntry[32] = {0,    0,    0, 0, 0x20, 0,    0, 0,
                                          0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

[[noreturn]] void Fail(std::size_t offset, const std::string& message) {
    throw EReadError(offset, message);
}

// A type or name field of a resource header: 0xFFFF and a number, or a UTF-16 string ending
// in 0. Returns the offset after it; sets id to the number, or -1 for a string.
std::size_t SkipNameOrId(std::span<const std::uint8_t> d, std::size_t at, std::size_t end,
                         long& id) {
    if (at + 2 > end) Fail(at, "the resource header ends inside a type or name");
    if (Le16(&d[at]) == 0xFFFF) {
        if (at + 4 > end) Fail(at, "the resource header ends inside a type or name");
        id = Le16(&d[at + 2]);
        return at + 4;
    }
    id = -1;
    for (; at + 2 <= end; at += 2)
        if (Le16(&d[at]) == 0) return at + 2;
    Fail(at, "the resource header ends inside a type or name");
}

std::span<const std::uint8_t> Find32(std::span<const std::uint8_t> d, std::size_t& streamOffset) {
    std::size_t at = 0;
    while (at < d.size()) {
        if (d.size() - at < 8) Fail(at, "expected a resource header of at least 8 bytes");
        const std::uint32_t dataSize = Le32(&d[at]);
        const std::uint32_t headerSize = Le32(&d[at + 4]);
        if (headerSize < 24 || headerSize > d.size() - at)
            Fail(at + 4, "the resource header size " + std::to_string(headerSize) +
                             " does not fit the " + std::to_string(d.size() - at) +
                             " bytes that remain");
        const std::size_t headerEnd = at + headerSize;
        if (dataSize > d.size() - headerEnd)
            Fail(at, "the resource data of " + std::to_string(dataSize) +
                         " bytes are longer than the " + std::to_string(d.size() - headerEnd) +
                         " bytes that remain");
        long type = 0, name = 0;
        const std::size_t afterType = SkipNameOrId(d, at + 8, headerEnd, type);
        SkipNameOrId(d, afterType, headerEnd, name);
        if (type == kRtRcData) {
            streamOffset = headerEnd;
            return d.subspan(headerEnd, dataSize);
        }
        at = headerEnd + ((dataSize + 3u) & ~3u);
    }
    Fail(d.size(), "the resource file holds no RCDATA resource with a form");
}

std::span<const std::uint8_t> Find16(std::span<const std::uint8_t> d, std::size_t& streamOffset) {
    // 0xFF, the type as a 16-bit number, the name ending in 0, the flags, the data size.
    if (d.size() < 3 || Le16(&d[1]) != kRtRcData) Fail(1, "expected the RCDATA resource type 10");
    std::size_t at = 3;
    while (at < d.size() && d[at] != 0) ++at;
    if (at + 1 + 2 + 4 > d.size()) Fail(at, "the resource header ends inside the resource name");
    at += 1 + 2;
    const std::uint32_t dataSize = Le32(&d[at]);
    at += 4;
    if (dataSize > d.size() - at)
        Fail(at - 4, "the resource data of " + std::to_string(dataSize) +
                         " bytes are longer than the " + std::to_string(d.size() - at) +
                         " bytes that remain");
    streamOffset = at;
    return d.subspan(at, dataSize);
}

}  // namespace

bool HasResourceHeader(std::span<const std::uint8_t> d) {
    if (d.size() >= sizeof kEmptyEntry && std::memcmp(d.data(), kEmptyEntry, 16) == 0) return true;
    return d.size() >= 3 && d[0] == 0xFF && Le16(&d[1]) == kRtRcData;
}

std::span<const std::uint8_t> FindFormStream(std::span<const std::uint8_t> data,
                                             std::size_t& streamOffset) {
    return data[0] == 0xFF ? Find16(data, streamOffset) : Find32(data, streamOffset);
}

std::vector<std::uint8_t> Wrap(std::span<const std::uint8_t> stream, const std::string& className) {
    std::vector<std::uint8_t> out(std::begin(kEmptyEntry), std::end(kEmptyEntry));
    auto put16 = [&](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    std::vector<std::uint8_t> name;
    for (char c : className) {
        name.push_back(static_cast<std::uint8_t>(AnsiText::Upper(c)));
        name.push_back(0);
    }
    name.push_back(0);
    name.push_back(0);
    // Data size, header size, type, name (padded to four bytes), data version, memory flags,
    // language, version, characteristics.
    const std::size_t namePadded = (name.size() + 3) & ~std::size_t{3};
    const auto headerSize = static_cast<std::uint32_t>(8 + 4 + namePadded + 16);
    put32(static_cast<std::uint32_t>(stream.size()));
    put32(headerSize);
    put16(0xFFFF);
    put16(kRtRcData);
    out.insert(out.end(), name.begin(), name.end());
    out.resize(out.size() + namePadded - name.size(), 0);
    put32(0);
    put16(kMoveablePureDiscardable);
    put16(0);
    put32(0);
    put32(0);
    out.insert(out.end(), stream.begin(), stream.end());
    out.resize((out.size() + 3) & ~std::size_t{3}, 0);
    return out;
}

}  // namespace TResourceFile
