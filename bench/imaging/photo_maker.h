#pragma once
// Camera-like pictures for the speed checks: smooth light and colour, edges and fine texture
// with sensor noise, so that a JPEG of them is about as large and as slow to decode as a real
// photograph of the same size (3.4 MB for 4000 x 3000 at the cameras' quality).

#include <string>

namespace zel::bench {

// Writes a photograph of cols x rows to path in the Magick format magick ("JPEG" as a camera
// writes it, "BMP3" with 24-bit pixels, "PSD", "TGA"). The same size always gives the same
// picture. False when it cannot be written.
bool write_photo(const std::string& path, int cols, int rows, const std::string& magick);

} // namespace zel::bench
