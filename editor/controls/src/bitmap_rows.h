#pragma once
// Reading a bitmap's pixels back as device-independent rows: the one way the controls (and
// their tests) look at the pixels of a picture.

#include "zel/platform/platform.h"

#include <vector>

namespace zel::controls {

// The first `height` rows of `bitmap`, cut or filled with black to `width` columns, at
// `bitsPerPixel` 24 (blue, green, red) or 32 (blue, green, red, 0) bits, each row padded to
// whole 4-byte words, from the top line down or from the bottom line up. Empty when they cannot
// be read.
std::vector<BYTE> read_bitmap_rows(HBITMAP bitmap, int width, int height, int bitsPerPixel,
                                   bool topDown);

} // namespace zel::controls
