#pragma once
// Screen copies: the 24-bit device-independent rows from which the view and the dialogs draw
// their pictures. A copy is built from a colour array or a face drawing and is drawn with a
// bottom-up header, so row 0 of the copy is row 0 of the array: the bottom line of the picture.

#include <zel/imaging.h>
#include <zel/platform/gdi.h>

#include <vector>

namespace zel::dialogs {

/// Bytes of one row: three a pixel, padded to a multiple of four.
int screen_row_bytes(int width);

/// The rows of a colour array: blue, green and red of each pixel, each row padded with `pad`.
/// Empty when a size is not positive or the array is null.
std::vector<unsigned char> screen_bits_from_pixels(_pixel* const* pixels, int width, int height,
                                                   unsigned char pad);

/// The rows of a face drawing (0 ink, 1 paper): each byte times 192 in all three components,
/// so ink is black on grey 192. Empty when a size is not positive or the drawing is null.
std::vector<unsigned char> screen_bits_from_drawing(unsigned char* const* drawing, int width,
                                                    int height, unsigned char pad);

/// Reads a face copy back into a drawing: (first byte of each pixel + 1) / 192, so bytes 191
/// to 255 give paper and 0 to 190 give ink; pad bytes are skipped. `bits` holds `height` rows
/// of screen_row_bytes(width) bytes.
void drawing_from_screen_bits(const unsigned char* bits, int width, int height,
                              unsigned char* const* drawing);

/// The header that describes such rows: bottom-up, one plane, 24 bits, no compression, image
/// size = row bytes x height.
BITMAPINFOHEADER screen_info(int width, int height);

} // namespace zel::dialogs
