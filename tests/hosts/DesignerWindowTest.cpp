// The designer's window on SDL's offscreen driver, driven by synthetic events as a user drives
// it: a palette button and a drag place a control, a handle resizes it, typing in the
// inspector sets a property, Ctrl+Z undoes, F9 opens the preview, closing asks first.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/TLoadedPackage.h"
#include "controls/TSpeedButton.h"
#include "designer/TDesignSurface.h"
#include "designer/TDesigner.h"
#include "designer/TDesignerWindow.h"
#include "designer/TObjectInspector.h"
#include "designer/window/TDesignerSession.h"
#include "hosts/OffscreenWindows.h"
#include "sdl/TSdlHost.h"

namespace {

class DesignerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        UseOffscreenWindows();
        Package.emplace(TLoadedPackage::DefaultFileName());
        Package->RegisterUnits();
        TDesignerWindowOptions options;
        options.Package = Package->Module();
        ASSERT_NO_THROW(Session = std::make_unique<TDesignerSession>(options));
    }
    void TearDown() override {
        Session.reset();
        Package.reset();
    }

    TDesigner& Designer() { return Session->Designer(); }
    TDesignerWindow& Window() { return Session->Window(); }

    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    void Button(TPoint p, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = Session->Host().WindowId();
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = p.X;
        e.button.y = p.Y;
        Push(e);
    }
    void Motion(TPoint p) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = Session->Host().WindowId();
        e.motion.state = SDL_BUTTON_LMASK;
        e.motion.x = p.X;
        e.motion.y = p.Y;
        Push(e);
    }
    // A press, moves in steps, and a release, from one window point to another.
    void Drag(TPoint from, TPoint to) {
        Button(from, true);
        for (int i = 1; i <= 4; ++i)
            Motion(TPoint{from.X + (to.X - from.X) * i / 4, from.Y + (to.Y - from.Y) * i / 4});
        Button(to, false);
        Session->PumpEvents();
    }
    void Click(TPoint p) {
        Button(p, true);
        Button(p, false);
        Session->PumpEvents();
    }
    void Key(SDL_Keycode key, Uint16 mod = KMOD_NONE) {
        for (Uint32 type : {Uint32{SDL_KEYDOWN}, Uint32{SDL_KEYUP}}) {
            SDL_Event e{};
            e.type = type;
            e.key.windowID = Session->Host().WindowId();
            e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.key.keysym.sym = key;
            e.key.keysym.mod = mod;
            Push(e);
        }
        Session->PumpEvents();
    }
    void Type(const char* text) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = Session->Host().WindowId();
        SDL_strlcpy(e.text.text, text, sizeof e.text.text);
        Push(e);
        Session->PumpEvents();
    }
    // A point of the designed form's client area, in the window.
    TPoint OnForm(int x, int y) {
        TDesignSurface* s = Window().Surface();
        const TPoint o = s->ClientOrigin(), f = s->FormOrigin();
        return TPoint{o.X + f.X + x, o.Y + f.Y + y};
    }
    static TPoint CentreOf(const TControl* c) {
        const TPoint o = c->ClientOrigin();
        return TPoint{o.X + c->Width() / 2, o.Y + c->Height() / 2};
    }

    std::optional<TLoadedPackage> Package;
    std::unique_ptr<TDesignerSession> Session;
};

TEST_F(DesignerWindow, APaletteButtonAndADragPlaceThatClassAndAHandleResizesIt) {
    TSpeedButton* button = Window().PaletteButton("TQELGradient");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Window().PalettePages().front(), "QEL");
    EXPECT_EQ(button->Glyph()->Width(), 24);
    Click(CentreOf(button));
    EXPECT_TRUE(button->Down());
    Drag(OnForm(16, 16), OnForm(120, 80));
    auto* gradient = dynamic_cast<TControl*>(Designer().FindComponent("QELGradient1"));
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->BoundsRect(), (TRect{16, 16, 120, 80}));
    EXPECT_FALSE(button->Down()) << "after one placement the palette is back to selecting";

    // The bottom-right handle, dragged 40 pixels right and down.
    Drag(OnForm(119, 79), OnForm(159, 119));
    EXPECT_EQ(gradient->BoundsRect(), (TRect{16, 16, 160, 120}));
    EXPECT_EQ(Designer().UndoCount(), 2);
}

TEST_F(DesignerWindow, TypingInTheInspectorSetsAPropertyAndRepaints) {
    Designer().Place("TQELGradient", TRect{16, 16, 120, 80});
    Session->Present();
    TObjectInspector* inspector = Window().Inspector();
    const int row = inspector->RowOf("Caption");
    ASSERT_GE(row, 0);
    const TRect cell = inspector->RowRect(row);
    const TPoint o = inspector->ClientOrigin();
    const int uploads = Session->Host().UploadCount();
    Click(TPoint{o.X + inspector->Split() + 20, o.Y + cell.Top + 8});
    Type("Hello");
    Key(SDLK_RETURN);
    auto* gradient = dynamic_cast<TControl*>(Designer().FindComponent("QELGradient1"));
    EXPECT_EQ(gradient->Caption(), "Hello");
    EXPECT_EQ(inspector->RowValue(row), "Hello");
    EXPECT_GT(Session->Host().UploadCount(), uploads);

    // Ctrl+Z takes the caption back, and the inspector shows it.
    Key(SDLK_z, KMOD_CTRL);
    gradient = dynamic_cast<TControl*>(Designer().FindComponent("QELGradient1"));
    EXPECT_EQ(gradient->Caption(), "QELGradient1");
    EXPECT_EQ(Window().Inspector()->RowValue(Window().Inspector()->RowOf("Caption")),
              "QELGradient1");
    // A letter where a number goes is refused, with a message, and changes nothing.
    const int left = inspector->RowOf("Left");
    Click(TPoint{o.X + inspector->Split() + 20, o.Y + inspector->RowRect(left).Top + 8});
    Type("x");
    Key(SDLK_RETURN);
    EXPECT_EQ(gradient->Left(), 16);
    EXPECT_NE(Window().StatusText().find("Left"), std::string::npos) << Window().StatusText();
}

TEST_F(DesignerWindow, F9ShowsThePreviewAndClosingAnEditedFormAsksFirst) {
    Designer().Place("TScrollingArea", TRect{8, 8, 208, 26});
    Key(SDLK_F9);
    ASSERT_NE(Session->PreviewHost(), nullptr);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = Session->PreviewHost()->WindowId();
    Push(close);
    Session->PumpEvents();
    EXPECT_EQ(Session->PreviewHost(), nullptr);

    close.window.windowID = Session->Host().WindowId();
    Push(close);
    Session->PumpEvents();
    EXPECT_TRUE(Window().Asking());
}

}  // namespace
