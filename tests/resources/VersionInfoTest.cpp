#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "PackageResourcesSupport.h"
#include "modules/VersionInfo.h"

using namespace ResourceRecords;

namespace {

std::vector<std::uint8_t> PackageVersionBytes() {
    return Bytes(PackageResource(RT_VERSION, "#1"));
}

TVersionInfo Read(const std::vector<std::uint8_t>& bytes) {
    return ReadVersionInfo(bytes.data(), bytes.size());
}

std::string ReadError(const std::vector<std::uint8_t>& bytes) {
    try {
        Read(bytes);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t Get16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Where a UTF-16 key starts in the bytes, its block header six bytes before it.
std::size_t KeyAt(const std::vector<std::uint8_t>& bytes, const std::string& key) {
    std::vector<std::uint8_t> wide;
    for (char c : key) {
        wide.push_back(static_cast<std::uint8_t>(c));
        wide.push_back(0);
    }
    const auto it = std::search(bytes.begin(), bytes.end(), wide.begin(), wide.end());
    EXPECT_NE(it, bytes.end()) << key;
    return static_cast<std::size_t>(it - bytes.begin());
}

}  // namespace

TEST(PackageVersion, ReadsBackEveryField) {
    const TVersionInfo info = Read(PackageVersionBytes());
    EXPECT_EQ(info.FileVersion, (std::array<std::uint16_t, 4>{1, 5, 0, 0}));
    EXPECT_EQ(info.ProductVersion, (std::array<std::uint16_t, 4>{1, 5, 0, 0}));
    EXPECT_EQ(info.FileFlagsMask, 0x3Fu);
    EXPECT_EQ(info.FileFlags, 0u);
    EXPECT_EQ(info.FileOS, 0x4u);
    EXPECT_EQ(info.FileType, 1u);  // an application, not a library
    EXPECT_EQ(info.FileSubtype, 0u);
    EXPECT_EQ(info.FileDateMS, 0u);
    EXPECT_EQ(info.FileDateLS, 0u);
    ASSERT_EQ(info.StringTables.size(), 1u);
    EXPECT_EQ(info.StringTables[0].Key, "040904E4");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CompanyName", ""},      {"FileDescription", ""}, {"FileVersion", "1.5.0.0"},
        {"InternalName", ""},     {"LegalCopyright", ""},  {"LegalTrademarks", ""},
        {"OriginalFilename", ""}, {"ProductName", ""},     {"ProductVersion", "1.5.0.0"},
        {"Comments", ""},
    };
    EXPECT_EQ(info.StringTables[0].Strings, expected);
    ASSERT_NE(info.StringTables[0].Find("ProductVersion"), nullptr);
    EXPECT_EQ(*info.StringTables[0].Find("ProductVersion"), "1.5.0.0");
    EXPECT_EQ(info.StringTables[0].Find("PrivateBuild"), nullptr);
    EXPECT_EQ(info.Translations, (std::vector<TVersionTranslation>{{0x0409, 0x04E4}}));
}

TEST(PackageVersion, IsLaidOutAsTheResourceCompilerLaysItOut) {
    // tools/rc/make-version-fixture.sh compiles the same information with a resource
    // compiler.
    const std::filesystem::path fixture =
        std::filesystem::path(QM_SOURCE_DIR) / "tests" / "fixtures" / "package" / "version.bin";
    std::ifstream in(fixture, std::ios::binary);
    ASSERT_TRUE(in) << fixture;
    const std::vector<std::uint8_t> reference((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
    EXPECT_EQ(PackageVersionBytes(), reference);
}

TEST(PackageVersion, BlockHeadersFollowTheWindowsLayout) {
    const std::vector<std::uint8_t> bytes = PackageVersionBytes();
    EXPECT_EQ(Get16(bytes, 0), bytes.size());  // the root covers everything
    EXPECT_EQ(Get16(bytes, 2), 52u);           // VS_FIXEDFILEINFO
    EXPECT_EQ(Get16(bytes, 4), 0u);            // binary
    EXPECT_EQ(KeyAt(bytes, "VS_VERSION_INFO"), 6u);
    // The key's 32 bytes end at 38; the fixed part starts on the next 32-bit boundary.
    EXPECT_EQ(Get16(bytes, 40) | (Get16(bytes, 42) << 16), 0xFEEF04BD);
    EXPECT_EQ(Get16(bytes, 44) | (Get16(bytes, 46) << 16), 0x00010000);
    EXPECT_EQ(Get16(bytes, 48 + 2), 1u);  // file version most significant word: 1.5
    EXPECT_EQ(Get16(bytes, 48), 5u);
    // An empty value counts its terminating zero: one character.
    const std::size_t comments = KeyAt(bytes, "Comments") - 6;
    EXPECT_EQ(Get16(bytes, comments + 2), 1u);
    EXPECT_EQ(Get16(bytes, comments + 4), 1u);         // text
    EXPECT_EQ(Get16(bytes, comments), 6u + 18u + 2u);  // header, key (aligned), the zero
    const std::size_t version = KeyAt(bytes, "FileVersion") - 6;
    EXPECT_EQ(Get16(bytes, version + 2), 8u);  // "1.5.0.0" and its zero
    const std::size_t translation = KeyAt(bytes, "Translation") - 6;
    EXPECT_EQ(Get16(bytes, translation + 2), 4u);  // bytes, binary
    EXPECT_EQ(Get16(bytes, translation + 4), 0u);
    EXPECT_EQ(translation % 4, 0u);
}

TEST(VersionInfoWriting, RoundTripsTablesTranslationsAndTexts) {
    TVersionInfo info;
    info.FileVersion = {2, 10, 300, 65535};
    info.ProductVersion = {0, 0, 0, 1};
    info.FileFlagsMask = 0x3F;
    info.FileFlags = 0x1;
    info.FileOS = kFileOsWindows32;
    info.FileType = kFileTypeDll;
    info.FileSubtype = 7;
    info.FileDateMS = 0x12345678;
    info.FileDateLS = 0x9ABCDEF0;
    info.StringTables.push_back(
        {"040904E4", {{"A", ""}, {"Comments", "caf\xC3\xA9 \xF0\x9F\x98\x80"}}});
    info.StringTables.push_back({"040704B0", {{"ProductName", "Odd"}, {"Even", "Even"}}});
    info.Translations = {{0x0409, 0x04E4}, {0x0407, 0x04B0}};
    const std::vector<std::uint8_t> bytes = WriteVersionInfo(info);
    const TVersionInfo back = Read(bytes);
    EXPECT_EQ(back.FileVersion, info.FileVersion);
    EXPECT_EQ(back.ProductVersion, info.ProductVersion);
    EXPECT_EQ(back.FileFlags, 1u);
    EXPECT_EQ(back.FileType, kFileTypeDll);
    EXPECT_EQ(back.FileSubtype, 7u);
    EXPECT_EQ(back.FileDateMS, 0x12345678u);
    EXPECT_EQ(back.FileDateLS, 0x9ABCDEF0u);
    ASSERT_EQ(back.StringTables.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.StringTables[i].Key, info.StringTables[i].Key);
        EXPECT_EQ(back.StringTables[i].Strings, info.StringTables[i].Strings);
    }
    EXPECT_EQ(back.Translations, info.Translations);
    EXPECT_EQ(Get16(bytes, 0), bytes.size());
}

TEST(VersionInfoWriting, RefusesBlocksLongerThanTheirLengthCanSay) {
    TVersionInfo info;
    info.StringTables.push_back({"040904E4", {{"Comments", std::string(40000, 'x')}}});
    EXPECT_THROW(WriteVersionInfo(info), std::length_error);
}

TEST(VersionInfoReading, RefusesEveryTruncation) {
    const std::vector<std::uint8_t> bytes = PackageVersionBytes();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        const std::string error = ReadError(cut);
        EXPECT_NE(error.find("version information, byte "), std::string::npos)
            << n << " bytes: " << error;
    }
    EXPECT_NE(ReadError({}), "");
    EXPECT_THROW(ReadVersionInfo(nullptr, 100), std::runtime_error);
}

TEST(VersionInfoReading, RefusesBadLengthsKeysAndSignatures) {
    const std::vector<std::uint8_t> good = PackageVersionBytes();
    const std::size_t stringFileInfo = KeyAt(good, "StringFileInfo") - 6;
    const std::size_t comments = KeyAt(good, "Comments") - 6;
    const std::size_t translation = KeyAt(good, "Translation") - 6;
    struct TCase {
        const char* What;
        std::size_t At;
        std::uint16_t Value;
        std::string Expected;
    };
    const TCase kCases[] = {
        {"a root longer than the data", 0, static_cast<std::uint16_t>(good.size() + 4),
         "byte 0: VS_VERSION_INFO: block length"},
        {"a root too short for its key", 0, 7,
         "byte 0: VS_VERSION_INFO: block length 7 is too small"},
        {"a root whose key does not fit", 0, 20,
         "byte 6: VS_VERSION_INFO: the key has no terminating zero"},
        {"a fixed part of the wrong size", 2, 48, "byte 2: the fixed part is 48 bytes, not 52"},
        {"a wrong signature", 40, 0x1234, "byte 40: the fixed part's signature"},
        {"a child longer than its parent", stringFileInfo, 0xF000,
         "byte " + std::to_string(stringFileInfo) + ": a child of VS_VERSION_INFO: block length"},
        {"a string value longer than its block", comments + 2, 100,
         "byte " + std::to_string(comments + 2) + ": block \"Comments\": a value of 200 bytes"},
        {"an unknown block type", comments + 4, 2, "block type 2 is neither"},
        {"a translation of half a pair", translation + 2, 2,
         "byte " + std::to_string(translation + 2) + ": the translation table of 2 bytes"},
        {"a zero-length block", comments, 0, "block length 0 is too small"},
    };
    for (const TCase& c : kCases) {
        std::vector<std::uint8_t> bytes = good;
        Put16(bytes, c.At, c.Value);
        const std::string error = ReadError(bytes);
        EXPECT_NE(error.find(c.Expected), std::string::npos) << c.What << ": " << error;
    }
    std::vector<std::uint8_t> otherKey = good;
    otherKey[6] = 'X';
    EXPECT_NE(ReadError(otherKey).find("not \"VS_VERSION_INFO\""), std::string::npos);
}

TEST(VersionInfoReading, SkipsUnknownBlocksAndVariables) {
    TVersionInfo info;
    info.Translations = {{0x0409, 0x04E4}};
    std::vector<std::uint8_t> bytes = WriteVersionInfo(info);
    // Rename the block and its variable: both are left alone.
    bytes[KeyAt(bytes, "VarFileInfo")] = 'W';
    EXPECT_TRUE(Read(bytes).Translations.empty());
    bytes = WriteVersionInfo(info);
    bytes[KeyAt(bytes, "Translation")] = 'S';
    EXPECT_TRUE(Read(bytes).Translations.empty());
}

TEST(VersionInfoReading, NeverReadsOutsideDamagedData) {
    // Random damage to the package's own resource either reads or is refused with an error;
    // the sanitizers catch any read outside the buffer.
    const std::vector<std::uint8_t> good = PackageVersionBytes();
    std::mt19937 random(1234);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        bytes.resize(bytes.size() - random() % 8);
        // Exact copies on the heap, so that reading one byte too far is caught.
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        try {
            ReadVersionInfo(exact.get(), bytes.size());
        } catch (const std::runtime_error&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}
