// Windowed controls: they hold child controls, have a window on their host (created on
// demand), take the keyboard focus, and paint on WM_PAINT.
#pragma once

#include <memory>
#include <vector>

#include "controls/TControl.h"
#include "gdi/TRegion.h"
#include "graphics/TBrush.h"

class TWinControl : public TControl {
    DECLARE_CLASSINFO()

public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The component as a windowed control, or null: a dynamic_cast that asks the class
    // information first, which is cheaper where the answer is yes.
    static TWinControl* Cast(TComponent* component) {
        if (component && component->InheritsFrom(&StaticClassInfo()))
            return static_cast<TWinControl*>(component);
        return dynamic_cast<TWinControl*>(component);
    }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<std::size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Puts a child control last (on top of its siblings) or first (under them): the order in
    // which the children paint and in which a form file stores them.
    void SetChildZOrder(TControl* control, bool topMost);
    void InheritParentValues(const TWinControl& parent) override;

    // The window: created when the control is shown on a host, with WM_SIZE and WM_SETFONT.
    bool HandleAllocated() const { return FHandleAllocated; }
    void HandleNeeded();
    void DestroyHandle();
    // Makes the window again, as a change of its border style requires.
    void RecreateWnd();

    TBrush* Brush() const { return &FBrush; }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    // The position among the parent's windowed children when the focus moves with Tab; apart
    // from the order in which the children paint. While loading, the value is kept and the
    // parent puts its children in that order in Loaded.
    int TabOrder() const;
    void SetTabOrder(int v);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }

    bool Focused() const;
    virtual bool CanFocus() const;
    void SetFocus();

    // The windowed controls inside this one in the order Tab visits them: each child in tab
    // order, followed by the controls inside it.
    std::vector<TWinControl*> GetTabOrderList() const;
    // The control after current (before it, going backward) in tab order that can take the
    // focus and, with checkTabStop, has TabStop; the search wraps around and starts from the
    // beginning (the end) when current is not in the list. Null when no control qualifies.
    TWinControl* FindNextControl(const TWinControl* current, bool goForward,
                                 bool checkTabStop) const;
    // Moves the focus to that control; returns whether there was one.
    bool SelectNext(const TWinControl* current, bool goForward, bool checkTabStop);

    // Widths of the border around the client area (left, top, right, bottom).
    virtual TRect NonClientInsets() const { return TRect{}; }
    TRect GetClientRect() const override;
    TPoint ClientOrigin() const override;
    // The window's rectangle and its visible client area on the host's surface.
    TRect SurfaceWindowRect() const;
    TRect VisibleClientClip() const;
    // What of the visible client area no other window covers: windows clip their siblings, so
    // the later children of the parent and of each parent above it are left out, and a control
    // that holds controls clips its children.
    TRegion VisibleClientRegion() const;

    // Paints the border; dc's origin is the window's top-left.
    virtual void PaintNonClient(HDC dc);
    // Paints the client area; called on WM_PAINT with the paint pass's context.
    virtual void PaintWindow(HDC dc);
    // A context for drawing on the client area outside a paint message, made by the host
    // (a context on nothing while the control has no window); ReleaseClientContext frees it.
    HDC CreateClientContext() const;
    void ReleaseClientContext(HDC dc) const;

    // Marks a rectangle of the client area (client coordinates) for repainting.
    void InvalidateRect(const TRect& clientRect);
    void Invalidate() override;
    void Update() override;
    TWindowHost* Host() const override;

    // Lays out the aligned children again.
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // The child window under a point of the client area, or this control.
    TWinControl* WindowAt(TPoint clientPoint);

    // The child controls that root owns, then, when this is the root, its other components.
    void GetChildren(const std::function<void(TComponent*)>& proc,
                     const TComponent* root) const override;
    // After a form file is read: the tab order that was read, and the aligned children.
    void Loaded() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    friend class TWindowHost;
    virtual void CreateWnd();
    virtual void AlignControls(TControl* control, TRect& rect);
    void WMSize(TMessage& message);
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    void NotifyControls(UINT msg);
    void SetHost(TWindowHost* host) { FHost = host; }
    // The border drawn by a control with a single border: the two-pixel sunken edge with
    // Ctl3D (none on a window too small for it), a one-pixel frame without.
    static void PaintSingleBorder(HDC dc, const TRect& windowRect, bool ctl3D);
    static TRect SingleBorderInsets(bool ctl3D, int width, int height);
    static bool HasSunkenEdge(bool ctl3D, int width, int height);

private:
    // The form that sees this control's keys first (KeyPreview), or null.
    TWinControl* KeyPreviewForm();
    void DeviceChangedTree();
    // Tells the host that this window moved, showed, hid, came or went.
    void WindowsChanged();
    void UpdateTabOrder(int v);
    void FixupTabList();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    int FTabOrder = -1;  // the tab order read from a form file, until Loaded
    mutable TBrush FBrush;
    bool FHandleAllocated = false;
    TWindowHost* FHost = nullptr;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FTabStop = false;
    int FHelpContext = 0;
    int FAlignLevel = 0;
    bool FAligning = false;
    TRect FAnchorRect{};  // the client size the anchors were last measured against
};

namespace ControlProps {
TPropInfo Ctl3D();
TPropInfo ParentCtl3D();
TPropInfo TabOrder();
TPropInfo TabStop(bool defaultValue);
TPropInfo OnEnter();
TPropInfo OnExit();
TPropInfo OnKeyDown();
TPropInfo OnKeyPress();
TPropInfo OnKeyUp();
}  // namespace ControlProps
