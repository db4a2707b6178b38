// Controls: components with a position inside a parent, a colour, a font and a caption, that
// take messages and paint through the framework.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "classes/TComponent.h"
#include "classes/TEvent.h"
#include "controls/Controls.h"
#include "controls/TSizeConstraints.h"
#include "graphics/TFont.h"
#include "win/Messages.h"

class TWinControl;
class TWindowHost;

using TMouseEvent = TEvent<TPersistent*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TPersistent*, TShiftState, int, int>;
using TKeyEvent = TEvent<TPersistent*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TPersistent*, char&>;

class TControl : public TComponent {
    DECLARE_CLASSINFO()

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    // Takes the font and the colour of parent where ParentFont and ParentColor ask for them
    // (a windowed control also Ctl3D), as being put inside parent does.
    virtual void InheritParentValues(const TWinControl& parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const {
        return TRect{FLeft, FTop, SaturatedInt(std::int64_t{FLeft} + FWidth),
                     SaturatedInt(std::int64_t{FTop} + FHeight)};
    }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

    // The client area in client coordinates: (0, 0) to the client size.
    virtual TRect GetClientRect() const;
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return GetClientRect().Right; }
    int ClientHeight() const { return GetClientRect().Bottom; }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    // The top-left of the client area in the coordinates of the host's surface.
    virtual TPoint ClientOrigin() const;
    // Whether a point in client coordinates lies inside the control.
    TPoint ScreenToClient(TPoint hostPoint) const;

    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // Whether this control and all its parents are visible.
    bool Showing() const;
    bool Enabled() const { return GetEnabled(); }
    virtual bool GetEnabled() const;
    virtual void SetEnabled(bool v);

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return &FFont; }
    void SetFont(const TFont* font) { FFont.Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    std::string GetText() const { return std::string(FText.View()); }
    void SetText(const std::string& v);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v);
    TSizeConstraints* Constraints() const { return &FConstraints; }
    void SetConstraints(const TSizeConstraints* c) { FConstraints.Assign(c); }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool v);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind v) { FDragKind = v; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor v) { FDragCursor = v; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v) { FCursor = v; }
    std::string Hint() const { return FHint; }
    void SetHint(const std::string& v) { FHint = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    // No pop-up menus exist in this framework; the property reads and streams as nil.
    TComponent* PopupMenu() const { return nullptr; }
    void SetPopupMenu(TComponent*) {}

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }

    // Repaint later, now, or what is already due.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    // Sends a message to the control and returns its result.
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    virtual void WndProc(TMessage& message);
    // Hands a message to its handler; what no class handles goes to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // The host whose surface the control shows on, or null.
    virtual TWindowHost* Host() const;

    virtual void Click();

    // Puts the control on top of its siblings, or under them.
    void BringToFront();
    void SendToBack();

    // A control is stored inside its parent; a form file nests it in a windowed control.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnDragDrop;
    TNotifyEvent OnDragOver;
    TNotifyEvent OnEndDrag;

protected:
    virtual void FontChanged();
    virtual void Resize();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    // Called after the control's position on the host's surface may have changed.
    virtual void DeviceChanged() {}
    void RequestAlign();

    static TShiftState KeysToShiftState(WPARAM keys);

private:
    friend class TWinControl;
    void HandleMouse(TMessage& message);

    // The control's text, held in the control up to a length most captions keep within and on
    // the heap beyond it: a form of many controls makes and frees fewer blocks.
    class TText {
    public:
        std::string_view View() const { return {FHeap ? FHeap.get() : FInline, FSize}; }
        void Assign(std::string_view s) {
            if (s.size() <= sizeof FInline) {
                if (!s.empty()) std::memmove(FInline, s.data(), s.size());  // s may be this text
                FHeap.reset();
            } else {
                auto heap = std::make_unique_for_overwrite<char[]>(s.size());
                std::memcpy(heap.get(), s.data(), s.size());
                FHeap = std::move(heap);
            }
            FSize = s.size();
        }

    private:
        std::unique_ptr<char[]> FHeap;
        std::size_t FSize = 0;
        char FInline[32];
    };

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = ColorFromBits(0x80000005);
    bool FParentColor = true;
    // Held in the control, not apart from it: a form of many controls makes and frees fewer
    // blocks.
    mutable TFont FFont;
    bool FParentFont = true;
    bool FAssigningParentFont = false;
    TText FText;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    mutable TSizeConstraints FConstraints;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TControlStyle FControlStyle;
    bool FMousePressed = false;
};

// Published-property entries shared by the classes that publish the framework's protected
// properties, with the framework's streaming defaults.
namespace ControlProps {
TPropInfo Align();
TPropInfo Anchors();
TPropInfo Constraints();
TPropInfo BiDiMode();
TPropInfo ParentBiDiMode();
TPropInfo DragMode();
TPropInfo DragKind();
TPropInfo DragCursor();
TPropInfo Caption();
TPropInfo Color(TColor defaultColor);
TPropInfo ParentColor(bool defaultValue);
TPropInfo Enabled();
TPropInfo Font();
TPropInfo ParentFont();
TPropInfo ShowHint();
TPropInfo ParentShowHint();
TPropInfo PopupMenu();
TPropInfo Visible();
TPropInfo OnClick();
TPropInfo OnDblClick();
TPropInfo OnDragDrop();
TPropInfo OnDragOver();
TPropInfo OnEndDrag();
TPropInfo OnMouseDown();
TPropInfo OnMouseMove();
TPropInfo OnMouseUp();
TPropInfo OnResize();
}  // namespace ControlProps
