#pragma once
// Magick++ set-up done once when the library is loaded, and the library's shared picture.

#include <Magick++.h>

namespace zel::imaging {

// Largest picture side, area and pixel memory accepted from any file; a file that claims more
// is refused before its pixels are allocated.
inline constexpr unsigned max_picture_side = 16384;
inline constexpr unsigned long long max_picture_area = 64ull * 1024 * 1024;
inline constexpr unsigned long long max_picture_memory = 256ull * 1024 * 1024;

// The one picture that Mimage_read and Mimage_save share for the library's whole life.
Magick::Image& shared_image();

} // namespace zel::imaging
