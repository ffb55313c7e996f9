#pragma once
// A large uncompressed 24-bit BMP read reduced while it is read.
//
// Magick's BMP decoder holds the whole pixel data and then the whole picture at 8 bytes a
// pixel: for a 12-megapixel photograph 36 MB and 96 MB of fresh memory, whose first touch
// alone takes most of a second. Such a file is plain rows of blue, green, red bytes, so it is
// read here a few rows at a time and averaged over whole boxes of pixels on the way, down to
// the size asked for; the caller's zoom does the rest as before.

#include "picture_size.h"

#include <Magick++.h>

#include <cstdint>
#include <string_view>

namespace zel::imaging {

enum class Reduction {
    not_taken, // not such a BMP, or not large enough to gain: decode it as usual
    done,      // image holds the reduced picture
    failed,    // such a BMP whose rows could not be read
};

// head holds the file's first bytes (at least its headers), fileSize its length, fd an open
// descriptor of it. When the picture is at least twice cover in both directions, image takes
// it reduced by the largest whole factor that still covers cover, and stored its stored size.
Reduction read_bmp_reduced(int fd, std::string_view head, std::uint64_t fileSize, PictureSize cover,
                           Magick::Image& image, PictureSize& stored);

} // namespace zel::imaging
