// The package's raw-data records, read back from their bytes: the package information record
// ("PACKAGEINFO"), the description ("DESCRIPTION") and the build options ("PACKAGEOPTIONS").
// Every reader checks each length against the bytes there are and refuses bad input with a
// std::runtime_error naming the record, the byte offset and what was wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ResourceRecords {

// The one-byte hash that the package information record stores before each name. The name is
// folded to upper case by clearing bit 5 of every byte (so "vcl50" and "VCL50" hash alike);
// the hash rotates left one bit and takes in each folded byte with an exclusive or, starting
// from 0, and finally takes in the name's length the same way.
constexpr std::uint8_t PackageNameHash(std::string_view name) {
    std::uint8_t hash = 0;
    for (char c : name) {
        hash = static_cast<std::uint8_t>((hash << 1) | (hash >> 7));
        hash ^= static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) & 0xDF);
    }
    return static_cast<std::uint8_t>(hash ^ static_cast<std::uint8_t>(name.size()));
}

// Package flags of the information record.
constexpr std::uint32_t kPackageNeverBuild = 0x00000001;  // never rebuilt implicitly
constexpr std::uint32_t kPackageDesignOnly = 0x00000002;
constexpr std::uint32_t kPackageRunOnly = 0x00000004;
constexpr std::uint32_t kPackageProducerMask = 0x0C000000;  // bits 26-27: who compiled it
constexpr std::uint32_t kPackageLibrary = 0x40000000;       // bits 30-31 = 1: a package library

// Unit flags of the information record.
constexpr std::uint8_t kUnitMain = 0x01;
constexpr std::uint8_t kUnitPackage = 0x02;

struct TRequiredPackage {
    std::uint8_t Hash;
    std::string Name;
};

struct TContainedUnit {
    std::uint8_t Flags;
    std::uint8_t Hash;
    std::string Name;
};

struct TPackageInfo {
    std::uint32_t Flags = 0;
    std::vector<TRequiredPackage> Requires;
    std::vector<TContainedUnit> Contains;
};

// The package information record: flags, the required packages, the contained units, then
// zero bytes up to a multiple of four.
TPackageInfo DecodePackageInfo(const std::uint8_t* data, std::size_t size);

// The description: UTF-16 little-endian up to a 16-bit zero, then zero padding. Characters
// beyond ASCII come back as UTF-8.
std::string DecodeDescription(const std::uint8_t* data, std::size_t size);

// The build options record, as the package writes it (all integers little-endian):
//
//   offset  size  field
//        0     4  record version, 1
//        4    26  compiler switches A to Z, one byte each: 0 off, 1 on, or the switch's
//                 number (A, the record field alignment, is 8)
//       30     2  zero
//       32     4  minimum stack size
//       36     4  maximum stack size
//       40     4  image base
//       44   1+n  unit aliases: a length byte, then that many characters
//     then   1+n  description, the same way
//     then        zero bytes up to a multiple of four
struct TPackageOptions {
    std::uint32_t Version = 0;
    std::uint8_t Switches[26] = {};
    std::uint32_t MinStackSize = 0;
    std::uint32_t MaxStackSize = 0;
    std::uint32_t ImageBase = 0;
    std::string UnitAliases;
    std::string Description;

    // The setting of switch 'A' to 'Z'; 0 for any other letter.
    std::uint8_t Switch(char letter) const {
        return letter >= 'A' && letter <= 'Z' ? Switches[letter - 'A'] : 0;
    }
};

constexpr std::uint32_t kPackageOptionsVersion = 1;
constexpr std::size_t kPackageOptionsFixedSize = 44;

TPackageOptions DecodePackageOptions(const std::uint8_t* data, std::size_t size);

}  // namespace ResourceRecords
