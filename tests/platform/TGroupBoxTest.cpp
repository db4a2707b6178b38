#include <gtest/gtest.h>

#include "controls/TGroupBox.h"
#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"
#include "support/TestSupport.h"

namespace {

struct TGroupBoxFixture : ::testing::Test {
    TTestForm Form{320, 200};
    TCallLog Log;

    TGroupBox* Add(TRect bounds = TRect{10, 10, 170, 110}) {
        auto* box = Form.Add(new TGroupBox(Form.Form.get()), bounds);
        Form.Render();
        return box;
    }
    std::vector<TGdiCall> PaintCalls(TGroupBox* box, const std::string& op) {
        Form.Host->SetCallLog(box, &Log);
        Log.Clear();
        box->Invalidate();
        Form.Render();
        Form.Host->SetCallLog(box, nullptr);
        std::vector<TGdiCall> out;
        for (const auto& c : Log.Calls())
            if (c.Op == op) out.push_back(c);
        return out;
    }
    static int ZeroHeight(const TFont* font) {
        TCanvas canvas;
        canvas.SetFont(font);
        return canvas.TextHeight("0");
    }
};

TEST_F(TGroupBoxFixture, FrameStartsAtHalfTheCaptionHeight) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    for (int height : {-11, -20, -32}) {
        box->Font()->SetHeight(height);
        const int h = ZeroHeight(box->Font());
        auto frames = PaintCalls(box, "FrameRect");
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0].Rect, (TRect{1, h / 2, 160, 100}));
        EXPECT_EQ(frames[0].Color, clBtnHighlight);
        EXPECT_EQ(frames[1].Rect, (TRect{0, h / 2 - 1, 159, 99}));
        EXPECT_EQ(frames[1].Color, clBtnShadow);
    }
    box->SetCtl3D(false);
    auto frames = PaintCalls(box, "FrameRect");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Color, clWindowFrame);
}

TEST_F(TGroupBoxFixture, CaptionSitsEightPixelsInOnColor) {
    QM_NEEDS_CALL_LOG();
    auto* box = Add();
    box->SetCaption("Group");
    const int h = ZeroHeight(box->Font());
    auto texts = PaintCalls(box, "DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Flags, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(texts[0].Rect, (TRect{8, 0, 0, h}));
    EXPECT_EQ(texts[1].Flags, DT_SINGLELINE);
    EXPECT_EQ(texts[1].Rect, texts[0].ResultRect);
    EXPECT_EQ(texts[1].Style, OPAQUE);
    // Between the letters the frame's top line is broken by the caption's background.
    int gaps = 0;
    for (int x = 8; x < texts[1].Rect.Right; ++x)
        gaps += PixelRGB(Form.Host->Surface(), 10 + x, 10 + h / 2 - 1) == 0xC0C0C0u;
    EXPECT_GT(gaps, 0);
    EXPECT_EQ(PixelRGB(Form.Host->Surface(), 10 + 4, 10 + h / 2 - 1), 0x808080u);

    box->SetCaption("");
    EXPECT_TRUE(PaintCalls(box, "DrawText").empty());
}

TEST_F(TGroupBoxFixture, ChildrenAlignInsideTheFrame) {
    auto* box = Add();
    auto* child = new TGroupBox(Form.Form.get());
    child->SetAlign(alClient);
    child->SetParent(box);
    const int h = ZeroHeight(box->Font());
    EXPECT_EQ(child->BoundsRect(), (TRect{2, h + 2, 158, 98}));
    box->SetCtl3D(false);
    child->SetCtl3D(false);
    EXPECT_EQ(child->BoundsRect(), (TRect{1, h + 1, 159, 99}));
    box->Font()->SetHeight(-30);
    EXPECT_EQ(child->Top(), ZeroHeight(box->Font()) + 1);
}

TEST_F(TGroupBoxFixture, PublishesTheClassicList) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropInfos(TGroupBox::StaticClassInfo())) names.push_back(p->Name);
    const std::vector<std::string> own{"Align",          "Anchors",     "BiDiMode",    "Caption",
                                       "Color",          "Constraints", "Ctl3D",       "DragCursor",
                                       "DragKind",       "DragMode",    "Enabled",     "Font",
                                       "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                                       "ParentShowHint", "PopupMenu",   "ShowHint",    "TabOrder",
                                       "TabStop",        "Visible",     "OnClick",     "OnDblClick",
                                       "OnDragDrop",     "OnDragOver",  "OnEndDrag",   "OnEnter",
                                       "OnExit",         "OnMouseDown", "OnMouseMove", "OnMouseUp"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<long>(own.size()), names.end()),
              own);
}

TEST_F(TGroupBoxFixture, Golden) {
    TTestForm form(200, 70);
    auto* etched = form.Add(new TGroupBox(form.Form.get()), TRect{4, 4, 98, 66});
    etched->SetCaption("&Etched");
    auto* flat = form.Add(new TGroupBox(form.Form.get()), TRect{102, 4, 196, 66});
    flat->SetCaption("Flat");
    flat->SetCtl3D(false);
    EXPECT_TRUE(MatchesGolden(form.Render(), "platform/TGroupBox"));
}

}  // namespace
