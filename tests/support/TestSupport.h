// Helpers shared by the tests: a form shown on a headless host, pixel checks, goldens.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/TForm.h"
#include "gdi/TSurface.h"
#include "hosts/THeadlessHost.h"

// The calls a paint makes are recorded by the framework's own engine (TCallLog); the system's
// GDI keeps no such record. A test that checks them starts with this, which skips it where the
// system draws; its pixels are checked there by the goldens.
#ifdef _WIN32
#define QM_NEEDS_CALL_LOG() GTEST_SKIP() << "the system's GDI records no calls"
#else
#define QM_NEEDS_CALL_LOG() static_cast<void>(0)
#endif

// A form shown on a headless host, for driving controls as the framework would.
struct TTestForm {
    explicit TTestForm(int clientWidth = 320, int clientHeight = 240);
    ~TTestForm();

    std::unique_ptr<TForm> Form;
    std::unique_ptr<THeadlessHost> Host;

    // Puts a control on the form at the given bounds and shows it.
    template <class T>
    T* Add(T* control, TRect bounds) {
        control->SetBoundsRect(bounds);
        control->SetParent(Form.get());
        return control;
    }
    const TSurface& Render() { return Host->Render(); }
};

// The pixel at (x, y) as 0xRRGGBB.
unsigned PixelRGB(const TSurface& s, int x, int y);

// Compares a surface with tests/goldens/<name>.png. With QM_UPDATE_GOLDENS=1 in the
// environment the golden is written instead. On a mismatch the actual image and a diff image
// are written into the build folder and the message names them.
::testing::AssertionResult MatchesGolden(const TSurface& actual, const std::string& name);
