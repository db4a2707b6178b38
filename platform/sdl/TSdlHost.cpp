#include "sdl/TSdlHost.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <memory>
#include <type_traits>

#include "controls/TWinControl.h"
#include "hosts/RealClockRun.h"
#include "loop/TMessageLoop.h"

namespace {

// Virtual keys the framework has no constants for.
constexpr WORD kVkMenu = 0x12;
constexpr WORD kVkInsert = 0x2D;
constexpr WORD kVkDelete = 0x2E;
constexpr WORD kVkF1 = 0x70;
// One notch of the wheel, as WM_MOUSEWHEEL counts it.
constexpr int kWheelDelta = 120;

WORD VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<WORD>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WORD>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<WORD>(kVkF1 + (key - SDLK_F1));
    switch (key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return kVkInsert;
        case SDLK_DELETE:
            return kVkDelete;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return kVkMenu;
        default:
            return 0;
    }
}

TShiftState ShiftStateOf(Uint16 mod) {
    TShiftState s;
    if (mod & KMOD_SHIFT) s.Include(ssShift);
    if (mod & KMOD_CTRL) s.Include(ssCtrl);
    if (mod & KMOD_ALT) s.Include(ssAlt);
    return s;
}

// The key state bits of a mouse message.
WPARAM MouseKeys(unsigned buttons, Uint16 mod) {
    WPARAM keys = 0;
    if (buttons & SDL_BUTTON_LMASK) keys |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) keys |= MK_RBUTTON;
    if (mod & KMOD_SHIFT) keys |= MK_SHIFT;
    if (mod & KMOD_CTRL) keys |= MK_CONTROL;
    return keys;
}

// Code page 1252 for the characters of 0x80..0x9F that are not Latin-1's control codes.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The ANSI byte of a code point, or 0 when code page 1252 has no such character.
unsigned char AnsiChar(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] && kCp1252High[i] == c) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

// Decodes UTF-8 text as SDL delivers it; malformed bytes are skipped.
std::u32string DecodeUtf8(const char* s) {
    std::u32string out;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        int extra = 0;
        char32_t c = *p;
        if (c >= 0xF0 && c < 0xF8)
            extra = 3, c &= 0x07;
        else if (c >= 0xE0)
            extra = 2, c &= 0x0F;
        else if (c >= 0xC0)
            extra = 1, c &= 0x1F;
        else if (c >= 0x80) {
            ++p;
            continue;
        }
        ++p;
        bool ok = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (*p & 0x3F);
        }
        if (ok) out.push_back(c);
    }
    return out;
}

bool IsInvisibleDriver(const std::string& driver) {
    return driver == "offscreen" || driver == "dummy";
}

// Whether the video driver was named in SDL_VIDEODRIVER (a comma-separated list).
bool DriverRequested(const std::string& driver) {
    const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!hint) return false;
    const std::string list = std::string(",") + hint + ",";
    return list.find("," + driver + ",") != std::string::npos;
}

}  // namespace

TSdlHost::TSdlHost(TWinControl* form, int scale) : FScale(scale) {
    if (scale < 1 || scale > kMaxScale)
        throw std::invalid_argument("the scale must be 1 to " + std::to_string(kMaxScale) +
                                    ", not " + std::to_string(scale));
    CheckSurfaceSize(*form);
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) throw ENoDisplay(SDL_GetError());
    // Without a window system SDL falls back to drivers whose windows nobody sees; a window
    // there is only what was asked for by name (SDL_VIDEODRIVER=offscreen, as tests do).
    const std::string driver = VideoDriver();
    if (IsInvisibleDriver(driver) && !DriverRequested(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        throw ENoDisplay(
            "no window system to show a window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY is usable; SDL offered only its \"" +
            driver + "\" driver)");
    }
    FOwnsVideo = true;
    // Pixels are enlarged as they are, never smoothed.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    const int w = std::max(1, form->ClientWidth()), h = std::max(1, form->ClientHeight());
    FWindow = SDL_CreateWindow(form->Caption().c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, w * scale, h * scale, SDL_WINDOW_RESIZABLE);
    FTitle = form->Caption();
    if (FWindow) {
        FRenderer = SDL_CreateRenderer(FWindow, -1, 0);
        // Where no accelerated renderer works, the software one does.
        if (!FRenderer) FRenderer = SDL_CreateRenderer(FWindow, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!FRenderer) {
        const std::string error = SDL_GetError();
        if (FWindow) SDL_DestroyWindow(FWindow);
        FWindow = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        FOwnsVideo = false;
        throw ENoDisplay(error);
    }
    SDL_SetWindowMinimumSize(FWindow, scale, scale);
    SDL_StartTextInput();
    FWakeEvent = SDL_RegisterEvents(1);
    if (FWakeEvent != static_cast<Uint32>(-1)) {
        const Uint32 type = FWakeEvent;
        TMessageLoop::Current().SetWakeHandler([type] {
            SDL_Event e{};
            e.type = type;
            SDL_PushEvent(&e);
        });
    }
    Attach(form);
    CreateTexture();
}

TSdlHost::~TSdlHost() {
    TMessageLoop::Current().SetWakeHandler(nullptr);
    Detach();
    if (FTexture) SDL_DestroyTexture(FTexture);
    if (FRenderer) SDL_DestroyRenderer(FRenderer);
    if (FWindow) SDL_DestroyWindow(FWindow);
    if (FOwnsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

unsigned TSdlHost::WindowId() const {
    return SDL_GetWindowID(FWindow);
}

std::string TSdlHost::VideoDriver() {
    const char* name = SDL_GetCurrentVideoDriver();
    return name ? name : "";
}

void TSdlHost::CreateTexture() {
    const TSurface& s = Surface();
    const int w = std::max(1, s.Width()), h = std::max(1, s.Height());
    if (FTexture && w == FTextureWidth && h == FTextureHeight) return;
    if (FTexture) SDL_DestroyTexture(FTexture);
    // The surface's pixel words are 0x00RRGGBB: SDL's RGB888, whose top byte is unused.
    FTexture =
        SDL_CreateTexture(FRenderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!FTexture)
        throw std::runtime_error(std::string("cannot make the window's texture: ") +
                                 SDL_GetError());
    FTextureWidth = w;
    FTextureHeight = h;
    // A new texture holds nothing yet: all of the surface goes into it.
    if (!s.IsEmpty()) Presented(s.Bounds());
}

void TSdlHost::Presented(const TRect& area) {
    const TSurface& s = Surface();
    if (!FTexture || s.Width() != FTextureWidth || s.Height() != FTextureHeight) {
        // The surface changed size since the texture was made; CreateTexture copies it all.
        CreateTexture();
        return;
    }
    const TRect r = IntersectRects(area, s.Bounds());
    if (r.IsEmpty()) return;
    const SDL_Rect rect{r.Left, r.Top, r.Width(), r.Height()};
    SDL_UpdateTexture(FTexture, &rect, s.Row(r.Top) + r.Left,
                      s.Width() * static_cast<int>(sizeof(TPixel)));
    ++FUploads;
    FUploadedPixels += static_cast<long long>(r.Width()) * r.Height();
    FNeedsDraw = true;
}

void TSdlHost::Draw() {
    SDL_SetRenderDrawColor(FRenderer, 0, 0, 0, 255);
    SDL_RenderClear(FRenderer);
    const SDL_Rect dest{0, 0, FTextureWidth * FScale, FTextureHeight * FScale};
    SDL_RenderCopy(FRenderer, FTexture, nullptr, &dest);
}

void TSdlHost::Present() {
    // The window's title follows the form's caption.
    if (TWinControl* form = Root(); form && form->Caption() != FTitle) {
        FTitle = form->Caption();
        SDL_SetWindowTitle(FWindow, FTitle.c_str());
    }
    PaintPending();
    if (!FNeedsDraw) return;
    FNeedsDraw = false;
    Draw();
    SDL_RenderPresent(FRenderer);
}

TSurface TSdlHost::ReadPresentedPixels() {
    // What a renderer holds after presenting is undefined; draw the frame again to read it.
    PaintPending();
    Draw();
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(FRenderer, &w, &h);
    w = std::min(w, FTextureWidth * FScale);
    h = std::min(h, FTextureHeight * FScale);
    TSurface out(std::max(0, w), std::max(0, h));
    if (!out.IsEmpty() &&
        SDL_RenderReadPixels(FRenderer, nullptr, SDL_PIXELFORMAT_RGB888, out.Pixels().data(),
                             w * static_cast<int>(sizeof(TPixel))) != 0)
        throw std::runtime_error(std::string("cannot read the window's pixels: ") + SDL_GetError());
    // Only the low three bytes are the colour.
    for (TPixel& p : out.Pixels()) p &= 0x00FFFFFF;
    SDL_RenderPresent(FRenderer);
    return out;
}

void TSdlHost::Resized(int windowWidth, int windowHeight) {
    TWinControl* form = Root();
    if (!form || windowWidth <= 0 || windowHeight <= 0) return;
    const int w = windowWidth / FScale, h = windowHeight / FScale;
    // One change of both sides, so that the form and the children it realigns get one
    // WM_SIZE each.
    form->SetBounds(form->Left(), form->Top(), form->Width() - form->ClientWidth() + w,
                    form->Height() - form->ClientHeight() + h);
    ResizeSurface();
    CreateTexture();
    FNeedsDraw = true;
}

TPoint TSdlHost::SurfacePoint(int windowX, int windowY) const {
    // Division that rounds down, so that the pixels left of the window map to negative x.
    auto down = [this](int v) { return v >= 0 ? v / FScale : -((-v + FScale - 1) / FScale); };
    return TPoint{down(windowX), down(windowY)};
}

TWinControl* TSdlHost::Target(TPoint p, TPoint& clientPoint) {
    TWinControl* form = Root();
    if (!form) return nullptr;
    TWinControl* target = form->WindowAt(p);
    clientPoint = target->ScreenToClient(p);
    return target;
}

TWinControl* TSdlHost::MouseTarget(TPoint p, TPoint& clientPoint) {
    if (FCapture) {
        clientPoint = FCapture->ScreenToClient(p);
        return FCapture;
    }
    return Target(p, clientPoint);
}

void TSdlHost::ControlDestroyed(const TControl* control) {
    if (FCapture == control) FCapture = nullptr;
    TWindowHost::ControlDestroyed(control);
}

void TSdlHost::MouseButton(const SDL_Event& event, bool down) {
    const SDL_MouseButtonEvent& b = event.button;
    if (b.button != SDL_BUTTON_LEFT && b.button != SDL_BUTTON_RIGHT) return;
    const unsigned mask = SDL_BUTTON(b.button);
    const TPoint p = SurfacePoint(b.x, b.y);
    TPoint client;
    TWinControl* target = MouseTarget(p, client);
    if (!target) return;
    if (down) {
        FButtons |= mask;
        FCapture = target;
    } else {
        FButtons &= ~mask;
    }
    const bool left = b.button == SDL_BUTTON_LEFT;
    UINT msg =
        left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    // The second click of a double click, for windows that ask for double clicks.
    if (down && left && b.clicks >= 2 && b.clicks % 2 == 0 &&
        target->ControlStyle().Contains(csDoubleClicks))
        msg = WM_LBUTTONDBLCLK;
    const Uint16 mod = static_cast<Uint16>(SDL_GetModState());
    SetKeyboardShiftState(ShiftStateOf(mod));
    target->Perform(msg, MouseKeys(FButtons, mod), MakeLParam(client.X, client.Y));
    if (!FButtons) FCapture = nullptr;
}

void TSdlHost::MouseMotion(const SDL_Event& event) {
    const SDL_MouseMotionEvent& m = event.motion;
    TPoint client;
    TWinControl* target = MouseTarget(SurfacePoint(m.x, m.y), client);
    if (!target) return;
    const Uint16 mod = static_cast<Uint16>(SDL_GetModState());
    target->Perform(WM_MOUSEMOVE, MouseKeys(FButtons, mod), MakeLParam(client.X, client.Y));
}

void TSdlHost::MouseWheel(const SDL_Event& event) {
    const SDL_MouseWheelEvent& w = event.wheel;
    int notches = w.y;
    if (w.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
    if (notches == 0) return;
    // The wheel turns what is under the pointer, as today's desktops do.
    const TPoint p = SurfacePoint(w.mouseX, w.mouseY);
    TPoint client;
    TWinControl* target = Target(p, client);
    if (!target) return;
    const Uint16 mod = static_cast<Uint16>(SDL_GetModState());
    const int delta = std::clamp(notches, -273, 273) * kWheelDelta;
    const WPARAM wparam = (MouseKeys(FButtons, mod) & 0xFFFF) |
                          (static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16);
    target->Perform(WM_MOUSEWHEEL, wparam, MakeLParam(p.X, p.Y));
}

void TSdlHost::Key(const SDL_Event& event, bool down) {
    const SDL_KeyboardEvent& k = event.key;
    const TShiftState shift = ShiftStateOf(k.keysym.mod);
    SetKeyboardShiftState(shift);
    const WORD vk = VirtualKey(k.keysym.sym);
    if (!vk) return;
    TWinControl* form = Root();
    if (!form) return;
    if (vk == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        // The dialog key: the focus moves to the next (Shift: previous) tab stop.
        if (down) form->SelectNext(FocusedControl(), !shift.Contains(ssShift), true);
        return;
    }
    TWinControl* target = FocusedControl() ? FocusedControl() : form;
    target->Perform(down ? WM_KEYDOWN : WM_KEYUP, vk, 1);
    // The keys that type a control character, which SDL's text input leaves out.
    if (down && FocusedControl() == target && (vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE))
        target->Perform(WM_CHAR, vk == VK_RETURN ? '\r' : vk == VK_BACK ? '\b' : 0x1B, 1);
}

void TSdlHost::TextInput(const SDL_Event& event) {
    TWinControl* target = FocusedControl();
    if (!target) return;
    for (char32_t c : DecodeUtf8(event.text.text)) {
        const unsigned char ch = AnsiChar(c);
        if (ch && FocusedControl() == target) target->Perform(WM_CHAR, ch, 1);
    }
}

bool TSdlHost::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            FClosed = true;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID != WindowId()) break;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    FClosed = true;
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    Resized(event.window.data1, event.window.data2);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    FNeedsDraw = true;
                    break;
                default:
                    break;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID == WindowId())
                MouseButton(event, event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEMOTION:
            if (event.motion.windowID == WindowId()) MouseMotion(event);
            break;
        case SDL_MOUSEWHEEL:
            if (event.wheel.windowID == WindowId()) MouseWheel(event);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.windowID == WindowId()) Key(event, event.type == SDL_KEYDOWN);
            break;
        case SDL_TEXTINPUT:
            if (event.text.windowID == WindowId()) TextInput(event);
            break;
        default:
            break;
    }
    return !FClosed;
}

bool TSdlHost::PumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
    return !FClosed;
}

int TSdlHost::Run() {
    FClosed = false;
    return RunOnRealClock(
        [this] { Present(); },
        [this](std::optional<TMilliseconds> timeout) {
            SDL_Event event;
            // SDL waits without limit for -1; a tick due now still lets events through first.
            const int ms =
                timeout ? static_cast<int>(std::min<TMilliseconds>(*timeout, INT32_MAX)) : -1;
            if (SDL_WaitEventTimeout(&event, ms)) {
                HandleEvent(event);
                PumpEvents();
            }
            if (FClosed) TMessageLoop::Current().PostQuitMessage(0);
        });
}

// What a program that loads this library only when it opens a window calls.
extern "C" TDesktopHost* QmOpenDesktopHost(TWinControl* form, int scale) {
    static_assert(std::is_same_v<decltype(QmOpenDesktopHost), TOpenDesktopHost>);
    return new TSdlHost(form, scale);
}
