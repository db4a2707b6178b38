#include "modules/VersionInfo.h"

#include <algorithm>
#include <stdexcept>

#include "core/Utf16.h"

namespace ResourceRecords {

const std::string* TVersionStringTable::Find(const std::string& key) const {
    for (const auto& [k, v] : Strings)
        if (k == key) return &v;
    return nullptr;
}

namespace {

constexpr std::size_t kBlockHeaderSize = 6;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::uint16_t kTypeBinary = 0;
constexpr std::uint16_t kTypeText = 1;

constexpr std::size_t Align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// One block of the tree, located in the data: [Start, End) is what its wLength covers.
struct TBlock {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::uint16_t ValueLength = 0;
    std::uint16_t Type = 0;
    std::string Key;
    std::size_t ValueAt = 0;
    std::size_t ValueBytes = 0;
    std::size_t ChildrenAt = 0;
};

class TVersionReader {
public:
    TVersionReader(const std::uint8_t* data, std::size_t size)
        : FData(data), FSize(data ? size : 0) {}

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
        throw std::runtime_error("version information, byte " + std::to_string(at) + ": " + what);
    }

    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(FData[at] | (FData[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(U16(at)) |
               (static_cast<std::uint32_t>(U16(at + 2)) << 16);
    }

    std::size_t Size() const { return FSize; }

    // The block at `at`, which must end by `limit` (its parent's end). A text block's value
    // length counts 16-bit characters, a binary block's counts bytes.
    TBlock Block(std::size_t at, std::size_t limit, const char* what) const {
        if (limit - at < kBlockHeaderSize)
            Fail(at, std::string(what) + ": " + std::to_string(limit - at) +
                         " bytes left, too few for a block header");
        TBlock b;
        b.Start = at;
        const std::uint16_t length = U16(at);
        b.ValueLength = U16(at + 2);
        b.Type = U16(at + 4);
        if (length < kBlockHeaderSize + 2)
            Fail(at, std::string(what) + ": block length " + std::to_string(length) +
                         " is too small for a header and a key");
        if (length > limit - at)
            Fail(at, std::string(what) + ": block length " + std::to_string(length) +
                         " runs past the end of its parent (" + std::to_string(limit - at) +
                         " bytes left)");
        b.End = at + length;
        if (b.Type != kTypeBinary && b.Type != kTypeText)
            Fail(at + 4, std::string(what) + ": block type " + std::to_string(b.Type) +
                             " is neither 0 (binary) nor 1 (text)");
        std::vector<std::uint16_t> key;
        std::size_t p = at + kBlockHeaderSize;
        for (;; p += 2) {
            if (b.End - p < 2)
                Fail(at + kBlockHeaderSize,
                     std::string(what) + ": the key has no terminating zero inside its block");
            const std::uint16_t c = U16(p);
            if (c == 0) break;
            key.push_back(c);
        }
        b.Key = Utf16::ToUtf8(key);
        b.ValueAt = std::min(Align4(p + 2), b.End);
        b.ValueBytes = b.Type == kTypeText ? std::size_t{b.ValueLength} * 2 : b.ValueLength;
        if (b.ValueBytes > b.End - b.ValueAt)
            Fail(at + 2, "block \"" + b.Key + "\": a value of " + std::to_string(b.ValueBytes) +
                             " bytes does not fit in the block (" +
                             std::to_string(b.End - b.ValueAt) + " bytes after the key)");
        b.ChildrenAt = std::min(Align4(b.ValueAt + b.ValueBytes), b.End);
        return b;
    }

    // The children of a block, each starting on a 32-bit boundary.
    template <class F>
    void Children(const TBlock& parent, const char* what, F&& each) const {
        for (std::size_t at = parent.ChildrenAt; at < parent.End;) {
            const TBlock child = Block(at, parent.End, what);
            each(child);
            at = Align4(child.End);
        }
    }

    std::string Text(const TBlock& b) const {
        std::vector<std::uint16_t> units;
        for (std::size_t p = b.ValueAt; p + 2 <= b.ValueAt + b.ValueBytes; p += 2) {
            const std::uint16_t c = U16(p);
            if (c == 0) break;
            units.push_back(c);
        }
        return Utf16::ToUtf8(units);
    }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
};

std::array<std::uint16_t, 4> VersionWords(std::uint32_t ms, std::uint32_t ls) {
    return {static_cast<std::uint16_t>(ms >> 16), static_cast<std::uint16_t>(ms),
            static_cast<std::uint16_t>(ls >> 16), static_cast<std::uint16_t>(ls)};
}

void ReadFixedInfo(const TVersionReader& r, const TBlock& root, TVersionInfo& info) {
    if (root.Key != "VS_VERSION_INFO")
        r.Fail(root.Start + kBlockHeaderSize,
               "the first block's key is \"" + root.Key + "\", not \"VS_VERSION_INFO\"");
    if (root.Type != kTypeBinary || root.ValueLength != kFixedFileInfoSize)
        r.Fail(root.Start + 2, "the fixed part is " + std::to_string(root.ValueBytes) +
                                   " bytes, not " + std::to_string(kFixedFileInfoSize));
    const std::size_t at = root.ValueAt;
    if (const std::uint32_t signature = r.U32(at); signature != kFixedFileInfoSignature)
        r.Fail(at,
               "the fixed part's signature is " + std::to_string(signature) + ", not 0xFEEF04BD");
    info.FileVersion = VersionWords(r.U32(at + 8), r.U32(at + 12));
    info.ProductVersion = VersionWords(r.U32(at + 16), r.U32(at + 20));
    info.FileFlagsMask = r.U32(at + 24);
    info.FileFlags = r.U32(at + 28);
    info.FileOS = r.U32(at + 32);
    info.FileType = r.U32(at + 36);
    info.FileSubtype = r.U32(at + 40);
    info.FileDateMS = r.U32(at + 44);
    info.FileDateLS = r.U32(at + 48);
}

}  // namespace

TVersionInfo ReadVersionInfo(const std::uint8_t* data, std::size_t size) {
    const TVersionReader r(data, size);
    const TBlock root = r.Block(0, r.Size(), "VS_VERSION_INFO");
    TVersionInfo info;
    ReadFixedInfo(r, root, info);
    r.Children(root, "a child of VS_VERSION_INFO", [&](const TBlock& block) {
        if (block.Key == "StringFileInfo") {
            r.Children(block, "a string table", [&](const TBlock& tableBlock) {
                TVersionStringTable table{tableBlock.Key, {}};
                r.Children(tableBlock, "a string",
                           [&](const TBlock& s) { table.Strings.emplace_back(s.Key, r.Text(s)); });
                info.StringTables.push_back(std::move(table));
            });
        } else if (block.Key == "VarFileInfo") {
            r.Children(block, "a variable", [&](const TBlock& var) {
                if (var.Key != "Translation") return;
                if (var.ValueBytes % 4 != 0)
                    r.Fail(var.Start + 2, "the translation table of " +
                                              std::to_string(var.ValueBytes) +
                                              " bytes is not a whole number of 4-byte pairs");
                for (std::size_t p = var.ValueAt; p < var.ValueAt + var.ValueBytes; p += 4)
                    info.Translations.push_back({r.U16(p), r.U16(p + 2)});
            });
        }
    });
    return info;
}

namespace {

// Appends blocks front to back; a block's length is filled in when it ends, so that it
// covers its children but not the padding after the last of them.
class TVersionWriter {
public:
    std::vector<std::uint8_t> Bytes;

    void U16(std::uint16_t v) {
        Bytes.push_back(static_cast<std::uint8_t>(v));
        Bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Pad() {
        while (Bytes.size() % 4 != 0) Bytes.push_back(0);
    }
    void Units(const std::vector<std::uint16_t>& units) {
        for (std::uint16_t u : units) U16(u);
        U16(0);
    }

    // Starts a block on a 32-bit boundary and writes its header and key, then the padding
    // before the value.
    std::size_t Begin(const std::string& key, std::size_t valueLength, std::uint16_t type) {
        Pad();
        const std::size_t start = Bytes.size();
        if (valueLength > 0xFFFF)
            throw std::length_error("version block \"" + key + "\" is too long");
        U16(0);
        U16(static_cast<std::uint16_t>(valueLength));
        U16(type);
        Units(Utf16::FromUtf8(key));
        Pad();
        return start;
    }
    void End(std::size_t start) {
        const std::size_t length = Bytes.size() - start;
        if (length > 0xFFFF)
            throw std::length_error("a version block of " + std::to_string(length) +
                                    " bytes is longer than its 16-bit length can say");
        Bytes[start] = static_cast<std::uint8_t>(length);
        Bytes[start + 1] = static_cast<std::uint8_t>(length >> 8);
    }
};

}  // namespace

std::vector<std::uint8_t> WriteVersionInfo(const TVersionInfo& info) {
    TVersionWriter w;
    const std::size_t root = w.Begin("VS_VERSION_INFO", kFixedFileInfoSize, kTypeBinary);
    auto versionMS = [](const std::array<std::uint16_t, 4>& v) {
        return (static_cast<std::uint32_t>(v[0]) << 16) | v[1];
    };
    auto versionLS = [](const std::array<std::uint16_t, 4>& v) {
        return (static_cast<std::uint32_t>(v[2]) << 16) | v[3];
    };
    w.U32(kFixedFileInfoSignature);
    w.U32(kFixedFileInfoVersion);
    w.U32(versionMS(info.FileVersion));
    w.U32(versionLS(info.FileVersion));
    w.U32(versionMS(info.ProductVersion));
    w.U32(versionLS(info.ProductVersion));
    for (std::uint32_t v : {info.FileFlagsMask, info.FileFlags, info.FileOS, info.FileType,
                            info.FileSubtype, info.FileDateMS, info.FileDateLS})
        w.U32(v);

    if (!info.StringTables.empty()) {
        const std::size_t fileInfo = w.Begin("StringFileInfo", 0, kTypeText);
        for (const TVersionStringTable& table : info.StringTables) {
            const std::size_t t = w.Begin(table.Key, 0, kTypeText);
            for (const auto& [key, value] : table.Strings) {
                // The resource compiler counts the terminating zero, so an empty value is one
                // character long and still carries its zero.
                const std::vector<std::uint16_t> text = Utf16::FromUtf8(value);
                const std::size_t s = w.Begin(key, text.size() + 1, kTypeText);
                w.Units(text);
                w.End(s);
            }
            w.End(t);
        }
        w.End(fileInfo);
    }
    if (!info.Translations.empty()) {
        const std::size_t varInfo = w.Begin("VarFileInfo", 0, kTypeText);
        const std::size_t var = w.Begin("Translation", 4 * info.Translations.size(), kTypeBinary);
        for (const TVersionTranslation& t : info.Translations) {
            w.U16(t.Language);
            w.U16(t.CodePage);
        }
        w.End(var);
        w.End(varInfo);
    }
    w.End(root);
    return std::move(w.Bytes);
}

}  // namespace ResourceRecords
