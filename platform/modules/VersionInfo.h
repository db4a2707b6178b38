// Version information in the binary layout of a Windows version resource, written and read.
//
// Every block is: wLength (bytes of the block, not counting the padding after it),
// wValueLength, wType (1 text, 0 binary), a zero-ended UTF-16 key, zero padding to 32 bits,
// the value, zero padding to 32 bits, then the child blocks, each starting on a 32-bit
// boundary. The tree is
//
//   VS_VERSION_INFO            value: VS_FIXEDFILEINFO, 52 bytes
//     StringFileInfo
//       "040904E4"             one string table a language and code page
//         CompanyName ...      value: UTF-16 text; wValueLength counts its characters
//                              with the terminating zero, so an empty value counts 1
//     VarFileInfo
//       Translation            value: pairs of 16-bit language and code page
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ResourceRecords {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedFileInfoVersion = 0x00010000;
constexpr std::uint32_t kFileOsWindows32 = 0x4;  // VOS__WINDOWS32
constexpr std::uint32_t kFileTypeApp = 1;        // VFT_APP
constexpr std::uint32_t kFileTypeDll = 2;        // VFT_DLL

struct TVersionStringTable {
    // Language and code page as eight hexadecimal digits, "040904E4".
    std::string Key;
    // Key and value pairs in stored order; texts are UTF-8.
    std::vector<std::pair<std::string, std::string>> Strings;

    // The value of a key, or null.
    const std::string* Find(const std::string& key) const;
};

struct TVersionTranslation {
    std::uint16_t Language;
    std::uint16_t CodePage;
    friend bool operator==(const TVersionTranslation&, const TVersionTranslation&) = default;
};

struct TVersionInfo {
    // Most significant word first: 1.5.0.0 is {1, 5, 0, 0}.
    std::array<std::uint16_t, 4> FileVersion{};
    std::array<std::uint16_t, 4> ProductVersion{};
    std::uint32_t FileFlagsMask = 0;
    std::uint32_t FileFlags = 0;
    std::uint32_t FileOS = 0;
    std::uint32_t FileType = 0;
    std::uint32_t FileSubtype = 0;
    std::uint32_t FileDateMS = 0;
    std::uint32_t FileDateLS = 0;
    std::vector<TVersionStringTable> StringTables;
    std::vector<TVersionTranslation> Translations;
};

// Reads a version resource. Refuses, with a std::runtime_error naming the byte offset and the
// block, a block whose length runs past its parent or the data, a key without its zero, a
// fixed part that is missing or has the wrong signature, and values that do not fit their
// blocks; it never reads past `size` bytes. Blocks it does not know are skipped.
TVersionInfo ReadVersionInfo(const std::uint8_t* data, std::size_t size);

// The version resource of that information, laid out the way the resource compiler does.
// Throws std::length_error when a block would exceed the 65535 bytes its length can say.
std::vector<std::uint8_t> WriteVersionInfo(const TVersionInfo& info);

}  // namespace ResourceRecords
