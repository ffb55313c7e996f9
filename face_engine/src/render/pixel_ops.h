#pragma once
// Small pixel operations of the engine. Arrays are row tables; extents are the caller's to
// keep within the arrays.

#include <zel/face_engine.h>

namespace zel::engine {

// All four bytes of every pixel; nothing when either array is null.
void pixel_array_copy(_pixel** target, _pixel** source, int cols, int rows);
// r = g = b = grey, spare 0.
void pixel_array_fill_grey(_pixel** arr, int cols, int rows, unsigned char grey);
// r, g, b of colour, spare 0.
void pixel_array_fill_color(_pixel** arr, int cols, int rows, _pixel colour);
// Every byte = value.
void bw_array_fill(unsigned char** arr, int cols, int rows, unsigned char value);
// r, g and b equal (spare ignored).
inline bool color_equal(_pixel a, _pixel b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace zel::engine
