// The gallery pictured whole: as it stands, with the focus on its first tab stop, and as a
// design environment shows it. The Windows build draws the same pictures through the system's
// GDI, which makes them the comparison of every control in its states on both.
#include <gtest/gtest.h>

#include "app/Gallery.h"
#include "hosts/THeadlessHost.h"
#include "support/TestSupport.h"

namespace {

struct TGalleryCase {
    const char* Golden;
    bool Focused;
    bool Designing;
};

class GalleryPicture : public ::testing::TestWithParam<TGalleryCase> {};

}  // namespace

TEST_P(GalleryPicture, MatchesGolden) {
    const TGalleryCase& c = GetParam();
    auto form = Gallery::Build();
    if (c.Designing) form->SetDesigning(true);
    THeadlessHost host(form.get());
    host.Advance(Gallery::MarqueeLeadTime());
    host.Render();
    if (c.Focused) {
        ASSERT_TRUE(form->SelectNext(nullptr, true, true));
    }
    EXPECT_TRUE(MatchesGolden(host.Render(), c.Golden));
}

INSTANTIATE_TEST_SUITE_P(Gallery, GalleryPicture,
                         ::testing::Values(TGalleryCase{"app/gallery", false, false},
                                           TGalleryCase{"app/gallery-focused", true, false},
                                           TGalleryCase{"app/gallery-designing", false, true}));
