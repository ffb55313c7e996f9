#pragma once
// Helpers for tests of code written on the platform layer (the layer's own tests and the
// controls'): the Qt application on the offscreen platform, event pumping, and input sent
// through Qt so that pre-translation and the layer's own tracking run as for a person.

#include "zel/platform/platform.h"
#include "zel/platform/test_hooks.h"

#include <Qt>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zel::platform::test {

// Makes sure the Qt application exists (offscreen in tests); no test reads or writes the
// person's own profile.
void ensure_app();
// Runs pending events (timers, posted messages, paints) for about `ms` milliseconds, or until
// `done` returns true.
void pump(int ms, const std::function<bool()>& done = {});
// Sends a mouse click (press and release) at client point `p` of `wnd` through Qt.
void click(CWnd& wnd, CPoint p);
// The two halves of a click, for drags: the left button goes down or up at client point `p`.
void mouse_press(CWnd& wnd, CPoint p);
void mouse_release(CWnd& wnd, CPoint p);
// Moves the mouse to client point `p` of `wnd`, with the left button held or not.
void mouse_move(CWnd& wnd, CPoint p, bool leftHeld = false);
// The mouse leaves `wnd`.
void mouse_leave(CWnd& wnd);
// Sends a key press and release through Qt to the focus of `wnd`'s window.
void key(CWnd& wnd, int qtKey, int qtModifiers = 0);
// While it lives, answers the pop-up menus that show (TrackPopupMenu) by choosing their item
// `index`, separators counted.
class PopupChoice {
public:
    explicit PopupChoice(int index);
    ~PopupChoice();
    PopupChoice(const PopupChoice&) = delete;
    PopupChoice& operator=(const PopupChoice&) = delete;
    // How many pop-ups it has answered.
    int answered() const;

private:
    struct Watch;
    std::unique_ptr<Watch> m_watch;
};

// The tooltip Qt shows for `wnd` (empty for none).
std::string tool_tip(CWnd& wnd);
// Saves what Qt shows of `wnd` as a PNG file; false when it cannot be written.
bool save_picture(CWnd& wnd, const std::string& path);

// A PDF page rasterised by pdftoppm (poppler-utils): `pixel(x, y)` is its colour, white
// outside the page; empty (0 x 0) when the file could not be read.
struct RasterPage {
    int width = 0, height = 0;
    COLORREF pixel(int x, int y) const;
    std::vector<unsigned> argb; // rows top first, 0xAARRGGBB
};
RasterPage rasterise_pdf(const std::string& path, int dotsPerInch, int page = 1);

// Restores every hook and the profile after each test.
struct HookReset {
    ~HookReset();
};

} // namespace zel::platform::test
