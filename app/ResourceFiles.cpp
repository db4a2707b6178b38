#include "app/ResourceFiles.h"

#include "core/AnsiText.h"

namespace ResourceFiles {
namespace {

std::uint32_t U32(const std::uint8_t* d) {
    return static_cast<std::uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16)) |
           (static_cast<std::uint32_t>(d[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* d) {
    return static_cast<std::uint16_t>(d[0] | (d[1] << 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BitmapFile(const TResourceEntry& dib) {
    constexpr std::uint32_t kFileHeader = 14;
    if (!dib.Data || dib.Size < 40 || dib.Size > 0x7FFFFFFF) return {};
    const std::uint32_t header = U32(dib.Data);
    if (header < 40 || header > dib.Size) return {};
    const std::uint32_t bits = U16(dib.Data + 14);
    const std::uint32_t compression = U32(dib.Data + 16);
    const std::uint32_t used = U32(dib.Data + 32);
    std::uint64_t colours = bits <= 8 ? (used ? used : 1u << bits) : used;
    if (header == 40 && compression == 3) colours += 3;  // the three bit-field masks
    const std::uint64_t offset = kFileHeader + header + 4 * colours;
    if (offset > kFileHeader + dib.Size) return {};
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put32(out, kFileHeader + static_cast<std::uint32_t>(dib.Size));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    out.insert(out.end(), dib.Data, dib.Data + dib.Size);
    return out;
}

std::vector<std::uint8_t> IconFile(const TModuleRecordImpl& module, const TResourceEntry& group) {
    // The group: reserved, type 1, count, then 14-byte entries ending in the icon's number.
    if (!group.Data || group.Size < 6 || U16(group.Data + 2) != 1) return {};
    const std::size_t count = U16(group.Data + 4);
    if (count == 0 || group.Size < 6 + 14 * count) return {};
    std::vector<const TResourceEntry*> icons;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = group.Data + 6 + 14 * i;
        const TResourceEntry* icon =
            module.Find(RT_ICON, "#" + std::to_string(U16(e + 12)), group.Language);
        if (!icon || !icon->Data || icon->Size > 0x7FFFFFFF) return {};
        icons.push_back(icon);
    }
    // The file: the same header, 16-byte entries giving each image's size and offset.
    std::vector<std::uint8_t> out(group.Data, group.Data + 6);
    std::uint64_t offset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = group.Data + 6 + 14 * i;
        out.insert(out.end(), e, e + 8);  // width, height, colours, reserved, planes, bits
        Put32(out, static_cast<std::uint32_t>(icons[i]->Size));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += icons[i]->Size;
        if (offset > 0x7FFFFFFF) return {};
    }
    for (const TResourceEntry* icon : icons)
        out.insert(out.end(), icon->Data, icon->Data + icon->Size);
    return out;
}

std::string TypeName(std::uint16_t type) {
    switch (type) {
        case RT_BITMAP:
            return "BITMAP";
        case RT_ICON:
            return "ICON";
        case RT_RCDATA:
            return "RCDATA";
        case RT_GROUP_ICON:
            return "GROUP_ICON";
        case RT_VERSION:
            return "VERSION";
        default:
            return std::to_string(type);
    }
}

std::string FileStem(const TResourceEntry& r) {
    std::string name = !r.Name.empty() && r.Name[0] == '#' ? r.Name.substr(1) : r.Name;
    for (char& c : name)
        if (!AnsiText::IsNameChar(c) && c != '-') c = '_';
    if (name.empty()) name = "_";
    return TypeName(r.Type) + "_" + name;
}

}  // namespace ResourceFiles
