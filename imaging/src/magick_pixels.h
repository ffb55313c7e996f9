#pragma once
// Copies between Magick pictures (top line first) and pixel arrays (row 0 at the bottom).

#include "picture_size.h"
#include "zel/imaging.h"

#include <Magick++.h>

namespace zel::imaging {

// Copies image into arr: picture line j goes to row rows-1-j, r, g and b only (the spare byte
// stays). arr holds capCols x capRows; a picture that does not fit, or one under 2 x 2, is
// refused with false and leaves cols, rows and arr alone. Else *cols and *rows take its size.
bool image_to_pixels(const Magick::Image& image, _pixel** arr, int capCols, int capRows, int* cols,
                     int* rows);

// A direct-class picture of cols x rows from arr (row 0 at the bottom). Up to the working
// size, its pixel memory is the library's own and is reused by the next call of the same size
// (Magick copies it first when the picture handed out is still alive); one thread only.
Magick::Image pixels_to_image(_pixel** arr, int cols, int rows);

// Zooms image, which shows a picture of the stored size (perhaps already reduced), to exactly
// size, unless it already has that size.
void zoom_to(Magick::Image& image, PictureSize size);

} // namespace zel::imaging
