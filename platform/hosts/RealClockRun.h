// How a window host runs the thread's message loop: on the real clock, with an idle handler
// that paints and presents after each round and a wait for the host's own events.
#pragma once

#include <functional>

#include "loop/TMessageLoop.h"

// Runs the loop until PostQuitMessage and returns its exit code. The loop is back on its
// virtual clock afterwards, and the idle handler gone, whichever way Run ends.
int RunOnRealClock(const std::function<void()>& idle, const TMessageLoop::TWaitFunction& wait);
