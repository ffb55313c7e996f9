#pragma once
// The bitmap header as the loaders report it beside a pixel array.

#include "zel/imaging.h"

#include <cstdio>

namespace zel::imaging {

// Reads type, file size, both reserved words, data offset, info size, width and height
// (little-endian) from the start of file; fields the file is too short for are 0. The rest
// describes the 32-bit rows the loaders deliver: 1 plane, 32 bits, no compression, zero sizes
// and resolutions. The palette pointer is not touched.
void bmp_header_read(_BmpHeader* hdr, std::FILE* file);

} // namespace zel::imaging
