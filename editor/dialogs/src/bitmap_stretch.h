#pragma once
// Drawing part of a bitmap resource stretched into a rectangle of a dialog.

#include "zel/platform/platform.h"

namespace zel::dialogs {

/// Stretches the part `source` (pixels) of bitmap resource `bitmapId` into `target`, given in
/// the dialog units of `dialog`, smoothing as it scales. False when the bitmap cannot be
/// loaded.
bool draw_bitmap_stretched(CDC& dc, const CDialog& dialog, UINT bitmapId, const RECT& source,
                           const RECT& target);

} // namespace zel::dialogs
