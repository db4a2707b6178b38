// Arbitrary bytes as each of the package's records: the version information, the package
// information, the description and the build options must each read or be refused with a
// std::runtime_error; what the version reader accepts must write out and read back the same.
#include <stdexcept>

#include "modules/PackageInfo.h"
#include "modules/VersionInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ResourceRecords;
    try {
        const TVersionInfo info = ReadVersionInfo(data, size);
        const std::vector<std::uint8_t> bytes = WriteVersionInfo(info);
        const TVersionInfo back = ReadVersionInfo(bytes.data(), bytes.size());
        if (back.Translations != info.Translations || back.FileVersion != info.FileVersion)
            __builtin_trap();
    } catch (const std::runtime_error&) {
    } catch (const std::length_error&) {
    }
    for (auto decode : {+[](const std::uint8_t*d, std::size_t n) { DecodePackageInfo(d, n); },
                        +[](const std::uint8_t*d, std::size_t n) { DecodeDescription(d, n); },
                        +[](const std::uint8_t*d, std::size_t n) { DecodePackageOptions(d, n); }}) {
        try {
            decode(data, size);
        } catch (const std::runtime_error&) {
        }
    }
    return 0;
}
