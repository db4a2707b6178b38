#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/Gallery.h"
#include "hosts/THeadlessHost.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

TEST(GalleryPanels, MarqueeCaptionIsInViewAndEveryBevelPairIsTiled) {
    auto form = Gallery::Build();
    THeadlessHost host(form.get());
    host.Advance(Gallery::MarqueeLeadTime());
    host.Render();

    auto* marquee = dynamic_cast<Qelpanel::TScrollingArea*>(form->FindComponent("Marquee"));
    ASSERT_NE(marquee, nullptr);
    EXPECT_EQ(marquee->TextOffset() - marquee->TextWidth(), 8);  // the caption's left edge
    EXPECT_LT(marquee->TextWidth(), marquee->Width());

    std::set<std::pair<TBevelCut, TBevelCut>> pairs;
    const TRect band{0, 0, Gallery::kWidth, 180};
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* tiles = dynamic_cast<Qelpanel::TTileBitmap*>(form->Components(i));
        if (!tiles) continue;
        EXPECT_FALSE(tiles->Bitmap()->Empty());
        EXPECT_EQ(IntersectRects(tiles->BoundsRect(), band), tiles->BoundsRect());
        EXPECT_GE(tiles->Top(), marquee->Top() + marquee->Height());
        pairs.emplace(tiles->BevelOuter(), tiles->BevelInner());
    }
    EXPECT_EQ(pairs.size(), 9u);
}
