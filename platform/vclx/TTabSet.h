// The framework's tab set, from its extension package: a row of tabs hanging down from a line
// along the top edge, the selected one joined to the area above it, with scroll buttons at the
// right end when not every tab fits.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classes/TStringList.h"
#include "controls/TCustomControl.h"

enum TTabStyle : std::uint8_t { tsStandard, tsOwnerDraw };

const TTypeInfo* TypeInfoTTabStyle();

// OnChange(Sender, NewTab, AllowChange): clearing AllowChange keeps the current tab.
using TTabChangeEvent = TEvent<TPersistent*, int, bool&>;
// OnDrawTab(Sender, TabCanvas, R, Index, Selected), in the owner-draw style.
using TDrawTabEvent = TEvent<TPersistent*, TCanvas*, TRect, int, bool>;
// OnMeasureTab(Sender, Index, TabWidth), in the owner-draw style.
using TMeasureTabEvent = TEvent<TPersistent*, int, int&>;

class TTabSet : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    // The slanted edge between two neighbouring tabs is this wide; the tabs overlap there.
    static constexpr int kEdgeWidth = 9;
    // Space left and right of a caption in the width the inherited MeasureTab sets.
    static constexpr int kCaptionMargin = 2;
    static constexpr int kScrollButtonWidth = 14;
    static constexpr int kMaxTabHeight = 32767;

    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStringList* Tabs() const { return FTabs.get(); }
    void SetTabs(const TStringList* tabs) { FTabs->Assign(tabs); }
    // The selected tab, or -1. A value outside -1 .. Tabs.Count - 1 raises std::out_of_range;
    // OnChange may refuse the change, and a change scrolls the new tab into view.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);
    // The first tab shown; the ones before it are scrolled out to the left.
    int FirstIndex() const { return FFirstIndex; }
    void SetFirstIndex(int value);
    // How many tabs from FirstIndex on fit into the control.
    int VisibleTabs();

    TTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TTabStyle value);
    // The height of the tabs in the owner-draw style, 0 to kMaxTabHeight (values beyond are
    // clamped). The standard style makes them as high as the font's text plus 4. The selected
    // tab stays in view when the tabs widen with it, as when the font or the width changes.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // Fills the background with a checkered pattern of BackgroundColor and the highlight
    // colour instead of BackgroundColor alone.
    bool DitherBackground() const { return FDitherBackground; }
    void SetDitherBackground(bool value);
    // Draws the line along the top edge in the shadow colour alone, without the dark line
    // under it.
    bool SoftTop() const { return FSoftTop; }
    void SetSoftTop(bool value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    TColor UnselectedColor() const { return FUnselectedColor; }
    void SetUnselectedColor(TColor value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value);
    // Space before the first tab's leading edge and after the last tab's trailing edge.
    int StartMargin() const { return FStartMargin; }
    void SetStartMargin(int value);
    int EndMargin() const { return FEndMargin; }
    void SetEndMargin(int value);

    // The rectangle between the slanted edges of a visible tab, as DrawTab gets it; empty
    // for a tab that is scrolled out or does not fit.
    TRect TabRect(int index);
    // The tab under a point of the client area, or -1.
    int ItemAtPos(TPoint p);
    // The two scroll buttons; empty while they are hidden.
    TRect ScrollLeftRect();
    TRect ScrollRightRect();
    // The height of the tabs in the current style.
    int CurrentTabHeight();

    // Asks OnChange whether the selection may move to newIndex.
    bool CanChange(int newIndex);

    TTabChangeEvent OnChange;
    TDrawTabEvent OnDrawTab;
    TMeasureTabEvent OnMeasureTab;

    // After reading a form file: the selected tab is scrolled into view with the tabs as
    // wide as they came out.
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    // A click on a tab selects it; a click on a scroll button scrolls by one tab.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Owner-draw style: draws tab index into r on tabCanvas, whose brush has the tab's colour
    // (SelectedColor or UnselectedColor) and whose font is Font; r is already filled with that
    // colour and the tab's edges are drawn. The framework's own DrawTab calls OnDrawTab and
    // draws nothing else.
    virtual void DrawTab(TCanvas* tabCanvas, const TRect& r, int index, bool selected);
    // Owner-draw style: the width of tab index between its slanted edges. The framework's own
    // MeasureTab sets tabWidth to the caption's TextWidth in Font plus kCaptionMargin on each
    // side (the width the standard style gives a tab), then calls OnMeasureTab.
    virtual void MeasureTab(int index, int& tabWidth);

private:
    struct TTabSpan {
        int Index;
        int Start;  // left edge of the rectangle between the slanted edges
        int Width;
    };
    struct TLayout {
        std::vector<TTabSpan> Tabs;
        bool Scroller = false;
    };

    TLayout Layout();
    std::vector<TTabSpan> PlaceTabs(long long stop);
    int CaptionWidth(int index);
    TRect ScrollerRect();
    void TabsChanged();
    void ScrollIntoView(int index);
    // Keeps the selected tab in view when the tabs' widths or the room for them changed (its
    // height, style, captions, font, margins, scroll buttons, the control's width); not while
    // loading: Loaded does it once at the end.
    void TabsResized();

    void PaintBackground();
    void PaintTopLine();
    void PaintTab(const TTabSpan& tab, int tabHeight, bool selected);
    void PaintScrollButton(const TRect& r, bool pointsLeft, bool enabled);

    std::unique_ptr<TStringList> FTabs;
    int FTabIndex = -1;
    int FFirstIndex = 0;
    TTabStyle FTabStyle = tsStandard;
    int FTabHeight = 20;
    bool FAutoScroll = true;
    bool FDitherBackground = true;
    bool FSoftTop = false;
    TColor FSelectedColor;
    TColor FUnselectedColor;
    TColor FBackgroundColor;
    int FStartMargin = 5;
    int FEndMargin = 5;
};
