#pragma once
// The binary records that FindResource hands out for resources registered in code, in the
// layouts that readers of real resources walk.

#include "zel/platform/resources.h"

#include <QByteArray>

#include <vector>

namespace zel::platform::detail {

// The standard menu template: a 4-byte header (version 0, offset 0), then per item a flags
// word, a command word unless the item is a pop-up, and its text as zero-terminated UTF-16;
// a pop-up's items follow it, and MF_END marks the last item of each level.
QByteArray menu_template_record(const std::vector<MenuItemTemplate>& items);

// The standard toolbar record: words version 1, button width, button height, button count,
// then one command per button (0 for a separator).
QByteArray toolbar_record(int buttonWidth, int buttonHeight, const std::vector<UINT>& commands);

} // namespace zel::platform::detail
