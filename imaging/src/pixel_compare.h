#pragma once
// Colour tests shared by the pastes, the background probe and the rotation clean-up.

#include "zel/imaging.h"

#include <cstdlib>

namespace zel::imaging {

// Equal in r, g and b; the spare byte does not count.
inline bool pixel_equal(_pixel a, _pixel b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Near a key colour: the summed channel distance is at most 35.
inline bool pixel_near(_pixel a, _pixel b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 35;
}

// Copies r, g and b, keeping the destination's spare byte.
inline void copy_rgb(_pixel& dst, _pixel src) {
    dst.r = src.r;
    dst.g = src.g;
    dst.b = src.b;
}

} // namespace zel::imaging
