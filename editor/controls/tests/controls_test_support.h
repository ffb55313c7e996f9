#pragma once
// Helpers of the control tests: the Qt application on the offscreen platform, event pumping,
// mouse input through Qt, pictures made in memory and registered as resources.

#include "zel/platform/platform.h"

#include <functional>
#include <string>

namespace zel::controls::test {

void ensure_app();
// Runs pending events for about `ms` milliseconds, or until `done` returns true.
void pump(int ms, const std::function<bool()>& done = {});
// Mouse input at client point `p` of `wnd`, through Qt (so pre-translation and the platform's
// own tracking run as for a person).
void mouse_move(CWnd& wnd, CPoint p, bool leftHeld = false);
void mouse_leave(CWnd& wnd);
// A screen-compatible bitmap of `width` x `height` filled by `paint`.
HBITMAP make_bitmap(int width, int height, const std::function<void(CDC&)>& paint);
// Writes `bitmap` as a 24-bit BMP into the work folder and registers it as picture `id` of
// `kind` (IMAGE_BITMAP or IMAGE_ICON).
void register_picture(UINT kind, UINT id, HBITMAP bitmap);
COLORREF pixel(HBITMAP bitmap, int x, int y);
// Toolbar kTestToolbar: 16 x 16 buttons for commands 701, (a separator), 702 and 703; its strip
// (bitmap kTestToolbar: red, green and blue squares on the face colour) is compiled in.
constexpr UINT kTestToolbar = 9601;
void register_test_toolbar();
// Writes `bitmap` as a 24-bit BMP file.
void save_bmp(HBITMAP bitmap, const std::string& path);
// Restores the platform's hooks after each test.
struct HookReset {
    ~HookReset();
};

} // namespace zel::controls::test
