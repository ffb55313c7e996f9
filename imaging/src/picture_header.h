#pragma once
// What a picture file claims about itself, read from its header before anything is decoded.
//
// A decoder handed a small file whose header claims a large picture allocates and fills the
// whole picture before it finds the data missing: a 151-byte TGA kept every reader busy for
// half a second. The claims are held against the file's length first, so such a file is
// refused in microseconds.

#include <string_view>

namespace zel::imaging {

struct PictureClaim {
    // False when the header claims more pixel data than the file can hold (an uncompressed
    // picture larger than the file, a run-length stream that ends before the picture does).
    bool fits = true;
    // The stored size the header gives, whether it fits or not; 0 when it gives none that is
    // usable.
    int cols = 0;
    int rows = 0;
    // A JPEG whose EXIF orientation turns it a quarter for viewing (a photo taken with the
    // camera held sideways): shown, it is rows x cols.
    bool turned = false;
};

// The claim of a file of these bytes for the Magick decoder that will read it ("BMP", "JPEG",
// "PSD", "TGA"). Only what the header says for certain counts against the file; whatever is
// left open is left to the decoder.
PictureClaim picture_claim(std::string_view decoder, std::string_view bytes);

} // namespace zel::imaging
