// The component and control model: ownership, messages the framework sends, repaint requests
// and the paint pass.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "controls/TCustomControl.h"
#include "controls/TCustomPanel.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"

namespace {

// A control that records the messages it gets and paints a solid colour.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner, std::vector<std::string>* journal = nullptr)
        : TCustomControl(owner), FJournal(journal) {}
    ~TProbe() override {
        if (FJournal) FJournal->push_back("destroy " + Name());
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_SETFONT) ++SetFontCount;
        if (m.Msg == WM_SIZE) {
            ++SizeCount;
            LastSize = TPoint{LoWordSigned(m.LParam), HiWordSigned(m.LParam)};
        }
        TCustomControl::Dispatch(m);
    }
    int SetFontCount = 0;
    int SizeCount = 0;
    TPoint LastSize{};
    TColor Fill = clRed;

protected:
    void Paint() override {
        if (FJournal) FJournal->push_back("paint " + Name());
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(TRect{-1000, -1000, 1000, 1000});
    }

private:
    std::vector<std::string>* FJournal;
};

}  // namespace

TEST(ComponentOwnership, OwnerFreesOwnedLastFirst) {
    std::vector<std::string> journal;
    {
        TComponent owner(nullptr);
        auto* a = new TProbe(&owner, &journal);
        a->SetName("A");
        auto* b = new TProbe(&owner, &journal);
        b->SetName("B");
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.FindComponent("b"), b);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"destroy B", "destroy A"}));
}

TEST(ComponentOwnership, DeletedComponentLeavesItsOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// A windowed control freed on its own leaves its parent's tab order too, and a parent being
// freed still finds its components by name while they go.
TEST(ComponentOwnership, FreedWindowLeavesTheTabOrderAndNamesStayFound) {
    TCustomControl parent(nullptr);
    auto* a = new TCustomControl(&parent);
    auto* b = new TCustomControl(&parent);
    a->SetParent(&parent);
    b->SetParent(&parent);
    delete a;
    EXPECT_EQ(parent.GetTabOrderList(), std::vector<TWinControl*>{b});
    EXPECT_EQ(b->TabOrder(), 0);

    std::vector<std::string> found;
    class TLookout : public TCustomControl {
    public:
        TLookout(TComponent* owner, std::vector<std::string>& found)
            : TCustomControl(owner), FFound(found) {}
        ~TLookout() override {
            for (const char* name : {"First", "Second", "Third"})
                if (Owner()->FindComponent(name)) FFound.push_back(name);
        }

    private:
        std::vector<std::string>& FFound;
    };
    {
        TCustomControl form(nullptr);
        for (const char* name : {"First", "Second", "Third"}) {
            auto* c = new TLookout(&form, found);
            c->SetName(name);
            c->SetParent(&form);
        }
    }
    EXPECT_EQ(found,
              (std::vector<std::string>{"First", "Second", "Third", "First", "Second", "First"}));
}

TEST(ComponentState, DesigningReachesOwnedComponents) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    EXPECT_EQ(TComponentState{csDesigning}.Bits(), 1u << 4);
    owner.BeginLoading();
    EXPECT_TRUE(owner.ComponentState().Contains(csLoading));
    owner.Loaded();
    EXPECT_FALSE(owner.ComponentState().Contains(csLoading));
}

TEST(WindowMessages, CreationSendsSizeAndFontOnce) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{10, 10, 60, 40});
    EXPECT_EQ(p->SizeCount, 1);
    EXPECT_EQ(p->SetFontCount, 1);
    EXPECT_EQ(p->LastSize, (TPoint{50, 30}));
}

TEST(WindowMessages, NoMessagesBeforeTheWindowExists) {
    TForm form(nullptr);
    auto* p = new TProbe(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 20, 20);
    p->Font()->SetHeight(-20);
    EXPECT_EQ(p->SizeCount, 0);
    EXPECT_EQ(p->SetFontCount, 0);
}

TEST(WindowMessages, EverySizeChangeSendsSize) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 50, 50});
    p->SetBounds(5, 5, 50, 50);  // a move alone sends no WM_SIZE
    EXPECT_EQ(p->SizeCount, 1);
    p->SetWidth(70);
    p->SetHeight(20);
    EXPECT_EQ(p->SizeCount, 3);
    EXPECT_EQ(p->LastSize, (TPoint{70, 20}));
}

TEST(WindowMessages, EveryFontChangeSendsSetFontWithTheNewFont) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 50, 50});
    int heightSeen = 0;
    p->Font()->SetHeight(-14);
    heightSeen = p->Font()->Height();
    EXPECT_EQ(p->SetFontCount, 2);
    EXPECT_EQ(heightSeen, -14);
    p->Font()->SetHeight(-14);  // unchanged: nothing
    EXPECT_EQ(p->SetFontCount, 2);
    TFont f;
    f.SetName("Arial");
    p->SetFont(&f);
    EXPECT_EQ(p->SetFontCount, 3);
    EXPECT_EQ(p->Font()->Name(), "Arial");
}

TEST(ParentProperties, ChildrenFollowTheParentFontUntilTheyHaveTheirOwn) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 50, 50});
    EXPECT_TRUE(p->ParentFont());
    form.Form->Font()->SetHeight(-20);
    EXPECT_EQ(p->Font()->Height(), -20);
    EXPECT_TRUE(p->ParentFont());
    p->Font()->SetHeight(-9);
    EXPECT_FALSE(p->ParentFont());
    form.Form->Font()->SetHeight(-30);
    EXPECT_EQ(p->Font()->Height(), -9);
}

TEST(RepaintRequests, InvalidateWaitsAndRefreshPaintsNow) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 50, 50});
    form.Render();
    form.Host->ResetCounts();
    p->Invalidate();
    EXPECT_EQ(form.Host->InvalidateCount(p), 1);
    EXPECT_EQ(form.Host->PaintCount(p), 0);
    form.Render();
    EXPECT_EQ(form.Host->PaintCount(p), 1);
    p->Refresh();
    EXPECT_EQ(form.Host->PaintCount(p), 2);
}

TEST(RepaintRequests, ColourChangeRepaintsOnlyWhenDifferent) {
    TTestForm form;
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 50, 50});
    form.Render();
    form.Host->ResetCounts();
    p->SetColor(p->Color());
    EXPECT_EQ(form.Host->InvalidateCount(p), 0);
    p->SetColor(clLime);
    EXPECT_EQ(form.Host->InvalidateCount(p), 1);
}

TEST(PaintPass, ParentsPaintBeforeChildrenAndChildrenAreClipped) {
    std::vector<std::string> journal;
    TTestForm form(100, 100);
    auto* outer = new TProbe(form.Form.get(), &journal);
    outer->SetName("outer");
    outer->Fill = clBlue;
    form.Add(outer, TRect{10, 10, 60, 60});
    auto* inner = new TProbe(form.Form.get(), &journal);
    inner->SetName("inner");
    inner->Fill = clLime;
    inner->SetBounds(40, 40, 50, 50);  // reaches past the outer control's right and bottom
    inner->SetParent(outer);
    journal.clear();
    form.Host->PaintAll();
    EXPECT_EQ(journal, (std::vector<std::string>{"paint outer", "paint inner"}));
    const TSurface& s = form.Host->Surface();
    EXPECT_EQ(PixelRGB(s, 9, 9), 0xC0C0C0u);    // the form's button face
    EXPECT_EQ(PixelRGB(s, 10, 10), 0x0000FFu);  // outer
    EXPECT_EQ(PixelRGB(s, 50, 50), 0x00FF00u);  // inner
    EXPECT_EQ(PixelRGB(s, 59, 59), 0x00FF00u);
    EXPECT_EQ(PixelRGB(s, 60, 60), 0xC0C0C0u);  // clipped to outer's client area
}

TEST(PaintPass, OnlyTheDirtyAreaIsRepainted) {
    TTestForm form(100, 100);
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{0, 0, 100, 100});
    form.Render();
    p->Fill = clWhite;
    p->InvalidateRect(TRect{10, 10, 20, 20});
    form.Render();
    EXPECT_EQ(PixelRGB(form.Host->Surface(), 15, 15), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(form.Host->Surface(), 25, 25), 0xFF0000u);
}

TEST(CanvasOutsidePaint, DrawsOnTheVisibleClientArea) {
    TTestForm form(100, 100);
    auto* p = form.Add(new TProbe(form.Form.get()), TRect{20, 20, 50, 50});
    form.Render();
    p->Canvas()->Brush()->SetColor(clYellow);
    p->Canvas()->FillRect(TRect{-10, -10, 100, 100});
    const TSurface& s = form.Host->Surface();
    EXPECT_EQ(PixelRGB(s, 20, 20), 0xFFFF00u);
    EXPECT_EQ(PixelRGB(s, 49, 49), 0xFFFF00u);
    EXPECT_EQ(PixelRGB(s, 50, 50), 0xC0C0C0u);
    EXPECT_EQ(PixelRGB(s, 19, 19), 0xC0C0C0u);
    // After a move the canvas draws at the new place.
    p->SetBounds(60, 60, 10, 10);
    p->Canvas()->FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(PixelRGB(form.Host->Surface(), 65, 65), 0xFFFF00u);
}

TEST(CanvasOutsidePaint, AControlWithoutWindowDrawsNothing) {
    TProbe p(nullptr);
    p.Canvas()->FillRect(TRect{0, 0, 10, 10});
    p.Canvas()->TextOut(0, 0, "x");
    SUCCEED();
}

TEST(PanelBorder, SingleBorderIsTheSunkenEdge) {
    TTestForm form(100, 100);
    auto* panel = form.Add(new TCustomPanel(form.Form.get()), TRect{10, 10, 40, 40});
    panel->SetBevelOuter(bvNone);
    panel->SetBorderStyle(bsSingle);
    EXPECT_EQ(panel->ClientRect(), (TRect{0, 0, 26, 26}));
    form.Render();
    const TSurface& s = form.Host->Surface();
    EXPECT_EQ(PixelRGB(s, 10, 10), 0x808080u);  // outer shadow
    EXPECT_EQ(PixelRGB(s, 11, 11), 0x000000u);  // inner dark shadow
    EXPECT_EQ(PixelRGB(s, 39, 39), 0xFFFFFFu);  // outer highlight
    EXPECT_EQ(PixelRGB(s, 38, 38), 0xC0C0C0u);  // inner light
    EXPECT_EQ(PixelRGB(s, 39, 10), 0xFFFFFFu);  // top-right corner takes the bottom colour
    panel->SetCtl3D(false);
    EXPECT_EQ(panel->ClientRect(), (TRect{0, 0, 28, 28}));
    form.Render();
    EXPECT_EQ(PixelRGB(s, 10, 10), 0x000000u);
    EXPECT_EQ(PixelRGB(s, 11, 11), 0xC0C0C0u);
}

TEST(FontSize, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    f.SetHeight(15);
    EXPECT_EQ(f.Size(), -11);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);  // halves away from zero
    EXPECT_EQ(MulDiv(7, 3, 2), 11);
}

TEST(HostSurface, AFormLargerThanASurfaceIsRefusedAndAGrownOneShowsItsTopLeft) {
    TForm form(nullptr);
    // A client width beyond what an int holds with the border saturates.
    form.SetClientWidth(INT_MAX);
    EXPECT_EQ(form.Width(), INT_MAX);
    form.SetClientHeight(2);
    try {
        THeadlessHost host(&form);
        FAIL() << "no error";
    } catch (const ESurfaceTooLarge& e) {
        EXPECT_EQ(std::string(e.what()),
                  "the client area of 2147483639 x 2 pixels is larger than a window may be (at "
                  "most 32768 pixels a side and 67108864 pixels in all)");
    }
    EXPECT_FALSE(form.HandleAllocated());

    form.SetClientWidth(100);
    THeadlessHost host(&form);
    form.SetClientWidth(100000);
    EXPECT_EQ(host.Surface().Width(), kMaxSurfaceSide);
    EXPECT_EQ(host.Surface().Height(), 2);
    host.Render();
}

TEST(ControlText, KeepsWhatIsSetAcrossTheLengthHeldInTheControl) {
    // Short texts are held in the control, long ones apart: each length on both sides of the
    // boundary, one after another, and a text set to itself.
    TCustomPanel panel(nullptr);
    for (const std::size_t length : {0, 1, 31, 32, 33, 1000, 32, 0, 33, 5}) {
        std::string text(length, 'x');
        for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
        panel.SetCaption(text);
        EXPECT_EQ(panel.Caption(), text) << length;
        panel.SetCaption(panel.Caption());
        EXPECT_EQ(panel.Caption(), text) << length;
    }
}
