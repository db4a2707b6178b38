// A language resource module for the tests: a library with a resource table and no code
// besides. Its "QELRADON" is a 2 x 2 red bitmap, so a test sees which module a glyph came from.
#include <cstddef>
#include <cstdint>

#include "modules/TModuleRecordImpl.h"

namespace {

// 40-byte header, 24 bits per pixel, then two rows of two red pixels, each row padded to 8.
constexpr std::uint8_t kRedDib[40 + 16] = {
    40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24,  0, 0, 0,   0, 0, 16, 0, 0,   0, 0, 0,   0, 0,
    0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0,  0, 255, 0, 0, 255, 0, 0,
};

// "Deutsch" in UTF-16, ended by a zero.
constexpr std::uint8_t kDescription[] = {'D', 0, 'e', 0, 'u', 0, 't', 0,
                                         's', 0, 'c', 0, 'h', 0, 0,   0};

constexpr TResourceRecord kResources[] = {
    {RT_BITMAP, kLangEnglishUS, "QELRADON", kRedDib, sizeof kRedDib},
    {RT_RCDATA, kLangNeutral, "description", kDescription, sizeof kDescription},
    {RT_RCDATA, kLangNeutral, nullptr, kDescription, sizeof kDescription},  // skipped
};

}  // namespace

extern "C" const TResourceRecord* QmResourceTable(std::size_t* count) {
    *count = sizeof kResources / sizeof kResources[0];
    return kResources;
}
