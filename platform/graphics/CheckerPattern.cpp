#include "graphics/CheckerPattern.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "core/SysColors.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"

TBitmap* CheckerPattern(TColor even, TColor odd) {
    using TKey = std::pair<std::uint32_t, std::uint32_t>;
    static std::mutex& mutex = *new std::mutex;
    static auto& patterns = *new std::map<TKey, std::unique_ptr<TBitmap>>;
    const TKey key{ColorToRGB(even), ColorToRGB(odd)};
    std::lock_guard lock(mutex);
    std::unique_ptr<TBitmap>& bitmap = patterns[key];
    if (!bitmap) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(8, 8);
        TCanvas* canvas = bitmap->Canvas();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                canvas->SetPixel(x, y,
                                 static_cast<TColor>((x + y) % 2 == 0 ? key.first : key.second));
    }
    return bitmap.get();
}
