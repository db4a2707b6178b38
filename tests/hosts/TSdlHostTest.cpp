// The window host, driven through SDL's own event queue on its offscreen video driver, so that
// no display is needed: synthetic clicks, keys, wheel turns, resizes and closes become the
// framework's messages, and what the form paints reaches the window.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <thread>

#include "controls/TForm.h"
#include "glyphlists/TQELCheckList.h"
#include "glyphlists/TQELRadioList.h"
#include "hosts/OffscreenWindows.h"
#include "sdl/TSdlHost.h"
#include "loop/TMessageLoop.h"
#include "loop/TTimer.h"
#include "ordered/TOrderedListBox.h"
#include "ordered/TOrderedTabSet.h"
#include "panels/TQELGradient.h"
#include "panels/TScrollingArea.h"

namespace {

// A windowed control that counts the WM_SIZE messages it gets.
class TSizeProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    int Sizes = 0;
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_SIZE) ++Sizes;
        TWinControl::Dispatch(message);
    }
};

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override { UseOffscreenWindows(); }
    void TearDown() override {
        Host.reset();
        Form.reset();
    }

    void Open(int scale = 1) {
        ASSERT_NO_THROW(Host = std::make_unique<TSdlHost>(Form.get(), scale));
        Host->Present();
    }
    template <class T>
    T* Add(T* control, TRect bounds) {
        control->SetBoundsRect(bounds);
        control->SetParent(Form.get());
        return control;
    }

    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    // A press and release of a mouse button at a point of the window.
    void Click(TPoint windowPoint, Uint8 button = SDL_BUTTON_LEFT, Uint8 clicks = 1) {
        for (Uint32 type : {Uint32{SDL_MOUSEBUTTONDOWN}, Uint32{SDL_MOUSEBUTTONUP}}) {
            SDL_Event e{};
            e.type = type;
            e.button.windowID = Host->WindowId();
            e.button.button = button;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.clicks = clicks;
            e.button.x = windowPoint.X;
            e.button.y = windowPoint.Y;
            Push(e);
        }
        Host->PumpEvents();
    }
    // The centre of a rectangle given in a control's client coordinates, in the window.
    TPoint Centre(const TControl* control, const TRect& clientRect) const {
        const TPoint o = control->ClientOrigin();
        return TPoint{(o.X + (clientRect.Left + clientRect.Right) / 2) * Host->Scale(),
                      (o.Y + (clientRect.Top + clientRect.Bottom) / 2) * Host->Scale()};
    }
    void Key(SDL_Keycode key, Uint16 mod = KMOD_NONE) {
        for (Uint32 type : {Uint32{SDL_KEYDOWN}, Uint32{SDL_KEYUP}}) {
            SDL_Event e{};
            e.type = type;
            e.key.windowID = Host->WindowId();
            e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.key.keysym.sym = key;
            e.key.keysym.mod = mod;
            Push(e);
        }
        Host->PumpEvents();
    }
    void WindowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = Host->WindowId();
        e.window.event = kind;
        e.window.data1 = data1;
        e.window.data2 = data2;
        Push(e);
    }

    std::unique_ptr<TForm> Form = MakeForm(320, 240);
    std::unique_ptr<TSdlHost> Host;

private:
    static std::unique_ptr<TForm> MakeForm(int w, int h) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetCaption("Window test");
        form->SetClientWidth(w);
        form->SetClientHeight(h);
        return form;
    }
};

// ---- Mouse and keyboard ----

TEST_F(SdlWindow, AClickSelectsTheItemUnderThePointerInEveryList) {
    auto* check = Add(new Qellist::TQELCheckList(Form.get()), TRect{0, 0, 100, 100});
    auto* radio = Add(new Qellist::TQELRadioList(Form.get()), TRect{100, 0, 200, 100});
    auto* ordered = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{200, 0, 300, 100});
    for (TCustomListBox* list :
         {static_cast<TCustomListBox*>(check), static_cast<TCustomListBox*>(radio),
          static_cast<TCustomListBox*>(ordered)})
        list->Items()->SetAll({"One", "Two", "Three"});
    Open();

    Click(Centre(check, check->ItemRect(1)));
    EXPECT_TRUE(check->Selected(1));
    EXPECT_FALSE(check->Selected(0));
    EXPECT_EQ(Host->FocusedControl(), check);
    Click(Centre(check, check->ItemRect(1)));
    EXPECT_FALSE(check->Selected(1)) << "a second click on a check list item clears it";

    Click(Centre(radio, radio->ItemRect(2)));
    EXPECT_EQ(radio->ItemIndex(), 2);
    EXPECT_EQ(Host->FocusedControl(), radio);

    Click(Centre(ordered, ordered->ItemRect(0)));
    EXPECT_EQ(ordered->ItemIndex(), 0);
    EXPECT_EQ(Host->FocusedControl(), ordered);
}

TEST_F(SdlWindow, ClicksLandOnTheRightPixelAtEveryScale) {
    auto* radio = Add(new Qellist::TQELRadioList(Form.get()), TRect{10, 20, 110, 120});
    radio->Items()->SetAll({"One", "Two", "Three", "Four"});
    Open(3);
    // The top pixel row of item 2, in screen pixels: the three rows of that form pixel.
    const TRect item = radio->ItemRect(2);
    const TPoint o = radio->ClientOrigin();
    for (int dy = 0; dy < 3; ++dy) {
        radio->SetItemIndex(-1);
        Click(TPoint{(o.X + item.Left + 5) * 3, (o.Y + item.Top) * 3 + dy});
        EXPECT_EQ(radio->ItemIndex(), 2) << "row " << dy;
    }
    radio->SetItemIndex(-1);
    Click(TPoint{(o.X + item.Left + 5) * 3, (o.Y + item.Top) * 3 - 1});
    EXPECT_EQ(radio->ItemIndex(), 1) << "the screen row above belongs to the item above";
}

TEST_F(SdlWindow, KeysMoveTheSelectionOfTheFocusedList) {
    auto* radio = Add(new Qellist::TQELRadioList(Form.get()), TRect{0, 0, 100, 100});
    auto* ordered = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{100, 0, 200, 100});
    radio->Items()->SetAll({"One", "Two", "Three"});
    ordered->Items()->SetAll({"Alpha", "Beta", "Gamma"});
    Open();

    Click(Centre(radio, radio->ItemRect(0)));
    Key(SDLK_DOWN);
    EXPECT_EQ(radio->ItemIndex(), 1);
    Key(SDLK_END);
    EXPECT_EQ(radio->ItemIndex(), 2);
    EXPECT_EQ(ordered->ItemIndex(), -1) << "keys go to the focused list only";

    Click(Centre(ordered, ordered->ItemRect(0)));
    Key(SDLK_DOWN);
    EXPECT_EQ(ordered->ItemIndex(), 1);
    EXPECT_EQ(radio->ItemIndex(), 2);

    // Typed text finds the next item that starts with the letter.
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = Host->WindowId();
    SDL_strlcpy(e.text.text, "g", sizeof e.text.text);
    Push(e);
    Host->PumpEvents();
    EXPECT_EQ(ordered->ItemIndex(), 2);
}

TEST_F(SdlWindow, TabMovesTheFocusInTabOrderAndShiftTabBack) {
    auto* a = Add(new Qellist::TQELRadioList(Form.get()), TRect{0, 0, 100, 100});
    auto* b = Add(new Qellist::TQELCheckList(Form.get()), TRect{100, 0, 200, 100});
    auto* c = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{200, 0, 300, 100});
    auto* marquee = Add(new Qelpanel::TScrollingArea(Form.get()), TRect{0, 120, 300, 140});
    c->SetTabOrder(0);  // c, a, b
    Open();
    ASSERT_EQ(Host->FocusedControl(), nullptr);

    Key(SDLK_TAB);
    EXPECT_EQ(Host->FocusedControl(), c);
    Key(SDLK_TAB);
    EXPECT_EQ(Host->FocusedControl(), a);
    Key(SDLK_TAB);
    EXPECT_EQ(Host->FocusedControl(), b);
    Key(SDLK_TAB);
    EXPECT_EQ(Host->FocusedControl(), c) << "the marquee is no tab stop; the order wraps";
    Key(SDLK_TAB, KMOD_LSHIFT);
    EXPECT_EQ(Host->FocusedControl(), b);
    a->SetEnabled(false);
    Key(SDLK_TAB, KMOD_LSHIFT);
    EXPECT_EQ(Host->FocusedControl(), c) << "a disabled control is passed over";
    (void)marquee;
}

TEST_F(SdlWindow, AClickOnATabSelectsIt) {
    auto* tabs = Add(new Qelgroup::TOrderedTabSet(Form.get()), TRect{0, 0, 300, 25});
    tabs->Tabs()->Add("Third");
    Open();
    ASSERT_EQ(tabs->TabIndex(), 0);
    Click(Centre(tabs, tabs->TabRect(2)));
    EXPECT_EQ(tabs->TabIndex(), 2);
    Click(Centre(tabs, tabs->TabRect(1)));
    EXPECT_EQ(tabs->TabIndex(), 1);
}

TEST_F(SdlWindow, TheWheelScrollsTheListUnderThePointer) {
    auto* list = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{0, 0, 120, 60});
    for (int i = 0; i < 40; ++i) list->Items()->Add("Item " + std::to_string(i));
    Open();
    ASSERT_EQ(list->TopIndex(), 0);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = Host->WindowId();
    e.wheel.y = -1;  // towards the user: down the list
    e.wheel.mouseX = 30;
    e.wheel.mouseY = 30;
    Push(e);
    Host->PumpEvents();
    EXPECT_GT(list->TopIndex(), 0);
}

TEST_F(SdlWindow, TheWindowHoldsTheMouseWhileAButtonIsDown) {
    auto* list = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{0, 0, 120, 100});
    auto* other = Add(new Qellist::TQELRadioList(Form.get()), TRect{150, 0, 250, 100});
    list->Items()->SetAll({"One", "Two", "Three"});
    other->Items()->SetAll({"One", "Two", "Three"});
    Open();
    const TPoint inList = Centre(list, list->ItemRect(0));
    const TPoint inOther = Centre(other, other->ItemRect(2));
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.windowID = Host->WindowId();
    down.button.button = SDL_BUTTON_LEFT;
    down.button.clicks = 1;
    down.button.x = inList.X;
    down.button.y = inList.Y;
    Push(down);
    SDL_Event up = down;
    up.type = SDL_MOUSEBUTTONUP;
    up.button.x = inOther.X;
    up.button.y = inOther.Y;
    Push(up);
    Host->PumpEvents();
    EXPECT_EQ(other->ItemIndex(), -1) << "the release belongs to the list that was pressed";
    EXPECT_EQ(Host->FocusedControl(), list);
    // Once released, the next press goes where the pointer is.
    Click(inOther);
    EXPECT_EQ(other->ItemIndex(), 2);
}

// ---- Time, size, closing ----

TEST_F(SdlWindow, TheMarqueeTicksAtItsOwnPaceOnTheRealClock) {
    auto* marquee = Add(new Qelpanel::TScrollingArea(Form.get()), TRect{0, 0, 300, 20});
    marquee->SetCaption("News");
    Open();
    ASSERT_EQ(marquee->Interval(), 100);
    const int start = marquee->TextOffset();
    const int step = marquee->ScrollStep();
    ASSERT_GT(step, 0);
    // 1 s of real time; 300 pixels leave room for more steps than that can bring.
    TTimer stop(nullptr);
    stop.SetInterval(1000);
    stop.OnTimer = [](TPersistent*) { TMessageLoop::Current().PostQuitMessage(7); };
    EXPECT_EQ(Host->Run(), 7);
    const int ticks = (start - marquee->TextOffset()) / step;
    EXPECT_GE(ticks, 5);
    EXPECT_LE(ticks, 15);
    EXPECT_TRUE(TMessageLoop::Current().UsesVirtualClock()) << "Run gives the clock back";
}

TEST_F(SdlWindow, ResizingTheWindowResizesClientAlignedControls) {
    auto* probe = Add(new TSizeProbe(Form.get()), TRect{0, 0, 50, 50});
    probe->SetAlign(alClient);
    auto* fixed = Add(new TSizeProbe(Form.get()), TRect{5, 5, 20, 20});
    Open(2);
    ASSERT_EQ(probe->Width(), 320);
    const int sizes = probe->Sizes, fixedSizes = fixed->Sizes;

    SDL_SetWindowSize(SDL_GetWindowFromID(Host->WindowId()), 500, 300);
    Host->PumpEvents();
    EXPECT_EQ(Form->ClientWidth(), 250) << "window pixels over the scale";
    EXPECT_EQ(Form->ClientHeight(), 150);
    EXPECT_EQ(probe->BoundsRect(), (TRect{0, 0, 250, 150}));
    EXPECT_EQ(probe->Sizes, sizes + 1) << "one WM_SIZE for the new size";
    EXPECT_EQ(fixed->Sizes, fixedSizes);
    EXPECT_EQ(fixed->BoundsRect(), (TRect{5, 5, 20, 20}));
    EXPECT_EQ(Host->Surface().Width(), 250);

    // The new surface is painted and presented whole.
    Host->Present();
    const TSurface shown = Host->ReadPresentedPixels();
    EXPECT_EQ(shown.Width(), 500);
    EXPECT_EQ(shown.Height(), 300);
}

TEST_F(SdlWindow, ClosingTheWindowEndsTheLoop) {
    Open();
    WindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(Host->Run(), 0);
    // An application's quit event ends it too.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    EXPECT_EQ(Host->Run(), 0);
}

TEST_F(SdlWindow, AQuitPostedFromAnotherThreadEndsAWaitWithoutTimers) {
    Open();
    ASSERT_EQ(TMessageLoop::Current().TimerCount(), 0);
    TMessageLoop& loop = TMessageLoop::Current();
    std::thread other([&loop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        loop.PostQuitMessage(3);
    });
    EXPECT_EQ(Host->Run(), 3);
    other.join();
}

// ---- What reaches the window ----

TEST_F(SdlWindow, TheWindowShowsTheSurfaceScaledWithoutSmoothing) {
    auto* g = Add(new Qelpanel::TQELGradient(Form.get()), TRect{10, 10, 200, 120});
    g->SetGradientType(Qelpanel::gtConical);
    g->SetCaption("Scaled");
    Open(2);
    const TSurface& surface = Host->Surface();
    const TSurface shown = Host->ReadPresentedPixels();
    ASSERT_EQ(shown.Width(), surface.Width() * 2);
    ASSERT_EQ(shown.Height(), surface.Height() * 2);
    int mismatches = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            if (shown.At(x, y) != (surface.At(x / 2, y / 2) & 0x00FFFFFF)) ++mismatches;
    EXPECT_EQ(mismatches, 0) << "each pixel is a 2 x 2 block of its own colour";
}

TEST_F(SdlWindow, OnlyWhatChangedIsCopiedToTheWindow) {
    auto* g = Add(new Qelpanel::TQELGradient(Form.get()), TRect{10, 10, 60, 40});
    auto* marquee = Add(new Qelpanel::TScrollingArea(Form.get()), TRect{0, 200, 200, 218});
    marquee->SetCaption("Moving");
    marquee->SetEnabled(false);
    Open();
    const long long before = Host->UploadedPixels();
    Host->Present();
    EXPECT_EQ(Host->UploadedPixels(), before) << "nothing changed, nothing copied";

    g->SetColorStart(clRed);
    Host->Present();
    EXPECT_EQ(Host->UploadedPixels() - before, 50 * 30) << "just the panel's rectangle";

    // The marquee paints on its own on a tick, outside the paint pass.
    const long long beforeTick = Host->UploadedPixels();
    marquee->ShiftText(marquee);
    Host->Present();
    EXPECT_EQ(Host->UploadedPixels() - beforeTick, 200 * 18);
    const TSurface shown = Host->ReadPresentedPixels();
    EXPECT_EQ(shown, Host->Surface()) << "the window shows what the form painted";
}

// ---- Without a display ----

TEST(SdlWindowWithoutDisplay, OpeningSaysWhyAndLeavesTheFormAsItWas) {
    setenv("SDL_VIDEODRIVER", "nonexistent-driver", 1);
    TForm form(nullptr);
    form.SetClientWidth(100);
    form.SetClientHeight(50);
    try {
        TSdlHost host(&form);
        FAIL() << "a window opened without a video driver";
    } catch (const ENoDisplay& e) {
        EXPECT_STRNE(e.what(), "");
    }
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_EQ(form.Host(), nullptr);
    UseOffscreenWindows();
}

TEST(SdlWindowScale, OutOfRangeIsRefused) {
    UseOffscreenWindows();
    TForm form(nullptr);
    EXPECT_THROW(TSdlHost(&form, 0), std::invalid_argument);
    EXPECT_THROW(TSdlHost(&form, TSdlHost::kMaxScale + 1), std::invalid_argument);
}

}  // namespace
