#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "PackageResourcesSupport.h"
#include "modules/PackageInfo.h"

using namespace ResourceRecords;

namespace {

// The package information record, byte for byte.
const std::vector<std::uint8_t> kExpectedPackageInfo = {
    0x01, 0x00, 0x00, 0x4C,                    // flags 0x4C000001
    0x02, 0x00, 0x00, 0x00,                    // 2 required packages
    0xC1, 'V',  'C',  'L',  'X', '5', '0', 0,  //
    0x71, 'v',  'c',  'l',  '5', '0', 0,       //
    0x05, 0x00, 0x00, 0x00,                    // 5 contained units
    0x03, 0x0E, 'Q',  'u',  'i', 'l', 'l', 'm', 'e', 'r', 'e', 'A', 'l', 'l', 0,  //
    0x00, 0x59, 'Q',  'e',  'l', 'g', 'r', 'o', 'u', 'p', 0,                      //
    0x00, 0x78, 'S',  'y',  's', 'I', 'n', 'i', 't', 0,                           //
    0x00, 0x8A, 'Q',  'e',  'l', 'l', 'i', 's', 't', 0,                           //
    0x00, 0x88, 'Q',  'e',  'l', 'p', 'a', 'n', 'e', 'l', 0,  // 84 bytes: no padding
};

TPackageInfo Decode(const std::vector<std::uint8_t>& bytes) {
    return DecodePackageInfo(bytes.data(), bytes.size());
}

// The message of the error that decoding raises, or "" when it succeeds.
template <class F>
std::string ErrorOf(F&& decode) {
    try {
        decode();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PackageInfoRecord, IsByteForByteTheRecord) {
    EXPECT_EQ(Bytes(PackageResource(RT_RCDATA, "PACKAGEINFO")), kExpectedPackageInfo);
}

TEST(PackageInfoRecord, DecodesToFlagsRequiredPackagesAndUnits) {
    const TPackageInfo info = Decode(kExpectedPackageInfo);
    EXPECT_EQ(info.Flags, 0x4C000001u);
    EXPECT_TRUE(info.Flags & kPackageNeverBuild);
    EXPECT_FALSE(info.Flags & (kPackageDesignOnly | kPackageRunOnly));  // serves both
    EXPECT_EQ((info.Flags & kPackageProducerMask) >> 26, 3u);
    EXPECT_EQ(info.Flags >> 30, 1u);
    ASSERT_EQ(info.Requires.size(), 2u);
    EXPECT_EQ(info.Requires[0].Name, "VCLX50");
    EXPECT_EQ(info.Requires[1].Name, "vcl50");
    const char* const kUnits[] = {"QuillmereAll", "Qelgroup", "SysInit", "Qellist", "Qelpanel"};
    ASSERT_EQ(info.Contains.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(info.Contains[i].Name, kUnits[i]);
        EXPECT_EQ(info.Contains[i].Flags, i == 0 ? kUnitMain | kUnitPackage : 0) << kUnits[i];
    }
}

TEST(PackageInfoRecord, EveryHashIsTheNameHash) {
    EXPECT_EQ(PackageNameHash("VCLX50"), 0xC1);
    EXPECT_EQ(PackageNameHash("vcl50"), 0x71);
    const TPackageInfo info = Decode(kExpectedPackageInfo);
    for (const TRequiredPackage& p : info.Requires)
        EXPECT_EQ(p.Hash, PackageNameHash(p.Name)) << p.Name;
    for (const TContainedUnit& u : info.Contains)
        EXPECT_EQ(u.Hash, PackageNameHash(u.Name)) << u.Name;
}

TEST(PackageNameHash, IgnoresCaseAndTellsNamesApart) {
    EXPECT_EQ(PackageNameHash("vclx50"), PackageNameHash("VCLX50"));
    EXPECT_EQ(PackageNameHash("QELLIST"), PackageNameHash("Qellist"));
    EXPECT_NE(PackageNameHash("Qellist"), PackageNameHash("Qelpanel"));
    EXPECT_NE(PackageNameHash("Qelgroup"), PackageNameHash("Qelgroup1"));
    EXPECT_EQ(PackageNameHash(""), 0);
}

TEST(PackageInfoDecoding, RefusesEveryTruncationNamingTheOffset) {
    for (std::size_t n = 0; n < kExpectedPackageInfo.size(); ++n) {
        const std::vector<std::uint8_t> cut(kExpectedPackageInfo.begin(),
                                            kExpectedPackageInfo.begin() + static_cast<long>(n));
        const std::string error = ErrorOf([&] { Decode(cut); });
        EXPECT_NE(error.find("package information, byte "), std::string::npos)
            << n << " bytes: " << error;
    }
    EXPECT_NE(ErrorOf([] { DecodePackageInfo(nullptr, 12); }), "");
}

TEST(PackageInfoDecoding, RefusesBadCountsNamesAndPadding) {
    struct TCase {
        const char* What;
        std::size_t At;
        std::uint8_t Value;
        const char* Expected;
    };
    for (TCase c : {
             TCase{"a count larger than the record", 4, 0xFF, "byte 4: 255 required packages"},
             TCase{"a huge unit count", 26, 0x7F, "byte 23: "},
             TCase{"an empty name", 9, 0, "byte 9: a required package's name is empty"},
             TCase{"fewer units than counted", 23, 6, "byte 84: "},
         }) {
        std::vector<std::uint8_t> bytes = kExpectedPackageInfo;
        bytes[c.At] = c.Value;
        const std::string error = ErrorOf([&] { Decode(bytes); });
        EXPECT_NE(error.find(c.Expected), std::string::npos) << c.What << ": " << error;
    }
    std::vector<std::uint8_t> unended = kExpectedPackageInfo;
    unended.back() = 'x';
    EXPECT_NE(ErrorOf([&] { Decode(unended); }).find("byte 75: a unit's name has no terminating"),
              std::string::npos);

    std::vector<std::uint8_t> padded = kExpectedPackageInfo;
    for (int i = 0; i < 4; ++i) padded.push_back(0);
    EXPECT_NE(ErrorOf([&] { Decode(padded); }).find("byte 84: expected 0 zero bytes"),
              std::string::npos);
    // A record that needs padding must have it, and it must be zero.
    std::vector<std::uint8_t> shorter = kExpectedPackageInfo;
    shorter.erase(shorter.end() - 2);  // "Qelpane"
    EXPECT_NE(ErrorOf([&] { Decode(shorter); }), "");
    shorter.push_back(0);
    EXPECT_EQ(Decode(shorter).Contains.back().Name, "Qelpane");
    shorter.back() = 1;
    EXPECT_NE(ErrorOf([&] { Decode(shorter); }).find("byte 83: padding byte is not zero"),
              std::string::npos);
}

TEST(PackageDescriptionDecoding, RefusesATextWithoutItsZeroAndKeepsOtherCharacters) {
    const std::vector<std::uint8_t> noZero = {'Q', 0, 'E', 0, 'L', 0, ' ', 0};
    EXPECT_NE(ErrorOf([&] {
                  DecodeDescription(noZero.data(), noZero.size());
              }).find("package description, byte 8: the text has no terminating 16-bit zero"),
              std::string::npos);
    const std::vector<std::uint8_t> odd = {'Q', 0, 'E'};
    EXPECT_NE(ErrorOf([&] { DecodeDescription(odd.data(), odd.size()); }), "");
    // e acute, then the euro sign, then zero and padding.
    const std::vector<std::uint8_t> accented = {0xE9, 0, 0xAC, 0x20, 0, 0, 0, 0};
    EXPECT_EQ(DecodeDescription(accented.data(), accented.size()), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_NE(ErrorOf([&] { DecodeDescription(nullptr, 0); }), "");
}

TEST(PackageOptionsDecoding, RefusesEveryTruncationAndAWrongVersion) {
    const TResourceEntry& r = PackageResource(RT_RCDATA, "PACKAGEOPTIONS");
    const std::vector<std::uint8_t> bytes = Bytes(r);
    // Every cut but those that only drop the final padding is refused.
    const std::size_t end = 44 + 1 + 72 + 1 + 17;
    for (std::size_t n = 0; n < end; ++n) {
        const std::string error = ErrorOf([&] { DecodePackageOptions(bytes.data(), n); });
        EXPECT_NE(error.find("build options, byte "), std::string::npos) << n << ": " << error;
    }
    std::vector<std::uint8_t> wrongVersion = bytes;
    wrongVersion[0] = 2;
    EXPECT_NE(ErrorOf([&] {
                  DecodePackageOptions(wrongVersion.data(), wrongVersion.size());
              }).find("byte 0: record version 2, expected 1"),
              std::string::npos);
    std::vector<std::uint8_t> longAliases = bytes;
    longAliases[44] = 0xFF;
    EXPECT_NE(ErrorOf([&] {
                  DecodePackageOptions(longAliases.data(), longAliases.size());
              }).find("byte 44: the unit aliases of 255 characters runs past the end"),
              std::string::npos);
}
