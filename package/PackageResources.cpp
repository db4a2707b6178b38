#include "package/PackageResources.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "modules/PackageInfo.h"
#include "package/Dib4.h"
#include "modules/VersionInfo.h"

namespace Quillmereall {
namespace {

using namespace ResourceRecords;

// The palette bitmaps, top row first, one hexadecimal digit a pixel giving its index in the
// standard 16-colour palette: 0 black, 4 navy, 7 silver, 8 grey, 9 red, B yellow, C blue,
// F white, 2 green, 6 teal, E aqua. Silver is the background, and the bottom-left pixel,
// which the design environment takes for the transparent colour, is silver in all nine.
// The marquee: a white bar in a sunken frame, navy lettering, an arrow for the scrolling.
constexpr const char* kScrollingArea[24] = {
    "777777777777777777777777", "777777777777777777777777", "88888888888888888888888F",
    "80000000000000000000007F", "80FFFFFFFFFFFFFFFFFFFF7F", "80FFFFFFFFFFFFFFFFFFFF7F",
    "80FF444FFF44444FF4FFFF7F", "80F4FFF4FF4FFFFFF4FFFF7F", "80F4FFF4FF4FFFFFF4FFFF7F",
    "80F4FFF4FF4444FFF4FFFF7F", "80F4F4F4FF4FFFFFF4FFFF7F", "80F4FF4FFF4FFFFFF4FFFF7F",
    "80FF44F4FF44444FF444447F", "80FFFFFFFFFFFFFFFFFFFF7F", "80FFFFFFFFFFFFFFFFFFFF7F",
    "80FFFFFFFFFFFFFFFFFFFF7F", "80777777777777777777777F", "8FFFFFFFFFFFFFFFFFFFFFFF",
    "777777777777777777777777", "777777774777777777777777", "777777744777777777777777",
    "777777444444444444777777", "777777744777777777777777", "777777774777777777777777",
};
// The tile panel: a black-framed white area tiled 2 x 2 with a small picture (red square,
// green triangle, blue dot, yellow square), a navy diagonal stroke over it.
constexpr const char* kTileBitmap[24] = {
    "777777777777777777777777", "700000000000000000000007", "70FFFFFFFFFFFFFFFFFFFF07",
    "70F999FFFFFFF999FFFF4407", "70F999FF2FFFF999FF244F07", "70F999F222FFF999F244FF07",
    "70FFFF22222FFFFF24422F07", "70FFFFFFFFFFFFFF44FFFF07", "70FFCCFFBBBFFFC44FBBBF07",
    "70FCCCCFBBBFFC44CFBBBF07", "70FCCCCFBBBFF44CCFBBBF07", "70FFCCFFFFFF44CCFFFFFF07",
    "70FFFFFFFFF44FFFFFFFFF07", "70F999FFFF44F999FFFFFF07", "70F999FF244FF999FF2FFF07",
    "70F999F244FFF999F222FF07", "70FFFF24422FFFFF22222F07", "70FFFF44FFFFFFFFFFFFFF07",
    "70FFC44FBBBFFFCCFFBBBF07", "70FC44CFBBBFFCCCCFBBBF07", "70F44CCFBBBFFCCCCFBBBF07",
    "70FFCCFFFFFFFFCCFFFFFF07", "700000000000000000000007", "777777777777777777777777",
};
// The gradient panel: a yellow frame around a shading from black through navy to blue,
// the steps between them dithered.
constexpr const char* kGradient[24] = {
    "777777777777777777777777", "7BBBBBBBBBBBBBBBBBBBBBB7", "7BBBBBBBBBBBBBBBBBBBBBB7",
    "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7",
    "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7",
    "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7",
    "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7",
    "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7",
    "7BB00040444444C4CCCCCBB7", "7BB000040404444C4C4CCBB7", "7BB00040444444C4CCCCCBB7",
    "7BBBBBBBBBBBBBBBBBBBBBB7", "7BBBBBBBBBBBBBBBBBBBBBB7", "777777777777777777777777",
};
// The bitmap list: a white list whose lines start with the on and off bitmaps in miniature.
constexpr const char* kBmpList[24] = {
    "777777777777777777777777", "7888888888888888888888F7", "7800000000000000000007F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780F777772FFFFFFFFFFF7F7", "780F877722FFFFFFFFFFF7F7",
    "780F227227FF00000000F7F7", "780F722277FFFFFFFFFFF7F7", "780F772777FFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780F66666EFFFFFFFFFFF7F7", "780F67777FFFFFFFFFFFF7F7",
    "780F67777FFF000000FFF7F7", "780F67777FFFFFFFFFFFF7F7", "780FEFFFFFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780F777772FFFFFFFFFFF7F7", "780F877722FFFFFFFFFFF7F7",
    "780F227227FF0000000007F7", "780F722277FFFFFFFFFFF7F7", "780F772777FFFFFFFFFFF7F7",
    "7807777777777777777777F7", "78FFFFFFFFFFFFFFFFFFFFF7", "777777777777777777777777",
};
// The radio list: a white list whose lines start with radio buttons, the middle one chosen.
constexpr const char* kRadioList[24] = {
    "777777777777777777777777", "7888888888888888888888F7", "7800000000000000000007F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7", "780F0FFF0FFFFFFFFFFFF7F7",
    "780F0FFF0FFF00000000F7F7", "780F0FFF0FFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7", "780F0FFF0FFFFFFFFFFFF7F7",
    "780F0F0F0FFF000000FFF7F7", "780F0FFF0FFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7", "780F0FFF0FFFFFFFFFFFF7F7",
    "780F0FFF0FFF0000000007F7", "780F0FFF0FFFFFFFFFFFF7F7", "780FF000FFFFFFFFFFFFF7F7",
    "7807777777777777777777F7", "78FFFFFFFFFFFFFFFFFFFFF7", "777777777777777777777777",
};
// The check list: a white list whose first and last lines carry check marks.
constexpr const char* kCheckList[24] = {
    "777777777777777777777777", "7888888888888888888888F7", "7800000000000000000007F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FFFFF0FFFFFFFFFFFF7F7", "780FFFF00FFFFFFFFFFFF7F7",
    "780F0F00FFFF00000000F7F7", "780F000FFFFFFFFFFFFFF7F7", "780FF0FFFFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FFFFFFFFFFFFFFFFFF7F7", "780FFFFFFFFFFFFFFFFFF7F7",
    "780FFFFFFFFF000000FFF7F7", "780FFFFFFFFFFFFFFFFFF7F7", "780FFFFFFFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780FFFFF0FFFFFFFFFFFF7F7", "780FFFF00FFFFFFFFFFFF7F7",
    "780F0F00FFFF0000000007F7", "780F000FFFFFFFFFFFFFF7F7", "780FF0FFFFFFFFFFFFFFF7F7",
    "7807777777777777777777F7", "78FFFFFFFFFFFFFFFFFFFFF7", "777777777777777777777777",
};
// The ordered group box: an etched frame, the numbered label square over its top line and
// the navy caption after it.
constexpr const char* kOrderedGroupBox[24] = {
    "777777777777777777777777", "777777777777777777777777", "777000000077777777777777",
    "7770CCFCC077777777777777", "7770CFFCC074444444447777", "7880CCFCC074444444447877",
    "78F0CCFCC0777777777778F7", "78F0CFFFC0777777777778F7", "78F0000000777777777778F7",
    "78F7777777777777777778F7", "78F7777777777777777778F7", "78F7777777777777777778F7",
    "78F7777777777777777778F7", "78F7777777777777777778F7", "78F7777777777777777778F7",
    "78F7777777777777777778F7", "78F7777777777777777778F7", "78F7777777777777777778F7",
    "78F7777777777777777778F7", "78F7777777777777777778F7", "78F7777777777777777778F7",
    "7888888888888888888888F7", "77FFFFFFFFFFFFFFFFFFFFF7", "777777777777777777777777",
};
// The ordered list box: a white list with a yellow label square in front of each line.
constexpr const char* kOrderedListBox[24] = {
    "777777777777777777777777", "7888888888888888888888F7", "7800000000000000000007F7",
    "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFF00000000FFF7F7",
    "780BBBBBFFFFFFFFFFFFF7F7", "780FFFFFFFFFFFFFFFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7",
    "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFF000000FFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7",
    "780FFFFFFFFFFFFFFFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7",
    "780BBBBBFF000000000FF7F7", "780BBBBBFFFFFFFFFFFFF7F7", "780FFFFFFFFFFFFFFFFFF7F7",
    "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFFFFFFFFFFFFF7F7", "780BBBBBFF00000FFFFFF7F7",
    "780BBBBB77777777777777F7", "78FFFFFFFFFFFFFFFFFFFFF7", "777777777777777777777777",
};
// The ordered tab set: two button tabs under the edge of the page, each with its square.
constexpr const char* kOrderedTabSet[24] = {
    "777777777777777777777777", "777777777777777777777777", "777777777777777777777777",
    "777777777777777777777777", "000000000000000000000000", "7FFFFFFFFFF0FFFFFFFFFF07",
    "7F7777777780F77777777807", "7F7000007780F70000077807", "7F70CCC07780F70CCC077807",
    "7F70CCC07780F70CCC077807", "7F70CCC07780F70CCC077807", "7F7000007780F70000077807",
    "7F7777777780F77777777807", "7F7000000080F70000000807", "7F7777777780F77777777807",
    "7F8888888880F88888888807", "7F0000000000F00000000007", "777777777777777777777777",
    "777777777777777777777777", "777777777777777777777777", "777777777777777777777777",
    "777777777777777777777777", "777777777777777777777777", "777777777777777777777777",
};
// The icon: a raised panel holding a gradient in a yellow frame, a check box with its mark and
// a line of text. '.' is transparent.
constexpr const char* kMainIcon[32] = {
    "................................", "................................",
    ".FFFFFFFFFFFFFFFFFFFFFFFFFFFFF0.", ".F77777777777777777777777777780.",
    ".F77777777777777777777777777780.", ".F77BBBBBBBBBBBBBBBBBBBBBBBB780.",
    ".F77B0004040444444C4C4CCCCCB780.", ".F77B0000004040444444C4C4CCB780.",
    ".F77B0004040444444C4C4CCCCCB780.", ".F77B0000004040444444C4C4CCB780.",
    ".F77B0004040444444C4C4CCCCCB780.", ".F77B0000004040444444C4C4CCB780.",
    ".F77B0004040444444C4C4CCCCCB780.", ".F77B0000004040444444C4C4CCB780.",
    ".F77BBBBBBBBBBBBBBBBBBBBBBBB780.", ".F77777777777777777777777777780.",
    ".F77000000000077777777777777780.", ".F770FFFFFFFF077777777777777780.",
    ".F770FFFFFFFF077777777777777780.", ".F770FFFFF00F077777777777777780.",
    ".F770FFFF000F077000000000007780.", ".F770F0F000FF077000000000007780.",
    ".F770F0000FFF077777777777777780.", ".F770FF00FFFF077777777777777780.",
    ".F770FFFFFFFF077777777777777780.", ".F77000000000077777777777777780.",
    ".F77777777777777777777777777780.", ".F77777777777777777777777777780.",
    ".F88888888888888888888888888880.", ".F00000000000000000000000000000.",
    "................................", "................................",
};

// Palette bitmaps declare all 16 colours important.
constexpr std::uint32_t kAllColoursImportant = 16;
template <std::size_t H>
constexpr auto PaletteDib(const char* const (&rows)[H]) {
    return Dib4::MakeDib<24, H, kAllColoursImportant>(rows);
}

constexpr auto kScrollingAreaDib = PaletteDib(kScrollingArea);
constexpr auto kTileBitmapDib = PaletteDib(kTileBitmap);
constexpr auto kGradientDib = PaletteDib(kGradient);
constexpr auto kBmpListDib = PaletteDib(kBmpList);
constexpr auto kRadioListDib = PaletteDib(kRadioList);
constexpr auto kCheckListDib = PaletteDib(kCheckList);
constexpr auto kOrderedGroupBoxDib = PaletteDib(kOrderedGroupBox);
constexpr auto kOrderedListBoxDib = PaletteDib(kOrderedListBox);
constexpr auto kOrderedTabSetDib = PaletteDib(kOrderedTabSet);
static_assert(kGradientDib.size() == 40 + 64 + 288);

// The description: UTF-16 little-endian, a 16-bit zero, zero bytes to a multiple of four.
constexpr std::string_view kDescriptionText = kPackageDescription;
constexpr auto MakeDescription() {
    std::array<std::uint8_t, (2 * (kDescriptionText.size() + 1) + 3) / 4 * 4> bytes{};
    for (std::size_t i = 0; i < kDescriptionText.size(); ++i)
        bytes[2 * i] = static_cast<std::uint8_t>(kDescriptionText[i]);  // ASCII
    return bytes;
}
constexpr bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
static_assert(IsAscii(kDescriptionText), "the description is widened byte by byte");
constexpr auto kDescription = MakeDescription();

// The package information record: flags; the required packages, each a hash byte and its
// name ending in zero; the contained units, each a flags byte, a hash byte and its name; zero
// bytes to a multiple of four.
constexpr std::uint32_t kProducerCompiler = 3u << 26;
constexpr std::uint32_t kPackageFlags = kPackageNeverBuild | kProducerCompiler | kPackageLibrary;
static_assert(kPackageFlags == 0x4C000001);

struct TUnitEntry {
    std::uint8_t Flags;
    std::string_view Name;
};
constexpr std::string_view kRequiredPackages[] = {"VCLX50", "vcl50"};
constexpr TUnitEntry kContainedUnits[] = {
    {kUnitMain | kUnitPackage, "QuillmereAll"},
    {0, "Qelgroup"},
    {0, "SysInit"},
    {0, "Qellist"},
    {0, "Qelpanel"},
};

constexpr std::size_t PackageInfoSize() {
    std::size_t size = 4 + 4 + 4;
    for (std::string_view p : kRequiredPackages) size += 1 + p.size() + 1;
    for (const TUnitEntry& u : kContainedUnits) size += 2 + u.Name.size() + 1;
    return (size + 3) / 4 * 4;
}

constexpr auto MakePackageInfo() {
    std::array<std::uint8_t, PackageInfoSize()> bytes{};
    std::size_t at = 0;
    auto put8 = [&](std::uint8_t v) { bytes[at++] = v; };
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) put8(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto putName = [&](std::string_view name) {
        for (char c : name) put8(static_cast<std::uint8_t>(c));
        put8(0);
    };
    put32(kPackageFlags);
    put32(std::size(kRequiredPackages));
    for (std::string_view p : kRequiredPackages) {
        put8(PackageNameHash(p));
        putName(p);
    }
    put32(std::size(kContainedUnits));
    for (const TUnitEntry& u : kContainedUnits) {
        put8(u.Flags);
        put8(PackageNameHash(u.Name));
        putName(u.Name);
    }
    return bytes;
}
constexpr auto kPackageInfo = MakePackageInfo();
static_assert(kPackageInfo[8] == 0xC1 && kPackageInfo[16] == 0x71);

// The build options record, laid out as DecodePackageOptions reads it (PackageInfo.h): the
// compiler switches as the package was built (aligned records, assertions, debug
// information, local symbols, optimization, stack frames, range and overflow checks off...),
// the stack sizes and image base, then the unit aliases and the description.
constexpr std::string_view kUnitAliases =
    "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE;";
//                                       A  B  C  D  E  F  G  H  I  J  K  L  M
constexpr std::uint8_t kSwitches[26] = {8, 0, 1, 1, 0, 0, 1, 1, 1, 1, 0, 1, 0,
                                        // N O  P  Q  R  S  T  U  V  W  X  Y  Z
                                        1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1};
constexpr std::uint32_t kMinStackSize = 0x4000;
constexpr std::uint32_t kMaxStackSize = 0x100000;
constexpr std::uint32_t kImageBase = 0x00400000;

constexpr std::size_t PackageOptionsSize() {
    return (kPackageOptionsFixedSize + 1 + kUnitAliases.size() + 1 +
            std::string_view(kPackageDescription).size() + 3) /
           4 * 4;
}

constexpr auto MakePackageOptions() {
    std::array<std::uint8_t, PackageOptionsSize()> bytes{};
    std::size_t at = 0;
    auto put8 = [&](std::uint8_t v) { bytes[at++] = v; };
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) put8(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto putShortString = [&](std::string_view s) {
        put8(static_cast<std::uint8_t>(s.size()));
        for (char c : s) put8(static_cast<std::uint8_t>(c));
    };
    put32(kPackageOptionsVersion);
    for (std::uint8_t s : kSwitches) put8(s);
    put8(0);
    put8(0);
    put32(kMinStackSize);
    put32(kMaxStackSize);
    put32(kImageBase);
    putShortString(kUnitAliases);
    putShortString(kPackageDescription);
    return bytes;
}
constexpr auto kPackageOptions = MakePackageOptions();
static_assert(kUnitAliases.size() < 256);

// The icon, stored as icon 1, and its group: the group directory (reserved 0, type 1, one
// image) and its one entry (32 x 32, 16 colours, 1 plane, 4 bits, the image's size, icon 1).
constexpr auto kIcon = Dib4::MakeIconImage<32>(kMainIcon);
constexpr auto MakeIconGroup() {
    std::array<std::uint8_t, 6 + 14> bytes{};
    bytes[2] = 1;  // type: icon
    bytes[4] = 1;  // one image
    bytes[6] = 32;
    bytes[7] = 32;
    bytes[8] = 16;  // colours
    bytes[10] = 1;  // planes
    bytes[12] = 4;  // bits per pixel
    Dib4::Put32(bytes, 14, static_cast<std::uint32_t>(kIcon.size()));
    bytes[18] = 1;  // icon 1
    return bytes;
}
constexpr auto kIconGroup = MakeIconGroup();
static_assert(kIcon.size() == 40 + 64 + 512 + 128);

const std::vector<std::uint8_t>& VersionResource() {
    static const std::vector<std::uint8_t> bytes = [] {
        TVersionInfo info;
        info.FileVersion = {1, 5, 0, 0};
        info.ProductVersion = {1, 5, 0, 0};
        info.FileFlagsMask = 0x3F;
        info.FileOS = kFileOsWindows32;
        info.FileType = kFileTypeApp;
        TVersionStringTable table{"040904E4", {}};
        for (const char* key :
             {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
              "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"}) {
            const std::string_view k = key;
            table.Strings.emplace_back(
                key, k == "FileVersion" || k == "ProductVersion" ? kPackageVersion : "");
        }
        info.StringTables.push_back(std::move(table));
        info.Translations.push_back({0x0409, 0x04E4});
        return WriteVersionInfo(info);
    }();
    return bytes;
}

template <class Bytes>
TResourceEntry Entry(std::uint16_t type, const char* name, std::uint16_t language,
                     const Bytes& bytes) {
    return TResourceEntry{type, name, language, bytes.data(), bytes.size()};
}

}  // namespace

std::vector<TResourceEntry> PackageResources() {
    return {
        Entry(RT_BITMAP, "TSCROLLINGAREA", kLangNeutral, kScrollingAreaDib),
        Entry(RT_BITMAP, "TTILEBITMAP", kLangNeutral, kTileBitmapDib),
        Entry(RT_BITMAP, "TQELGRADIENT", kLangNeutral, kGradientDib),
        Entry(RT_BITMAP, "TQELBMPLIST", kLangNeutral, kBmpListDib),
        Entry(RT_BITMAP, "TQELRADIOLIST", kLangNeutral, kRadioListDib),
        Entry(RT_BITMAP, "TQELCHECKLIST", kLangNeutral, kCheckListDib),
        Entry(RT_BITMAP, "TORDEREDGROUPBOX", kLangNeutral, kOrderedGroupBoxDib),
        Entry(RT_BITMAP, "TORDEREDLISTBOX", kLangNeutral, kOrderedListBoxDib),
        Entry(RT_BITMAP, "TORDEREDTABSET", kLangNeutral, kOrderedTabSetDib),
        Entry(RT_RCDATA, "DESCRIPTION", kLangNeutral, kDescription),
        Entry(RT_RCDATA, "PACKAGEINFO", kLangNeutral, kPackageInfo),
        Entry(RT_RCDATA, "PACKAGEOPTIONS", kLangNeutral, kPackageOptions),
        Entry(RT_GROUP_ICON, "MAINICON", kLangEnglishUS, kIconGroup),
        Entry(RT_ICON, "#1", kLangEnglishUS, kIcon),
        Entry(RT_VERSION, "#1", kLangEnglishUS, VersionResource()),
    };
}

}  // namespace Quillmereall
