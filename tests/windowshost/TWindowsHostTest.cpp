// The host of the system's own windows, on a virtual X server under Wine: each windowed control
// is a child window at its bounds and in its z-order, messages the system sends (clicks, keys,
// focus, a resize) reach the controls, the system repaints what the framework invalidates, and
// the system's timer drives the framework's.
#include <gtest/gtest.h>

#include <memory>

#include "controls/TForm.h"
#include "glyphlists/TQELCheckList.h"
#include "loop/TMessageLoop.h"
#include "loop/TTimer.h"
#include "ordered/TOrderedListBox.h"
#include "panels/TQELGradient.h"
#include "windows/TWindowsHost.h"

namespace {

class WindowsWindow : public ::testing::Test {
protected:
    void TearDown() override {
        Host.reset();
        Form.reset();
    }
    void Open(int scale = 1) {
        ASSERT_NO_THROW(Host = std::make_unique<TWindowsHost>(Form.get(), scale));
        Host->Present();
    }
    template <class T>
    T* Add(T* control, TRect bounds) {
        control->SetBoundsRect(bounds);
        control->SetParent(Form.get());
        return control;
    }
    // A press and release of the left button at a point of a control's client area, as the
    // system delivers it to the control's window.
    void Click(const TWinControl* control, TPoint p) {
        HWND w = Host->WindowOf(control);
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(p.X, p.Y));
        SendMessageA(w, WM_LBUTTONUP, 0, MakeLParam(p.X, p.Y));
        Host->PumpMessages();
    }
    static TRect WindowBounds(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        POINT o{r.left, r.top};
        ScreenToClient(GetParent(w), &o);
        return TRect{o.x, o.y, o.x + r.right - r.left, o.y + r.bottom - r.top};
    }

    std::unique_ptr<TForm> Form = [] {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        return form;
    }();
    std::unique_ptr<TWindowsHost> Host;
};

}  // namespace

TEST_F(WindowsWindow, EachWindowedControlIsAChildWindowAtItsBoundsInItsOrder) {
    auto* back = Add(new Qelpanel::TQELGradient(Form.get()), TRect{10, 10, 110, 60});
    auto* front = Add(new Qelpanel::TQELGradient(Form.get()), TRect{50, 30, 150, 90});
    auto* list = Add(new Qellist::TQELCheckList(Form.get()), TRect{10, 100, 140, 190});
    ASSERT_NO_FATAL_FAILURE(Open());
    for (const TWinControl* c : {static_cast<TWinControl*>(back), static_cast<TWinControl*>(front),
                                 static_cast<TWinControl*>(list)}) {
        HWND w = Host->WindowOf(c);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(GetParent(w), Host->Window());
        EXPECT_EQ(WindowBounds(w), c->BoundsRect());
        EXPECT_TRUE(IsWindowVisible(w));
    }
    // The system stacks the later control above: it is the window at their overlap.
    POINT overlap{60, 40};
    EXPECT_EQ(ChildWindowFromPoint(Host->Window(), overlap), Host->WindowOf(front));
    // The list's client area lies inside its sunken border.
    RECT client;
    GetClientRect(Host->WindowOf(list), &client);
    EXPECT_EQ(FromRECT(client), list->ClientRect());

    front->SetBounds(160, 10, 40, 40);
    back->SetVisible(false);
    Host->Present();
    EXPECT_EQ(WindowBounds(Host->WindowOf(front)), front->BoundsRect());
    EXPECT_FALSE(IsWindowVisible(Host->WindowOf(back)));
    delete front;
    Host->Present();
    EXPECT_EQ(Host->WindowOf(front), nullptr);
}

TEST_F(WindowsWindow, ClicksAndKeysFromTheSystemReachTheControls) {
    auto* list = Add(new Qellist::TQELCheckList(Form.get()), TRect{10, 10, 140, 100});
    list->Items()->SetAll({"One", "Two", "Three"});
    auto* ordered = Add(new Qelgroup::TOrderedListBox(Form.get()), TRect{150, 10, 290, 100});
    ordered->Items()->SetAll({"a", "b"});
    ASSERT_NO_FATAL_FAILURE(Open());
    Click(list, TPoint{30, list->ItemHeight() + 2});
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(0));
    // The click gave the list the focus, the system's too; Tab moves it on.
    EXPECT_EQ(Host->FocusedControl(), list);
    EXPECT_EQ(GetFocus(), Host->WindowOf(list));
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(Host->FocusedControl(), ordered);
    EXPECT_EQ(GetFocus(), Host->WindowOf(ordered));
    // The first key selects the caret's item, as the system's list box does; End then moves.
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(ordered->ItemIndex(), 0);
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(ordered->ItemIndex(), 1);
}

TEST_F(WindowsWindow, TheSystemRepaintsWhatTheFrameworkInvalidates) {
    auto* panel = Add(new Qelpanel::TQELGradient(Form.get()), TRect{20, 20, 120, 70});
    panel->SetColorStart(clRed);
    panel->SetColorEnd(clRed);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Host->ReadPresentedPixels().At(60, 40) & 0xFFFFFF, 0xFF0000u);
    panel->SetColorStart(clBlue);
    panel->SetColorEnd(clBlue);
    Host->PumpMessages();
    EXPECT_EQ(Host->ReadPresentedPixels().At(60, 40) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(WindowsWindow, AResizeOfTheWindowResizesTheForm) {
    auto* panel = Add(new Qelpanel::TQELGradient(Form.get()), TRect{0, 0, 10, 10});
    panel->SetAlign(alClient);
    ASSERT_NO_FATAL_FAILURE(Open());
    RECT frame{0, 0, 400, 250};
    AdjustWindowRectEx(&frame, GetWindowLongA(Host->Window(), GWL_STYLE), FALSE, 0);
    SetWindowPos(Host->Window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Host->Present();
    EXPECT_EQ(Form->ClientWidth(), 400);
    EXPECT_EQ(Form->ClientHeight(), 250);
    EXPECT_EQ(WindowBounds(Host->WindowOf(panel)), (TRect{0, 0, 400, 250}));
}

TEST_F(WindowsWindow, TheSystemsTimerDrivesTheFrameworksTicks) {
    ASSERT_NO_FATAL_FAILURE(Open());
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer = [&](TPersistent*) {
        if (++ticks == 3) TMessageLoop::Current().PostQuitMessage(7);
    };
    EXPECT_EQ(Host->Run(), 7);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(TMessageLoop::Current().UsesVirtualClock());
}
