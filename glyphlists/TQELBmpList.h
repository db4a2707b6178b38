// A list box with a bitmap in front of every item, BitmapON for a selected item and
// BitmapOFF for the others, stretched to BitmapWidth x BitmapHeight; any number of items can
// be selected. The item text is written by the framework's item drawing, DistFromBMP further
// right.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/TCustomListBox.h"
#include "graphics/TBitmap.h"

namespace Qellist {

class TQELBmpList : public TCustomListBox {
    DECLARE_CLASSINFO()

public:
    explicit TQELBmpList(TComponent* owner);
    ~TQELBmpList() override;

    // Kept within 6..100; raises ItemHeight to the bitmap height where it is lower.
    std::int32_t BitmapHeight() const { return FBitmapHeight; }
    void SetBitmapHeight(std::int32_t value);
    // Kept within 6..100.
    std::int32_t BitmapWidth() const { return FBitmapWidth; }
    void SetBitmapWidth(std::int32_t value);
    // Kept within 0..30.
    std::int32_t DistFromBMP() const { return FDistFromBMP; }
    void SetDistFromBMP(std::int32_t value);
    // The control owns both bitmaps; setting one copies the image into it.
    TBitmap* BitmapON() const { return FBitmapON.get(); }
    void SetBitmapON(const TBitmap* value);
    TBitmap* BitmapOFF() const { return FBitmapOFF.get(); }
    void SetBitmapOFF(const TBitmap* value);

    // Where the glyph of an item goes: 4 pixels in, centred on the item height when it is
    // shorter, squeezed to the item height from its top when it is taller.
    TRect GlyphRect(const TRect& itemRect) const;

    void Dispatch(TMessage& message) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void WMSetFont(TMessage& message);

private:
    std::int32_t FBitmapHeight = 0;
    std::int32_t FBitmapWidth = 0;
    std::int32_t FDistFromBMP = 0;
    std::unique_ptr<TBitmap> FBitmapON;
    std::unique_ptr<TBitmap> FBitmapOFF;
};

}  // namespace Qellist
