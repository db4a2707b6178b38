#include "vclx/TTabSet.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>

#include "classes/TClassRegistry.h"
#include "controls/Frame3D.h"
#include "graphics/CheckerPattern.h"
#include "graphics/Graphics.h"
#include "win/WinApi.h"

namespace {

// How far the slanted edges have moved in toward the tab at row y: nothing at the top edge,
// kEdgeWidth - 1 pixels at the tab's bottom row.
int SlantInset(int y, int tabHeight) {
    if (tabHeight <= 1) return 0;
    return y * (TTabSet::kEdgeWidth - 1) / (tabHeight - 1);
}

}  // namespace

TTabSet::TTabSet(TComponent* owner)
    : TCustomControl(owner),
      FTabs(std::make_unique<TStringList>()),
      FSelectedColor(clBtnFace),
      FUnselectedColor(clWindow),
      FBackgroundColor(clBtnFace) {
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque});
    SetBounds(Left(), Top(), 185, 21);
    FTabs->OnChange = [this] { TabsChanged(); };
}

TTabSet::~TTabSet() {
    FTabs->OnChange = nullptr;
}

void TTabSet::TabsChanged() {
    const int count = FTabs->Count();
    if (FTabIndex >= count) FTabIndex = count - 1;
    FFirstIndex = std::clamp(FFirstIndex, 0, std::max(0, count - 1));
    TabsResized();
    Invalidate();
}

void TTabSet::TabsResized() {
    if (!ComponentState().Contains(csLoading)) ScrollIntoView(FTabIndex);
}

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    ScrollIntoView(FTabIndex);
}

void TTabSet::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_SIZE || message.Msg == CM_FONTCHANGED) TabsResized();
}

bool TTabSet::CanChange(int newIndex) {
    bool allow = true;
    OnChange(this, newIndex, allow);
    return allow;
}

void TTabSet::SetTabIndex(int value) {
    if (value == FTabIndex) return;
    if (value < -1 || value >= FTabs->Count())
        throw std::out_of_range("Tab index " + std::to_string(value) + " is out of bounds (" +
                                std::to_string(FTabs->Count()) + " tabs)");
    if (!CanChange(value)) return;
    FTabIndex = value;
    ScrollIntoView(value);
    Click();
    Invalidate();
}

void TTabSet::SetFirstIndex(int value) {
    value = std::clamp(value, 0, std::max(0, FTabs->Count() - 1));
    if (value == FFirstIndex) return;
    FFirstIndex = value;
    Invalidate();
}

// Scrolls so that tab index is among the visible ones, moving as little as it can.
void TTabSet::ScrollIntoView(int index) {
    if (index < 0) return;
    if (index < FFirstIndex) {
        SetFirstIndex(index);
        return;
    }
    int first = FFirstIndex;
    while (first < index) {
        const TLayout layout = Layout();
        if (!layout.Tabs.empty() && layout.Tabs.back().Index >= index) break;
        FFirstIndex = ++first;
    }
    Invalidate();
}

int TTabSet::VisibleTabs() {
    return static_cast<int>(Layout().Tabs.size());
}

void TTabSet::SetTabStyle(TTabStyle value) {
    if (value == FTabStyle) return;
    FTabStyle = value;
    TabsResized();
    Invalidate();
}

void TTabSet::SetTabHeight(int value) {
    value = std::clamp(value, 0, kMaxTabHeight);
    if (value == FTabHeight) return;
    FTabHeight = value;
    TabsResized();
    Invalidate();
}

void TTabSet::SetAutoScroll(bool value) {
    if (value == FAutoScroll) return;
    FAutoScroll = value;
    TabsResized();
    Invalidate();
}

void TTabSet::SetDitherBackground(bool value) {
    if (value == FDitherBackground) return;
    FDitherBackground = value;
    Invalidate();
}

void TTabSet::SetSoftTop(bool value) {
    if (value == FSoftTop) return;
    FSoftTop = value;
    Invalidate();
}

void TTabSet::SetSelectedColor(TColor value) {
    if (value == FSelectedColor) return;
    FSelectedColor = value;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor value) {
    if (value == FUnselectedColor) return;
    FUnselectedColor = value;
    Invalidate();
}

void TTabSet::SetBackgroundColor(TColor value) {
    if (value == FBackgroundColor) return;
    FBackgroundColor = value;
    Invalidate();
}

void TTabSet::SetStartMargin(int value) {
    if (value == FStartMargin) return;
    FStartMargin = value;
    TabsResized();
    Invalidate();
}

void TTabSet::SetEndMargin(int value) {
    if (value == FEndMargin) return;
    FEndMargin = value;
    TabsResized();
    Invalidate();
}

int TTabSet::CurrentTabHeight() {
    if (FTabStyle == tsOwnerDraw) return FTabHeight;
    Canvas()->SetFont(Font());
    return Canvas()->TextHeight("T") + 4;
}

int TTabSet::CaptionWidth(int index) {
    Canvas()->SetFont(Font());
    return Canvas()->TextWidth(FTabs->Strings(index)) + 2 * kCaptionMargin;
}

void TTabSet::MeasureTab(int index, int& tabWidth) {
    tabWidth = CaptionWidth(index);
    OnMeasureTab(this, index, tabWidth);
}

void TTabSet::DrawTab(TCanvas* tabCanvas, const TRect& r, int index, bool selected) {
    OnDrawTab(this, tabCanvas, r, index, selected);
}

// Tabs from FirstIndex on, left to right, as long as a tab and its trailing edge end at or
// before stop. Positions are summed in 64 bits, so that no measured width can overflow them;
// a tab that would end past what an int holds lies far beyond any surface and is left out.
std::vector<TTabSet::TTabSpan> TTabSet::PlaceTabs(long long stop) {
    stop = std::min<long long>(stop, INT_MAX);
    std::vector<TTabSpan> tabs;
    long long start = static_cast<long long>(FStartMargin) + kEdgeWidth;
    for (int i = FFirstIndex; i < FTabs->Count(); ++i) {
        int width = 0;
        if (FTabStyle == tsOwnerDraw)
            MeasureTab(i, width);
        else
            width = CaptionWidth(i);
        width = std::max(width, 0);
        if (start + width + kEdgeWidth > stop) break;
        tabs.push_back(TTabSpan{i, static_cast<int>(start), width});
        start += width + kEdgeWidth;
    }
    return tabs;
}

TTabSet::TLayout TTabSet::Layout() {
    TLayout layout;
    layout.Tabs = PlaceTabs(static_cast<long long>(ClientWidth()) - FEndMargin);
    if (FAutoScroll && static_cast<int>(layout.Tabs.size()) < FTabs->Count()) {
        layout.Scroller = true;
        layout.Tabs = PlaceTabs(ScrollerRect().Left - 2);
    }
    return layout;
}

TRect TTabSet::ScrollerRect() {
    const int height = std::max(8, std::min(CurrentTabHeight(), ClientHeight()) - 4);
    const int right = ClientWidth() - 2;
    return TRect{right - 2 * kScrollButtonWidth, 2, right, 2 + height};
}

TRect TTabSet::ScrollLeftRect() {
    if (!Layout().Scroller) return TRect{};
    const TRect r = ScrollerRect();
    return TRect{r.Left, r.Top, r.Left + kScrollButtonWidth, r.Bottom};
}

TRect TTabSet::ScrollRightRect() {
    if (!Layout().Scroller) return TRect{};
    const TRect r = ScrollerRect();
    return TRect{r.Right - kScrollButtonWidth, r.Top, r.Right, r.Bottom};
}

TRect TTabSet::TabRect(int index) {
    const int tabHeight = CurrentTabHeight();
    for (const TTabSpan& tab : Layout().Tabs)
        if (tab.Index == index) return TRect{tab.Start, 0, tab.Start + tab.Width, tabHeight};
    return TRect{};
}

int TTabSet::ItemAtPos(TPoint p) {
    if (p.Y < 0 || p.Y >= std::min(CurrentTabHeight(), ClientHeight())) return -1;
    // A tab takes the clicks on its own half of the slanted edges on either side.
    constexpr int kHalfEdge = kEdgeWidth / 2;
    for (const TTabSpan& tab : Layout().Tabs)
        if (p.X >= tab.Start - kHalfEdge && p.X < tab.Start + tab.Width + kEdgeWidth - kHalfEdge)
            return tab.Index;
    return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const TPoint p{x, y};
        if (ScrollLeftRect().Contains(p)) {
            SetFirstIndex(FFirstIndex - 1);
        } else if (ScrollRightRect().Contains(p)) {
            if (FFirstIndex + VisibleTabs() < FTabs->Count()) SetFirstIndex(FFirstIndex + 1);
        } else if (const int index = ItemAtPos(p); index >= 0) {
            SetTabIndex(index);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

// From the top edge down, each tab a trapezoid between two slanted edges:
//
//   y = 0, 1  ==========.                  .=============================  top line
//              \ First  \   Second       /  / Third  /            [<][>]
//               \________\______________/  /________/
//                          (selected: drawn last, over the top line)
//
// The unselected tabs are painted from the last to the first, so that each lies over its
// right neighbour where their edges cross; then the top line; then the selected tab.
void TTabSet::Paint() {
    const TLayout layout = Layout();
    const int tabHeight = CurrentTabHeight();
    PaintBackground();
    for (auto it = layout.Tabs.rbegin(); it != layout.Tabs.rend(); ++it)
        if (it->Index != FTabIndex) PaintTab(*it, tabHeight, false);
    PaintTopLine();
    for (const TTabSpan& tab : layout.Tabs)
        if (tab.Index == FTabIndex) PaintTab(tab, tabHeight, true);
    if (layout.Scroller) {
        const int last = layout.Tabs.empty() ? FFirstIndex - 1 : layout.Tabs.back().Index;
        const TRect r = ScrollerRect();
        PaintScrollButton(TRect{r.Left, r.Top, r.Left + kScrollButtonWidth, r.Bottom}, true,
                          FFirstIndex > 0);
        PaintScrollButton(TRect{r.Right - kScrollButtonWidth, r.Top, r.Right, r.Bottom}, false,
                          last + 1 < FTabs->Count());
    }
}

// The dithered background is a pattern brush of the background colour and the highlight,
// repeated from the client area's top-left corner.
void TTabSet::PaintBackground() {
    TCanvas* canvas = Canvas();
    if (FDitherBackground)
        canvas->Brush()->SetBitmap(CheckerPattern(FBackgroundColor, clBtnHighlight));
    else
        canvas->Brush()->SetColor(FBackgroundColor);
    canvas->FillRect(ClientRect());
    canvas->Brush()->SetBitmap(nullptr);
}

void TTabSet::PaintTopLine() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FillRect(TRect{0, 0, ClientWidth(), 1});
    if (FSoftTop) return;
    canvas->Brush()->SetColor(clWindowFrame);
    canvas->FillRect(TRect{0, 1, ClientWidth(), 2});
}

// One row at a time: the face between the slanted outlines, the bottom row all outline. The
// selected tab has a highlight inside its leading edge and a shadow inside its trailing edge
// and its bottom.
void TTabSet::PaintTab(const TTabSpan& tab, int tabHeight, bool selected) {
    TCanvas* canvas = Canvas();
    const TColor face = selected ? FSelectedColor : FUnselectedColor;
    const int right = tab.Start + tab.Width;
    const int rows = std::min(tabHeight, ClientHeight());
    for (int y = 0; y < rows; ++y) {
        const int inset = SlantInset(y, tabHeight);
        const int lead = tab.Start - kEdgeWidth + inset;
        const int trail = right + kEdgeWidth - 1 - inset;
        const bool bottomRow = y == tabHeight - 1;
        canvas->Brush()->SetColor(bottomRow ? clWindowFrame : face);
        canvas->FillRect(TRect{lead, y, trail + 1, y + 1});
        if (bottomRow) continue;
        canvas->SetPixel(lead, y, clWindowFrame);
        canvas->SetPixel(trail, y, clWindowFrame);
        if (!selected) continue;
        if (y == tabHeight - 2) {
            canvas->Brush()->SetColor(clBtnShadow);
            canvas->FillRect(TRect{lead + 1, y, trail, y + 1});
        } else {
            canvas->SetPixel(lead + 1, y, clBtnHighlight);
            canvas->SetPixel(trail - 1, y, clBtnShadow);
        }
    }
    canvas->Brush()->SetColor(face);
    canvas->SetFont(Font());
    const TRect r{tab.Start, 0, right, tabHeight};
    if (FTabStyle == tsOwnerDraw) {
        DrawTab(canvas, r, tab.Index, selected);
        return;
    }
    const std::string& caption = FTabs->Strings(tab.Index);
    TRect text{r.Left, 2, r.Right, tabHeight - 2};
    DrawTextA(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TTabSet::PaintScrollButton(const TRect& r, bool pointsLeft, bool enabled) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    TRect frame = r;
    Frame3D(canvas, frame, clBtnHighlight, clWindowFrame, 1);
    Frame3D(canvas, frame, clBtnFace, clBtnShadow, 1);
    // A solid triangle four columns wide, pointing the way the button scrolls.
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    canvas->Brush()->SetColor(enabled ? clBtnText : clBtnShadow);
    for (int i = 0; i < 4; ++i) {
        const int x = pointsLeft ? cx - 2 + i : cx + 1 - i;
        canvas->FillRect(TRect{x, cy - i, x + 1, cy + i + 1});
    }
}

const TTypeInfo* TypeInfoTTabStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TTabStyle",
                             "Tabs",
                             TOrdType::otUByte,
                             {"tsStandard", "tsOwnerDraw"}};
    return &t;
}

const TClassInfo& TTabSet::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using T = TTabSet;
    static const TClassInfo info{
        "TTabSet",
        &TCustomControl::StaticClassInfo(),
        "Tabs",
        {
            P::Align(),
            P::Anchors(),
            Ord("AutoScroll", TypeInfoBoolean(), &T::AutoScroll, &T::SetAutoScroll, 1),
            Ord("BackgroundColor", TypeInfoTColor(), &T::BackgroundColor, &T::SetBackgroundColor,
                clBtnFace),
            P::Constraints(),
            Ord("DitherBackground", TypeInfoBoolean(), &T::DitherBackground,
                &T::SetDitherBackground, 1),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            Ord("EndMargin", TypeInfoInteger(), &T::EndMargin, &T::SetEndMargin, 5),
            P::Font(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            Ord("StartMargin", TypeInfoInteger(), &T::StartMargin, &T::SetStartMargin, 5),
            Ord("SelectedColor", TypeInfoTColor(), &T::SelectedColor, &T::SetSelectedColor,
                clBtnFace),
            Ord("SoftTop", TypeInfoBoolean(), &T::SoftTop, &T::SetSoftTop, 0),
            // Form files know the tab style as Style.
            Ord("Style", TypeInfoTTabStyle(), &T::TabStyle, &T::SetTabStyle, tsStandard),
            Ord("TabHeight", TypeInfoInteger(), &T::TabHeight,
                static_cast<void (T::*)(int)>(&T::SetTabHeight), 20),
            Obj("Tabs", TypeInfoClass(TStringList::StaticClassInfo()), &T::Tabs, &T::SetTabs),
            Ord("TabIndex", TypeInfoInteger(), &T::TabIndex, &T::SetTabIndex, -1),
            Ord("UnselectedColor", TypeInfoTColor(), &T::UnselectedColor, &T::SetUnselectedColor,
                clWindow),
            P::Visible(),
            Event("OnChange", TypeInfoEvent("TTabChangeEvent"), &T::OnChange),
            P::OnClick(),
            P::OnDragDrop(),
            P::OnDragOver(),
            Event("OnDrawTab", TypeInfoEvent("TDrawTabEvent"), &T::OnDrawTab),
            P::OnEndDrag(),
            P::OnEnter(),
            P::OnExit(),
            Event("OnMeasureTab", TypeInfoEvent("TMeasureTabEvent"), &T::OnMeasureTab),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TTabSet(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TTabSet::StaticClassInfo());
}  // namespace
