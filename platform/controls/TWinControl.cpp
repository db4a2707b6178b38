#include "controls/TWinControl.h"

#include <algorithm>
#include <cstdint>

#include "controls/TForm.h"
#include "controls/TWindowHost.h"
#include "core/Prefetch.h"
#include "graphics/Graphics.h"

namespace {
// Removes item from list, looking from the end: children leave last first more often than not.
template <class T>
void EraseFromEnd(std::vector<T*>& list, const TControl* item) {
    const auto it = std::find(list.rbegin(), list.rend(), item);
    if (it != list.rend()) list.erase(std::next(it).base());
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    FBrush.SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    if (TWindowHost* host = Host()) host->ControlDestroyed(this);
    // Child controls go with their parent, last first; those that stay are not laid out again
    // each time one leaves.
    ++FAlignLevel;
    // In a large form they are far from the cache: the one three places on is fetched while
    // this one is freed.
    for (std::size_t n = FControls.size(); n != 0; n = FControls.size()) {
        if (n > 3) Prefetch(FControls[n - 4], sizeof(TWinControl));
        delete FControls.back();
    }
    if (FHost) {
        TWindowHost* host = FHost;
        FHost = nullptr;
        host->Detach();
    }
    // Leaves the parent while still a window, so that it leaves the tab order too (from the
    // control's destructor it would be only a control).
    if (Parent()) Parent()->RemoveControl(this);
}

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->FParent == this) return;
    FControls.push_back(control);
    control->FParent = this;
    control->InheritParentValues(*this);
    if (TWinControl* win = Cast(control)) {
        FTabList.push_back(win);
        if (FHandleAllocated) win->HandleNeeded();
        win->DeviceChangedTree();
        WindowsChanged();
    }
    Realign();
    control->Invalidate();
}

void TWinControl::InheritParentValues(const TWinControl& parent) {
    TControl::InheritParentValues(parent);
    if (FParentCtl3D) {
        SetCtl3D(parent.Ctl3D());
        FParentCtl3D = true;
    }
}

void TWinControl::RemoveControl(TControl* control) {
    if (!control || control->FParent != this) return;
    // A parent being freed takes its children with it: it is repainted around and the host
    // learns of the windows that went once, when it leaves its own parent.
    const bool leaving = ComponentState().Contains(csDestroying);
    if (!leaving) {
        // One being freed is painted over by this control, as a control that is no window is.
        if (control->ComponentState().Contains(csDestroying))
            control->TControl::Invalidate();
        else
            control->Invalidate();
    }
    auto* win = Cast(control);
    if (win) {
        if (TWindowHost* host = Host(); host && win->Focused()) host->SetFocusedControl(nullptr);
        win->DestroyHandle();
    }
    EraseFromEnd(FControls, control);
    if (win) EraseFromEnd(FTabList, win);
    control->FParent = nullptr;
    if (leaving) return;
    if (win) {
        win->DeviceChangedTree();
        WindowsChanged();
    }
    Realign();
}

void TWinControl::HandleNeeded() {
    if (FHandleAllocated) return;
    if (FHost || (Parent() && Parent()->HandleAllocated())) CreateWnd();
}

void TWinControl::CreateWnd() {
    FHandleAllocated = true;
    // A context made on demand before the window existed draws nowhere; drop it.
    DeviceChanged();
    WindowsChanged();
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    Perform(WM_SETFONT, 0, 1);
    for (TControl* c : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->HandleNeeded();
    Invalidate();
}

void TWinControl::DestroyHandle() {
    if (!FHandleAllocated) return;
    for (TControl* c : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyHandle();
    FHandleAllocated = false;
    DeviceChanged();
    WindowsChanged();
}

void TWinControl::RecreateWnd() {
    if (!FHandleAllocated) return;
    Invalidate();
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::WindowsChanged() {
    if (TWindowHost* host = Host()) host->WindowsChanged();
}

void TWinControl::DeviceChangedTree() {
    DeviceChanged();
    for (TControl* c : FControls) {
        if (auto* win = Cast(c))
            win->DeviceChangedTree();
        else
            c->DeviceChanged();
    }
}

void TWinControl::SetCtl3D(bool v) {
    FParentCtl3D = false;
    if (v == FCtl3D) return;
    Invalidate();
    FCtl3D = v;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
    if (v == FParentCtl3D) return;
    FParentCtl3D = v;
    if (v && Parent()) {
        SetCtl3D(Parent()->Ctl3D());
        FParentCtl3D = true;
    }
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
    if (ComponentState().Contains(csLoading))
        FTabOrder = v;
    else
        UpdateTabOrder(v);
}

void TWinControl::UpdateTabOrder(int v) {
    const int current = TabOrder();
    if (current < 0) return;
    auto& list = Parent()->FTabList;
    v = std::clamp(v, 0, static_cast<int>(list.size()) - 1);
    if (v == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + v, this);
}

void TWinControl::FixupTabList() {
    // Each child that was read with a valid place that no child before it claimed is moved
    // there, places in increasing order, the way the framework has always done it (children
    // without a place keep theirs among the rest). Moving a child to place i changes the list
    // only at and after position i, so the moves are made on a linked list that knows which
    // children stand before position i: each move costs the same however many children there are.
    constexpr std::size_t kNone = SIZE_MAX;
    const std::size_t count = FTabList.size();
    if (count == 0) return;
    std::vector<std::size_t> placed(count, kNone);  // place -> index into FTabList
    for (std::size_t k = 0; k < count; ++k) {
        const int place = FTabList[k]->FTabOrder;
        if (place >= 0 && static_cast<std::size_t>(place) < count &&
            placed[static_cast<std::size_t>(place)] == kNone)
            placed[static_cast<std::size_t>(place)] = k;
    }
    // A ring through the children in list order, count being the end.
    std::vector<std::size_t> next(count + 1), prev(count + 1);
    for (std::size_t k = 0; k <= count; ++k) {
        next[k] = k == count ? 0 : k + 1;
        prev[k] = k == 0 ? count : k - 1;
    }
    auto unlink = [&](std::size_t k) {
        next[prev[k]] = next[k];
        prev[next[k]] = prev[k];
    };
    auto linkAfter = [&](std::size_t k, std::size_t at) {
        prev[k] = at;
        next[k] = next[at];
        prev[next[at]] = k;
        next[at] = k;
    };
    std::vector<bool> before(count, false);  // stands before position i
    std::size_t atPlace = next[count];       // the child at position i
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t moved = placed[i];
        if (moved == kNone || moved == atPlace) {
            before[atPlace] = true;
            atPlace = next[atPlace];
        } else if (!before[moved]) {
            // From further on: it goes in front of the child at position i.
            unlink(moved);
            linkAfter(moved, prev[atPlace]);
            before[moved] = true;
        } else {
            // From before: the children after it move up one, so it lands behind the child
            // that stood at position i.
            unlink(moved);
            before[atPlace] = true;
            linkAfter(moved, atPlace);
            atPlace = next[moved];
        }
    }
    std::vector<TWinControl*> ordered;
    ordered.reserve(count);
    for (std::size_t k = next[count]; k != count; k = next[k]) ordered.push_back(FTabList[k]);
    FTabList = std::move(ordered);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
    for (TWinControl* c : FTabList) c->FTabOrder = -1;
    Realign();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc,
                              const TComponent* root) const {
    for (TControl* c : FControls)
        if (c->Owner() == root) proc(c);
    TControl::GetChildren(proc, root);
}

bool TWinControl::Focused() const {
    TWindowHost* host = Host();
    return host && host->FocusedControl() == this;
}

bool TWinControl::CanFocus() const {
    return FHandleAllocated && Showing() && Enabled();
}

void TWinControl::SetFocus() {
    if (TWindowHost* host = Host(); host && CanFocus()) host->SetFocusedControl(this);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const {
    std::vector<TWinControl*> list;
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        const std::vector<TWinControl*> inner = c->GetTabOrderList();
        list.insert(list.end(), inner.begin(), inner.end());
    }
    return list;
}

TWinControl* TWinControl::FindNextControl(const TWinControl* current, bool goForward,
                                          bool checkTabStop) const {
    const std::vector<TWinControl*> list = GetTabOrderList();
    const int count = static_cast<int>(list.size());
    if (count == 0) return nullptr;
    const auto found = std::find(list.begin(), list.end(), current);
    // Not in the list: stand just before the first (after the last) control.
    int at =
        found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    for (int step = 0; step < count; ++step) {
        at = goForward ? (at + 1) % count : (at + count - 1) % count;
        TWinControl* c = list[static_cast<std::size_t>(at)];
        if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
    }
    return nullptr;
}

bool TWinControl::SelectNext(const TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop);
    if (!next) return false;
    next->SetFocus();
    return true;
}

TRect TWinControl::GetClientRect() const {
    const TRect in = NonClientInsets();
    return TRect{
        0, 0, SaturatedInt(std::max<std::int64_t>(0, std::int64_t{Width()} - in.Left - in.Right)),
        SaturatedInt(std::max<std::int64_t>(0, std::int64_t{Height()} - in.Top - in.Bottom))};
}

TPoint TWinControl::ClientOrigin() const {
    if (!Parent()) return TPoint{};
    const TPoint p = Parent()->ClientOrigin();
    const TRect in = NonClientInsets();
    return TPoint{SaturatedInt(std::int64_t{p.X} + Left() + in.Left),
                  SaturatedInt(std::int64_t{p.Y} + Top() + in.Top)};
}

TRect TWinControl::SurfaceWindowRect() const {
    if (Parent()) {
        const TPoint p = Parent()->ClientOrigin();
        return Translated(BoundsRect(), p.X, p.Y);
    }
    const TRect in = NonClientInsets();
    return TRect{-in.Left, -in.Top, SaturatedInt(std::int64_t{Width()} - in.Left),
                 SaturatedInt(std::int64_t{Height()} - in.Top)};
}

TRect TWinControl::VisibleClientClip() const {
    if (!FHandleAllocated || !Visible()) return TRect{};
    const TPoint o = ClientOrigin();
    TRect clip{o.X, o.Y, SaturatedInt(std::int64_t{o.X} + ClientWidth()),
               SaturatedInt(std::int64_t{o.Y} + ClientHeight())};
    if (Parent()) return IntersectRects(clip, Parent()->VisibleClientClip());
    if (TWindowHost* host = Host()) return IntersectRects(clip, host->SurfaceBounds());
    return TRect{};
}

TRegion TWinControl::VisibleClientRegion() const {
    TRegion region(VisibleClientClip());
    auto leaveOut = [&](const TControl* c) {
        const auto* win = dynamic_cast<const TWinControl*>(c);
        if (win && win->FHandleAllocated && win->Visible())
            region.Subtract(win->SurfaceWindowRect());
    };
    if (ControlStyle().Contains(csAcceptsControls))
        for (const TControl* c : FControls) leaveOut(c);
    for (const TWinControl* c = this; c->Parent(); c = c->Parent()) {
        const std::vector<TControl*>& siblings = c->Parent()->FControls;
        auto above = std::find(siblings.begin(), siblings.end(), c);
        if (above != siblings.end()) ++above;
        for (; above != siblings.end(); ++above) leaveOut(*above);
    }
    return region;
}

void TWinControl::PaintNonClient(HDC) {}

// The sunken edge needs more than four pixels each way: a smaller window gets none, and its
// client area is the whole window, as the system lays a window with a client edge out.
bool TWinControl::HasSunkenEdge(bool ctl3D, int width, int height) {
    return ctl3D && width > 4 && height > 4;
}

TRect TWinControl::SingleBorderInsets(bool ctl3D, int width, int height) {
    if (!ctl3D) return TRect{1, 1, 1, 1};
    return HasSunkenEdge(ctl3D, width, height) ? TRect{2, 2, 2, 2} : TRect{};
}

void TWinControl::PaintSingleBorder(HDC dc, const TRect& r, bool ctl3D) {
    if (ctl3D) {
        TRect edge = r;
        if (HasSunkenEdge(ctl3D, r.Width(), r.Height())) DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        return;
    }
    if (r.IsEmpty()) return;
    FillSolidRect(dc, TRect{r.Left, r.Top, r.Right, r.Top + 1}, clWindowFrame);
    FillSolidRect(dc, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, clWindowFrame);
    FillSolidRect(dc, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, clWindowFrame);
    FillSolidRect(dc, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, clWindowFrame);
}

void TWinControl::PaintWindow(HDC) {}

HDC TWinControl::CreateClientContext() const {
    TWindowHost* host = Host();
    return host && FHandleAllocated ? host->CreateClientContext(this)
                                    : TWindowHost::CreateNullContext();
}

void TWinControl::ReleaseClientContext(HDC dc) const {
    if (TWindowHost* host = Host())
        host->ReleaseContext(dc);
    else
        TWindowHost::ReleaseNullContext(dc);
}

void TWinControl::InvalidateRect(const TRect& clientRect) {
    if (!FHandleAllocated) return;
    TWindowHost* host = Host();
    if (!host) return;
    const TPoint o = ClientOrigin();
    host->InvalidateRect(this, Translated(clientRect, o.X, o.Y));
}

void TWinControl::Invalidate() {
    if (!FHandleAllocated) return;
    TWindowHost* host = Host();
    if (!host) return;
    host->InvalidateRect(this, SurfaceWindowRect());
}

void TWinControl::Update() {
    if (TWindowHost* host = Host(); host && FHandleAllocated) host->PaintPending();
}

TWindowHost* TWinControl::Host() const {
    const TWinControl* c = this;
    while (!c->FHost && c->Parent()) c = c->Parent();
    return c->FHost;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
    if (FAlignLevel > 0 || FAligning || ComponentState().Contains(csLoading)) return;
    FAligning = true;
    TRect r = GetClientRect();
    AlignControls(nullptr, r);
    FAligning = false;
}

// Sizes and offsets are summed in 64 bits and saturate, so that no size a form gives a
// control overflows the layout.
void TWinControl::AlignControls(TControl*, TRect& rect) {
    using I = std::int64_t;
    const TRect client = GetClientRect();
    // Anchored controls keep their distance to the edges they are anchored to.
    if (!FAnchorRect.IsEmpty() &&
        (FAnchorRect.Right != client.Right || FAnchorRect.Bottom != client.Bottom)) {
        const I dx = I{client.Right} - FAnchorRect.Right,
                dy = I{client.Bottom} - FAnchorRect.Bottom;
        for (TControl* c : FControls) {
            if (c->Align() != alNone) continue;
            const TAnchors a = c->Anchors();
            I l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
            if (a.Contains(akRight)) {
                if (a.Contains(akLeft))
                    w += dx;
                else
                    l += dx;
            }
            if (a.Contains(akBottom)) {
                if (a.Contains(akTop))
                    h += dy;
                else
                    t += dy;
            }
            c->SetBounds(SaturatedInt(l), SaturatedInt(t), SaturatedInt(std::max<I>(0, w)),
                         SaturatedInt(std::max<I>(0, h)));
        }
    }
    FAnchorRect = client;
    // The controls are gone through once for each alignment, in that order; most hold none.
    if (std::none_of(FControls.begin(), FControls.end(),
                     [](const TControl* c) { return c->Align() != alNone; }))
        return;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->Align() != align || !c->Visible()) continue;
            switch (align) {
                case alTop:
                    c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
                    rect.Top = SaturatedInt(I{rect.Top} + c->Height());
                    break;
                case alBottom:
                    c->SetBounds(rect.Left, SaturatedInt(I{rect.Bottom} - c->Height()),
                                 rect.Width(), c->Height());
                    rect.Bottom = SaturatedInt(I{rect.Bottom} - c->Height());
                    break;
                case alLeft:
                    c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
                    rect.Left = SaturatedInt(I{rect.Left} + c->Width());
                    break;
                case alRight:
                    c->SetBounds(SaturatedInt(I{rect.Right} - c->Width()), rect.Top, c->Width(),
                                 rect.Height());
                    rect.Right = SaturatedInt(I{rect.Right} - c->Width());
                    break;
                case alClient:
                    c->SetBounds(rect.Left, rect.Top, std::max(0, rect.Width()),
                                 std::max(0, rect.Height()));
                    break;
                default:
                    break;
            }
        }
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width(), oldHeight = Height();
    TControl::SetBounds(left, top, width, height);
    DeviceChangedTree();
    WindowsChanged();
    if (FHandleAllocated && (Width() != oldWidth || Height() != oldHeight))
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    if (FHost && (Width() != oldWidth || Height() != oldHeight)) FHost->ResizeSurface();
}

void TWinControl::NotifyControls(UINT msg) {
    for (TControl* c : FControls) c->Perform(msg);
}

TWinControl* TWinControl::WindowAt(TPoint p) {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        auto* win = dynamic_cast<TWinControl*>(*it);
        if (!win || !win->Visible() || !win->BoundsRect().Contains(p)) continue;
        const TRect in = win->NonClientInsets();
        return win->WindowAt(TPoint{p.X - win->Left() - in.Left, p.Y - win->Top() - in.Top});
    }
    return this;
}

void TWinControl::WMSize(TMessage&) {
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMPaint(TMessage& message) {
    PaintWindow(reinterpret_cast<HDC>(message.WParam));
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    const TRect client = GetClientRect();
    FillSolidRect(reinterpret_cast<HDC>(message.WParam), client, Color());
    message.Result = 1;
}

TWinControl* TWinControl::KeyPreviewForm() {
    TForm* form = GetParentForm(this);
    return form && form != this && form->KeyPreview() ? form : nullptr;
}

void TWinControl::SetChildZOrder(TControl* control, bool topMost) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    FControls.erase(it);
    if (topMost)
        FControls.push_back(control);
    else
        FControls.insert(FControls.begin(), control);
    control->Invalidate();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
    OnKeyPress(this, key);
}
void TWinControl::DoEnter() {
    OnEnter(this);
}
void TWinControl::DoExit() {
    OnExit(this);
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE:
            WMSize(message);
            return;
        case WM_PAINT:
            WMPaint(message);
            return;
        case WM_ERASEBKGND:
            WMEraseBkgnd(message);
            return;
        case WM_SETFOCUS:
            DoEnter();
            DefaultHandler(message);
            return;
        case WM_KILLFOCUS:
            DoExit();
            DefaultHandler(message);
            return;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            WORD key = static_cast<WORD>(message.WParam);
            const TShiftState shift = KeyboardShiftState();
            TWinControl* preview = KeyPreviewForm();
            if (message.Msg == WM_KEYDOWN) {
                if (preview) preview->KeyDown(key, shift);
                if (key != 0) KeyDown(key, shift);
            } else {
                if (preview) preview->KeyUp(key, shift);
                if (key != 0) KeyUp(key, shift);
            }
            if (key == 0) return;
            message.WParam = key;
            DefaultHandler(message);
            return;
        }
        case WM_CHAR: {
            char key = static_cast<char>(message.WParam);
            if (TWinControl* preview = KeyPreviewForm()) preview->KeyPress(key);
            if (key != 0) KeyPress(key);
            if (key == 0) return;
            message.WParam = static_cast<unsigned char>(key);
            DefaultHandler(message);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (FTabStop && CanFocus() && !Focused()) SetFocus();
            TControl::Dispatch(message);
            return;
        case CM_COLORCHANGED:
            FBrush.SetColor(Color());
            Invalidate();
            NotifyControls(CM_PARENTCOLORCHANGED);
            return;
        case CM_FONTCHANGED:
            Invalidate();
            if (FHandleAllocated) Perform(WM_SETFONT, 0, 1);
            NotifyControls(CM_PARENTFONTCHANGED);
            return;
        case CM_CTL3DCHANGED:
            Invalidate();
            DeviceChangedTree();
            Realign();
            NotifyControls(CM_PARENTCTL3DCHANGED);
            return;
        case CM_VISIBLECHANGED:
            // Contexts made on demand were clipped to what was visible when they were made.
            DeviceChangedTree();
            WindowsChanged();
            TControl::Dispatch(message);
            return;
        case CM_PARENTCTL3DCHANGED:
            if (FParentCtl3D && Parent()) {
                SetCtl3D(Parent()->Ctl3D());
                FParentCtl3D = true;
            }
            return;
        default:
            TControl::Dispatch(message);
    }
}

void TWinControl::DefaultHandler(TMessage&) {}

const TClassInfo& TWinControl::StaticClassInfo() {
    using namespace PropBuild;
    using C = TWinControl;
    static const TClassInfo info{
        "TWinControl",
        &TControl::StaticClassInfo(),
        "Controls",
        {Ord("HelpContext", TypeInfoInteger(), &C::HelpContext, &C::SetHelpContext, 0)},
        nullptr};
    return info;
}

namespace ControlProps {
using namespace PropBuild;
using W = TWinControl;

TPropInfo Ctl3D() {
    TPropInfo p = Ord("Ctl3D", TypeInfoBoolean(), &W::Ctl3D, &W::SetCtl3D);
    p.Stored = [](const TPersistent& o) { return !static_cast<const W&>(o).ParentCtl3D(); };
    return p;
}
TPropInfo ParentCtl3D() {
    return Ord("ParentCtl3D", TypeInfoBoolean(), &W::ParentCtl3D, &W::SetParentCtl3D, 1);
}
TPropInfo TabOrder() {
    return Ord("TabOrder", TypeInfoTTabOrder(), &W::TabOrder, &W::SetTabOrder, -1);
}
TPropInfo TabStop(bool defaultValue) {
    return Ord("TabStop", TypeInfoBoolean(), &W::TabStop, &W::SetTabStop, defaultValue ? 1 : 0);
}
TPropInfo OnEnter() {
    return Event("OnEnter", TypeInfoNotifyEvent(), &W::OnEnter);
}
TPropInfo OnExit() {
    return Event("OnExit", TypeInfoNotifyEvent(), &W::OnExit);
}
TPropInfo OnKeyDown() {
    return Event("OnKeyDown", TypeInfoEvent("TKeyEvent"), &W::OnKeyDown);
}
TPropInfo OnKeyPress() {
    return Event("OnKeyPress", TypeInfoEvent("TKeyPressEvent"), &W::OnKeyPress);
}
TPropInfo OnKeyUp() {
    return Event("OnKeyUp", TypeInfoEvent("TKeyEvent"), &W::OnKeyUp);
}
}  // namespace ControlProps
