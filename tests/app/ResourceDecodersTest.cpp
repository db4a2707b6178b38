// The decoders of the package's description, package information and version records: what
// they read, and that cut or bad data is refused with a message and never read past its end.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ResourceDecoders.h"

namespace {

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void PutName(std::vector<std::uint8_t>& v, const std::string& s) {
    v.insert(v.end(), s.begin(), s.end());
    v.push_back(0);
}

std::vector<std::uint8_t> PackageInfoRecord() {
    std::vector<std::uint8_t> v;
    Put32(v, 0x4C000001);
    Put32(v, 2);
    v.push_back(0xC1);
    PutName(v, "VCLX50");
    v.push_back(0x71);
    PutName(v, "vcl50");
    Put32(v, 2);
    v.push_back(0x03);
    v.push_back(0x00);
    PutName(v, "QuillmereAll");
    v.push_back(0x00);
    v.push_back(0x00);
    PutName(v, "Qelpanel");
    while (v.size() % 4) v.push_back(0);
    return v;
}

// A block of version information: length, value length, type, key, value, children.
std::vector<std::uint8_t> Block(const std::string& key, const std::vector<std::uint8_t>& value,
                                std::uint16_t valueLength, std::uint16_t type,
                                const std::vector<std::uint8_t>& children) {
    std::vector<std::uint8_t> v(6, 0);
    for (char c : key) {
        v.push_back(static_cast<std::uint8_t>(c));
        v.push_back(0);
    }
    v.push_back(0);
    v.push_back(0);
    while (v.size() % 4) v.push_back(0);
    v.insert(v.end(), value.begin(), value.end());
    while (v.size() % 4) v.push_back(0);
    v.insert(v.end(), children.begin(), children.end());
    v[0] = static_cast<std::uint8_t>(v.size());
    v[1] = static_cast<std::uint8_t>(v.size() >> 8);
    v[2] = static_cast<std::uint8_t>(valueLength);
    v[4] = static_cast<std::uint8_t>(type);
    return v;
}

std::vector<std::uint8_t> Utf16(const std::string& s) {
    std::vector<std::uint8_t> v;
    for (char c : s) {
        v.push_back(static_cast<std::uint8_t>(c));
        v.push_back(0);
    }
    v.push_back(0);
    v.push_back(0);
    return v;
}

std::vector<std::uint8_t> VersionRecord() {
    std::vector<std::uint8_t> fixed;
    for (std::uint32_t x :
         {0xFEEF04BDu, 0x10000u, 0x00010005u, 0u, 0x00010005u, 0u, 0x3Fu, 0u, 4u, 1u, 0u, 0u, 0u})
        Put32(fixed, x);
    const auto value = Utf16("1.5.0.0");
    const auto entry = Block("FileVersion", value, 8, 1, {});
    auto table = Block("040904E4", {}, 0, 1, entry);
    const auto strings = Block("StringFileInfo", {}, 0, 1, table);
    return Block("VS_VERSION_INFO", fixed, 52, 0, strings);
}

}  // namespace

TEST(ResourceDecoders, ReadThePackageInformationRecord) {
    const auto record = PackageInfoRecord();
    const auto info = ResourceDecoders::PackageInfo(record.data(), record.size());
    EXPECT_EQ(info.Flags, 0x4C000001u);
    EXPECT_EQ(info.Requires, (std::vector<std::string>{"VCLX50", "vcl50"}));
    ASSERT_EQ(info.Contains.size(), 2u);
    EXPECT_EQ(info.Contains[0].Name, "QuillmereAll");
    EXPECT_EQ(info.Contains[0].Flags, 3);
    EXPECT_EQ(info.Contains[1].Name, "Qelpanel");
}

TEST(ResourceDecoders, ReadTheVersionAndItsStrings) {
    const auto record = VersionRecord();
    const auto v = ResourceDecoders::VersionInfo(record.data(), record.size());
    EXPECT_EQ(ResourceDecoders::VersionText(v.FileVersion), "1.5.0.0");
    EXPECT_EQ(ResourceDecoders::VersionText(v.ProductVersion), "1.5.0.0");
    EXPECT_EQ(v.FileType, 1u);
    ASSERT_EQ(v.Strings.size(), 1u);
    EXPECT_EQ(v.Strings[0].first, "040904E4\\FileVersion");
    EXPECT_EQ(v.Strings[0].second, "1.5.0.0");
}

TEST(ResourceDecoders, ReadTheDescription) {
    const auto text = Utf16("QEL Quillmere 1.5");
    EXPECT_EQ(ResourceDecoders::Description(text.data(), text.size()), "QEL Quillmere 1.5");
    const std::uint8_t odd[3] = {'A', 0, 0};
    EXPECT_THROW(ResourceDecoders::Description(odd, 3), std::runtime_error);
}

// Every cut of a good record is refused or read within its bytes (ASan checks the latter).
TEST(ResourceDecoders, CutRecordsAreRefusedWithAnOffset) {
    const auto info = PackageInfoRecord();
    for (std::size_t n = 0; n < info.size() - 3; ++n) {
        const std::vector<std::uint8_t> cut(info.begin(), info.begin() + static_cast<long>(n));
        try {
            ResourceDecoders::PackageInfo(cut.data(), cut.size());
            ADD_FAILURE() << "a record of " << n << " bytes was read";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("byte "), std::string::npos) << e.what();
        }
    }
    const auto version = VersionRecord();
    for (std::size_t n = 0; n < version.size(); ++n) {
        const std::vector<std::uint8_t> cut(version.begin(),
                                            version.begin() + static_cast<long>(n));
        EXPECT_THROW(ResourceDecoders::VersionInfo(cut.data(), cut.size()), std::runtime_error)
            << n;
    }
    // A count far larger than the record could hold is refused before anything is read.
    auto huge = info;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xFF;
    EXPECT_THROW(ResourceDecoders::PackageInfo(huge.data(), huge.size()), std::runtime_error);
}
