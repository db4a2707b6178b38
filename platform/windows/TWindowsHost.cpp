#include "windows/TWindowsHost.h"

#include <algorithm>
#include <memory>

#include "controls/TWinControl.h"
#include "hosts/RealClockRun.h"
#include "loop/TMessageLoop.h"

namespace {

constexpr const char* kWindowClass = "QuillmereWindow";
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// The library that holds the window procedure, which the window class belongs to.
HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::string SystemMessage(DWORD code) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && std::string("\r\n .").find(message.back()) != std::string::npos)
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

TShiftState ShiftNow() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
}

TRect Shrunk(const TRect& r, const TRect& by) {
    return TRect{r.Left + by.Left, r.Top + by.Top, r.Right - by.Right, r.Bottom - by.Bottom};
}

}  // namespace

TWindowsHost::TWindowsHost(TWinControl* form, int scale)
    : FScale(scale), FThread(GetCurrentThreadId()) {
    if (scale < 1 || scale > kMaxScale)
        throw std::invalid_argument("the scale must be 1 to " + std::to_string(kMaxScale) +
                                    ", not " + std::to_string(scale));
    static const ATOM windowClass = [] {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.style = CS_DBLCLKS;
        c.lpfnWndProc = &TWindowsHost::WindowProc;
        c.hInstance = ThisModule();
        c.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        c.lpszClassName = kWindowClass;
        return RegisterClassExA(&c);
    }();
    if (!windowClass)
        throw ENoDisplay("cannot register a window class: " + SystemMessage(GetLastError()));
    RECT frame{0, 0, std::max(1, form->ClientWidth()) * scale,
               std::max(1, form->ClientHeight()) * scale};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    FWindow = CreateWindowExA(0, kWindowClass, form->Caption().c_str(), kFormStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, ThisModule(), this);
    if (!FWindow) throw ENoDisplay("cannot make a window: " + SystemMessage(GetLastError()));
    const DWORD thread = FThread;
    TMessageLoop::Current().SetWakeHandler([thread] { PostThreadMessageA(thread, WM_NULL, 0, 0); });
    Attach(form);
    SyncWindows();
    ShowWindow(FWindow, SW_SHOWNORMAL);
    UpdateWindow(FWindow);
}

TWindowsHost::~TWindowsHost() {
    TMessageLoop::Current().SetWakeHandler(nullptr);
    Detach();
    DestroyChildWindows();
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
    DestroyWindow(FWindow);
}

std::string TWindowsHost::VideoDriver() {
    return "windows";
}

HWND TWindowsHost::WindowOf(const TWinControl* control) const {
    if (control && control == Root()) return FWindow;
    auto it = FChildren.find(control);
    return it == FChildren.end() ? nullptr : it->second.Window;
}

TWinControl* TWindowsHost::ControlOf(HWND window) const {
    if (window == FWindow) return Root();
    for (const auto& [control, child] : FChildren)
        if (child.Window == window) return const_cast<TWinControl*>(control);
    return nullptr;
}

// The child windows follow the controls: one window each windowed control that has a window
// in the framework, inside its parent's, at its bounds with its border as the non-client
// area, later children above earlier ones, shown while the control is visible.
void TWindowsHost::SyncWindows() {
    if (FScale != 1 || !FWindow || !Root() || FSyncing) return;
    FSyncing = true;
    SyncChildren(Root(), FWindow);
    FSyncing = false;
}

void TWindowsHost::SyncChildren(TWinControl* parent, HWND parentWindow) {
    std::vector<HWND> order;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!control) continue;
        auto found = FChildren.find(control);
        if (!control->HandleAllocated()) {
            if (found != FChildren.end()) {
                DestroyWindow(found->second.Window);
                FChildren.erase(found);
            }
            continue;
        }
        TChild& child = FChildren[control];
        const TRect bounds = control->BoundsRect();
        const TRect insets = control->NonClientInsets();
        if (!child.Window || !IsWindow(child.Window)) {
            child = TChild{};
            child.Window = CreateWindowExA(0, kWindowClass, "", kChildStyle, bounds.Left,
                                           bounds.Top, bounds.Width(), bounds.Height(),
                                           parentWindow, nullptr, ThisModule(), control);
            if (!child.Window) {
                FChildren.erase(control);
                continue;
            }
            child.Bounds = bounds;
            child.Insets = insets;
        } else if (GetParent(child.Window) != parentWindow) {
            ::SetParent(child.Window, parentWindow);
            child.Bounds = TRect{};
        }
        if (bounds != child.Bounds || insets != child.Insets) {
            const UINT frame = insets != child.Insets ? SWP_FRAMECHANGED : 0;
            SetWindowPos(child.Window, nullptr, bounds.Left, bounds.Top, bounds.Width(),
                         bounds.Height(), SWP_NOZORDER | SWP_NOACTIVATE | frame);
            child.Bounds = bounds;
            child.Insets = insets;
        }
        if (control->Visible() != child.Shown) {
            child.Shown = control->Visible();
            ShowWindow(child.Window, child.Shown ? SW_SHOWNA : SW_HIDE);
        }
        order.push_back(child.Window);
        SyncChildren(control, child.Window);
    }
    // The system lists a window's children from the top; the framework paints its children in
    // order, each over the ones before.
    std::vector<HWND> stacked;
    for (HWND w = GetWindow(parentWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (std::find(order.begin(), order.end(), w) != order.end()) stacked.push_back(w);
    if (!std::equal(order.rbegin(), order.rend(), stacked.begin(), stacked.end())) {
        HWND above = HWND_TOP;
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            SetWindowPos(*it, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = *it;
        }
    }
}

void TWindowsHost::DestroyChildWindows() {
    for (const auto& [control, child] : FChildren)
        if (IsWindow(child.Window)) {
            SetWindowLongPtrA(child.Window, GWLP_USERDATA, 0);
            DestroyWindow(child.Window);
        }
    FChildren.clear();
}

void TWindowsHost::ControlDestroyed(const TControl* control) {
    auto found = FChildren.find(static_cast<const TWinControl*>(control));
    if (found != FChildren.end()) {
        // Its child windows go with it; their controls are on their way out too.
        if (IsWindow(found->second.Window)) {
            SetWindowLongPtrA(found->second.Window, GWLP_USERDATA, 0);
            DestroyWindow(found->second.Window);
        }
        FChildren.erase(found);
    }
    if (FCapture == control) FCapture = nullptr;
    TWindowHost::ControlDestroyed(control);
}

void TWindowsHost::InvalidateRect(const TControl* control, const TRect& surfaceRect) {
    TWindowHost::InvalidateRect(control, surfaceRect);
    if (FScale != 1 || !FWindow) return;
    // The area of the form's client area, in every window it meets, borders included.
    const RECT r = ToRECT(surfaceRect);
    RedrawWindow(FWindow, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWindowsHost::PaintPending() {
    if (FScale != 1) {
        TWindowHost::PaintPending();
        return;
    }
    SyncWindows();
    RedrawWindow(FWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DiscardPending();
}

void TWindowsHost::Present() {
    PaintPending();
}

// Outside a paint, a control draws on its window's own context, which the system clips to
// what of the window shows.
HDC TWindowsHost::CreateClientContext(const TWinControl* control) {
    if (FScale != 1) return TWindowHost::CreateClientContext(control);
    SyncWindows();
    HWND window = WindowOf(control);
    return window ? GetDC(window) : CreateNullContext();
}

void TWindowsHost::ReleaseContext(HDC dc) {
    // A window's context goes back to the system; the others are the surface's.
    if (HWND window = FScale == 1 ? WindowFromDC(dc) : nullptr)
        ReleaseDC(window, dc);
    else
        TWindowHost::ReleaseContext(dc);
}

void TWindowsHost::SetFocusedControl(TWinControl* control) {
    TWindowHost::SetFocusedControl(control);
    if (FScale != 1 || !control) return;
    SyncWindows();
    HWND window = WindowOf(control);
    if (window && GetFocus() != window) ::SetFocus(window);
}

void TWindowsHost::Presented(const TRect& area) {
    // At a scale: the window shows the surface; what changed is drawn again, enlarged.
    const RECT r{area.Left * FScale, area.Top * FScale, area.Right * FScale, area.Bottom * FScale};
    ::InvalidateRect(FWindow, &r, FALSE);
    UpdateWindow(FWindow);
}

LRESULT CALLBACK TWindowsHost::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // The form's window carries its host, a child window its control.
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    HWND form = GetAncestor(window, GA_ROOT);
    auto* host = reinterpret_cast<TWindowsHost*>(GetWindowLongPtrA(form, GWLP_USERDATA));
    if (!host || host->FWindow != form) return DefWindowProcA(window, msg, wParam, lParam);
    if (window == form) return host->FormMessage(msg, wParam, lParam);
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control || msg == WM_NCDESTROY) return DefWindowProcA(window, msg, wParam, lParam);
    return host->ChildMessage(control, window, msg, wParam, lParam);
}

LRESULT TWindowsHost::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* form = Root();
    switch (msg) {
        case WM_CLOSE:
            FClosed = true;
            TMessageLoop::Current().PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (!FSyncing && wParam != SIZE_MINIMIZED) Resized(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            if (FScale == 1 && FocusedControl() && WindowOf(FocusedControl()) != FWindow)
                ::SetFocus(WindowOf(FocusedControl()));
            return 0;
        case WM_KILLFOCUS:
            return 0;
        default:
            break;
    }
    if (!form) return DefWindowProcA(FWindow, msg, wParam, lParam);
    if (FScale != 1) {
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(FWindow, &ps);
                DrawScaled(dc, ps.rcPaint);
                EndPaint(FWindow, &ps);
                return 0;
            }
            default:
                if (IsMouseMessage(msg)) {
                    ScaledMouse(msg, wParam, lParam);
                    return 0;
                }
                if (Input(FocusedControl() ? FocusedControl() : form, msg, wParam, lParam))
                    return 0;
                return DefWindowProcA(FWindow, msg, wParam, lParam);
        }
    }
    switch (msg) {
        case WM_ERASEBKGND:
            return form->Perform(WM_ERASEBKGND, wParam);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FWindow, &ps);
            form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
            EndPaint(FWindow, &ps);
            return 0;
        }
        default:
            if (Input(form, msg, wParam, lParam)) return 0;
            return DefWindowProcA(FWindow, msg, wParam, lParam);
    }
}

LRESULT TWindowsHost::ChildMessage(TWinControl* control, HWND window, UINT msg, WPARAM wParam,
                                   LPARAM lParam) {
    switch (msg) {
        case WM_NCCALCSIZE: {
            // The client area lies inside the control's border.
            const TRect insets = control->NonClientInsets();
            RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
            *r = ToRECT(Shrunk(FromRECT(*r), insets));
            if (r->right < r->left) r->right = r->left;
            if (r->bottom < r->top) r->bottom = r->top;
            return 0;
        }
        case WM_NCHITTEST:
            // The whole window takes the mouse as its client area does: a control's border
            // and scroll bar are its own to handle, in client coordinates.
            return HTCLIENT;
        case WM_NCPAINT: {
            const TRect insets = control->NonClientInsets();
            if (insets == TRect{}) return 0;
            HDC dc = GetWindowDC(window);
            RECT w;
            GetWindowRect(window, &w);
            const TRect whole{0, 0, w.right - w.left, w.bottom - w.top};
            const TRect client = Shrunk(whole, insets);
            ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
            control->PaintNonClient(dc);
            ReleaseDC(window, dc);
            return 0;
        }
        case WM_ERASEBKGND:
            return control->Perform(WM_ERASEBKGND, wParam);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
            EndPaint(window, &ps);
            return 0;
        }
        case WM_SETFOCUS:
            TWindowHost::SetFocusedControl(control);
            return 0;
        case WM_KILLFOCUS:
        case WM_SIZE:
        case WM_MOVE:
            // The framework tells a control of its own moves and sizes, and of the focus.
            return 0;
        default:
            if (Input(control, msg, wParam, lParam)) return 0;
            return DefWindowProcA(window, msg, wParam, lParam);
    }
}

bool TWindowsHost::Input(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* form = Root();
    SetKeyboardShiftState(ShiftNow());
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (FScale == 1) SetCapture(WindowOf(control));
            // A double click is a second click for windows that do not ask for double clicks.
            if (msg == WM_LBUTTONDBLCLK && !control->ControlStyle().Contains(csDoubleClicks))
                msg = WM_LBUTTONDOWN;
            control->Perform(msg, wParam, lParam);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            control->Perform(msg, wParam, lParam);
            if (FScale == 1 && !(wParam & (MK_LBUTTON | MK_RBUTTON))) ReleaseCapture();
            return true;
        case WM_MOUSEMOVE:
            control->Perform(msg, wParam, lParam);
            return true;
        case WM_MOUSEWHEEL: {
            // The wheel turns what is under the pointer, as today's desktops do; the framework
            // takes the point on the form's client area.
            POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            POINT p = screen;
            ScreenToClient(FWindow, &p);
            p.x /= FScale;
            p.y /= FScale;
            TWinControl* target = nullptr;
            if (FScale == 1) {
                for (HWND w = WindowFromPoint(screen); w && !target; w = GetParent(w))
                    target = ControlOf(w);
            } else {
                TPoint client;
                target = ScaledTarget(TPoint{p.x, p.y}, client);
            }
            if (target) target->Perform(WM_MOUSEWHEEL, wParam, MakeLParam(p.x, p.y));
            return true;
        }
        case WM_KEYDOWN:
        case WM_KEYUP: {
            const TShiftState shift = ShiftNow();
            if (wParam == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
                // The dialog key: the focus moves to the next (Shift: previous) tab stop.
                if (msg == WM_KEYDOWN && form)
                    form->SelectNext(FocusedControl(), !shift.Contains(ssShift), true);
                return true;
            }
            TWinControl* target = FocusedControl() ? FocusedControl() : control;
            target->Perform(msg, wParam, 1);
            return true;
        }
        case WM_CHAR: {
            if (wParam == '\t') return true;
            TWinControl* target = FocusedControl() ? FocusedControl() : control;
            target->Perform(WM_CHAR, wParam, 1);
            return true;
        }
        default:
            return false;
    }
}

void TWindowsHost::Resized(int clientWidth, int clientHeight) {
    TWinControl* form = Root();
    if (!form || clientWidth <= 0 || clientHeight <= 0) return;
    const int w = clientWidth / FScale, h = clientHeight / FScale;
    if (w == form->ClientWidth() && h == form->ClientHeight()) return;
    // One change of both sides, so that the form and the children it realigns get one
    // WM_SIZE each.
    form->SetBounds(form->Left(), form->Top(), form->Width() - form->ClientWidth() + w,
                    form->Height() - form->ClientHeight() + h);
    ResizeSurface();
    SyncWindows();
    if (FScale != 1) ::InvalidateRect(FWindow, nullptr, FALSE);
}

void TWindowsHost::DrawScaled(HDC dc, const RECT& area) {
    // The surface was painted before the window asked; only its pixels are copied here.
    const TSurface& s = Surface();
    RECT client;
    GetClientRect(FWindow, &client);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    ::FillRect(dc, &client, black);
    if (s.IsEmpty()) return;
    const BITMAPINFO info = TopDownDib32(s.Width(), s.Height());
    // Pixels are enlarged as they are, never smoothed.
    SetStretchBltMode(dc, COLORONCOLOR);
    (void)area;
    StretchDIBits(dc, 0, 0, s.Width() * FScale, s.Height() * FScale, 0, 0, s.Width(), s.Height(),
                  s.Pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

TWinControl* TWindowsHost::ScaledTarget(TPoint p, TPoint& clientPoint) {
    TWinControl* form = Root();
    if (!form) return nullptr;
    TWinControl* target = form->WindowAt(p);
    clientPoint = target->ScreenToClient(p);
    return target;
}

// At a scale the window is one: the message goes to the control under the pointer, or to the
// one holding the mouse while a button is down, at the point divided back.
void TWindowsHost::ScaledMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEWHEEL) {
        Input(Root(), msg, wParam, lParam);
        return;
    }
    if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP &&
        msg != WM_RBUTTONDOWN && msg != WM_RBUTTONUP && msg != WM_LBUTTONDBLCLK)
        return;
    auto down = [this](int v) { return v >= 0 ? v / FScale : -((-v + FScale - 1) / FScale); };
    const TPoint p{down(static_cast<short>(LOWORD(lParam))),
                   down(static_cast<short>(HIWORD(lParam)))};
    TPoint client;
    TWinControl* target = FCapture;
    if (target)
        client = target->ScreenToClient(p);
    else
        target = ScaledTarget(p, client);
    if (!target) return;
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        FCapture = target;
        SetCapture(FWindow);
    }
    Input(target, msg, wParam, MakeLParam(client.X, client.Y));
    if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && !(wParam & (MK_LBUTTON | MK_RBUTTON))) {
        FCapture = nullptr;
        ReleaseCapture();
    }
}

bool TWindowsHost::PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FClosed = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !FClosed;
}

int TWindowsHost::Run() {
    FClosed = false;
    return RunOnRealClock(
        [this] { Present(); },
        [this](std::optional<TMilliseconds> timeout) {
            // The system's timer ends the wait when the framework's next tick is due.
            UINT_PTR timer = 0;
            if (!timeout || *timeout > 0) {
                if (timeout)
                    timer = SetTimer(
                        nullptr, 0,
                        static_cast<UINT>(std::min<TMilliseconds>(*timeout, 0x7FFFFFFF)), nullptr);
                WaitMessage();
            }
            PumpMessages();
            if (timer) KillTimer(nullptr, timer);
            if (FClosed) TMessageLoop::Current().PostQuitMessage(0);
        });
}

TSurface TWindowsHost::ReadPresentedPixels() {
    Present();
    GdiFlush();
    RECT client;
    GetClientRect(FWindow, &client);
    const int w = client.right, h = client.bottom;
    TSurface out(std::max(0, w), std::max(0, h));
    if (out.IsEmpty()) return out;
    const BITMAPINFO info = TopDownDib32(w, h);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        throw std::runtime_error("cannot read the window's pixels: " +
                                 SystemMessage(GetLastError()));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // The window's context without its children clipped out: what the window shows, children
    // included.
    HDC window = GetDCEx(FWindow, nullptr, DCX_CACHE);
    BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
    ReleaseDC(FWindow, window);
    GdiFlush();
    std::copy_n(static_cast<const TPixel*>(bits), out.Pixels().size(), out.Pixels().data());
    ::SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    for (TPixel& p : out.Pixels()) p &= 0x00FFFFFF;
    return out;
}
