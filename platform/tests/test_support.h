#pragma once
// Shared helpers of the platform tests: a Qt application for the offscreen platform, event
// pumping, and message recording.

#include "zel/platform/platform.h"

#include <Qt>

#include <functional>
#include <string>
#include <vector>

namespace zel::platform::test {

// Makes sure the Qt application exists (offscreen in tests).
void ensure_app();
// Runs pending events (timers, posted messages, paints) for about `ms` milliseconds, or until
// `done` returns true.
void pump(int ms, const std::function<bool()>& done = {});
// Sends a mouse click (press and release) at client point `p` of `wnd` through Qt.
void click(CWnd& wnd, CPoint p);
// Sends a key press and release through Qt to the focus of `wnd`'s window.
void key(CWnd& wnd, int qtKey, int qtModifiers = 0);

// Restores every hook and the profile after each test.
struct HookReset {
    ~HookReset();
};

} // namespace zel::platform::test
