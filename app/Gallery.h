// The built-in gallery form: every control of the package in its typical states.
#pragma once

#include <memory>

#include "controls/TForm.h"
#include "loop/TClock.h"

namespace Gallery {

constexpr int kWidth = 680;
constexpr int kHeight = 520;

// The gallery as a form owning all its controls.
std::unique_ptr<TForm> Build();

// Each family of controls fills its own band of the form.
void AddPanels(TForm& form, const TRect& area);
void AddLists(TForm& form, const TRect& area);
void AddOrdered(TForm& form, const TRect& area);

// How long the gallery runs before it is pictured, so that the marquee's caption has come
// into view from the right.
TMilliseconds MarqueeLeadTime();

}  // namespace Gallery
