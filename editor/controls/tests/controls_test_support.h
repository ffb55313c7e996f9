#pragma once
// Helpers of the control tests: pictures made in memory and registered as resources, beside
// the platform's own test helpers.

#include "zel/platform/platform.h"
#include "zel/platform/testing.h"

#include <functional>
#include <string>

namespace zel::controls::test {

using zel::platform::test::click;
using zel::platform::test::ensure_app;
using zel::platform::test::HookReset;
using zel::platform::test::mouse_leave;
using zel::platform::test::mouse_move;
using zel::platform::test::PopupChoice;
using zel::platform::test::pump;
using zel::platform::test::tool_tip;

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

} // namespace zel::controls::test
