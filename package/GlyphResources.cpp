#include "package/GlyphResources.h"

#include <array>
#include <cstdint>

#include "package/Dib4.h"

namespace Quillmereall {
namespace {

using Dib4::MakeDib;

// Silver (7) is the background of all four.
constexpr const char* kBmpOn[14] = {
    "77777777777777", "77777777777772", "77888888888728", "77877777777287", "77877777772877",
    "77877777728F77", "77877777287F77", "72877772877F77", "22277722877F77", "72227228777F77",
    "77222287777F77", "7772228FFFFF77", "77772877777777", "77777777777777",
};
constexpr const char* kBmpOff[14] = {
    "77777777777777", "77777777777777", "77666666666E77", "77677777777F77", "77677777777F77",
    "77677777777F77", "77677777777F77", "77677777777F77", "77677777777F77", "77677777777F77",
    "77677777777F77", "77677777777F77", "77EFFFFFFFFF77", "77777777777777",
};
constexpr const char* kRadOn[13] = {
    "7777888877777", "7780000008777", "7808FFFFF0877", "708FF888FF877", "80FF00000FF8F",
    "80F8000008F8F", "80F8000008F8F", "80F8000008F8F", "70FF00000FF8F", "780FF888FF8F7",
    "7788FFFFF87F7", "777788888FF77", "7777FFFFF7777",
};
constexpr const char* kRadOff[13] = {
    "7777888877777", "7780000008777", "7808FFFFF0877", "708FFFFFFF877", "80FFFFFFFFF8F",
    "80FFFFFFFFF8F", "80FFFFFFFFF8F", "80FFFFFFFFF8F", "70FFFFFFFFF8F", "780FFFFFFF8F7",
    "7788FFFFF87F7", "777788888FF77", "7777FFFFF7777",
};

constexpr auto kQelBmpOn = MakeDib<14>(kBmpOn);
constexpr auto kQelBmpOff = MakeDib<14>(kBmpOff);
constexpr auto kQelRadOn = MakeDib<13>(kRadOn);
constexpr auto kQelRadOff = MakeDib<13>(kRadOff);

template <std::size_t N>
TResourceEntry Bitmap(const char* name, const std::array<std::uint8_t, N>& dib) {
    return TResourceEntry{RT_BITMAP, name, kLangEnglishUS, dib.data(), dib.size()};
}

}  // namespace

std::vector<TResourceEntry> GlyphResources() {
    return {
        Bitmap("QELBMPON", kQelBmpOn),
        Bitmap("QELBMPOFF", kQelBmpOff),
        Bitmap("QELRADON", kQelRadOn),
        Bitmap("QELRADOFF", kQelRadOff),
    };
}

}  // namespace Quillmereall
