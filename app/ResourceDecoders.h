// What a design environment reads from a package's resources: the description, the package
// information record and the version information. Every length is checked against the bytes
// there are; bad data throws std::runtime_error naming the byte offset and what was wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ResourceDecoders {

// UTF-16 little-endian text up to its 16-bit zero, as UTF-8.
std::string Description(const std::uint8_t* data, std::size_t size);

struct TPackageInfo {
    std::uint32_t Flags = 0;
    std::vector<std::string> Requires;
    struct TUnit {
        std::string Name;
        std::uint8_t Flags = 0;  // 1 the main unit, 2 the package unit
    };
    std::vector<TUnit> Contains;
};
TPackageInfo PackageInfo(const std::uint8_t* data, std::size_t size);

struct TVersionInfo {
    std::uint16_t FileVersion[4] = {};
    std::uint16_t ProductVersion[4] = {};
    std::uint32_t FileType = 0;
    // The string tables' keys and values, in order, each key prefixed by its table's name
    // ("040904E4\\FileVersion").
    std::vector<std::pair<std::string, std::string>> Strings;
};
TVersionInfo VersionInfo(const std::uint8_t* data, std::size_t size);

// "1.5.0.0".
std::string VersionText(const std::uint16_t (&version)[4]);

}  // namespace ResourceDecoders
