// A panel covered with copies of one bitmap, laid edge to edge in rows and columns inside the
// bevel and border insets, under the panel's bevel frame and caption.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/TCustomPanel.h"
#include "graphics/TBitmap.h"

namespace Qelpanel {

class TTileBitmap : public TCustomPanel {
    DECLARE_CLASSINFO()

public:
    explicit TTileBitmap(TComponent* owner);
    ~TTileBitmap() override;

    // The tile image. The object is the panel's own for its whole life; changing it in place
    // does not repaint the panel.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies value into the panel's bitmap and repaints, also when the picture is the same.
    void SetBitmap(const TBitmap* value);

    // Where the first tile's top-left corner lies, on both axes: the bevels that are drawn,
    // and the border width with a single border. In 64 bits, as widths can add up past an int.
    std::int64_t TileInset() const;

protected:
    void Paint() override;

private:
    void PaintTiles();

    std::unique_ptr<TBitmap> FBitmap;
};

}  // namespace Qelpanel
