#include "magick_pixels.h"

#include <algorithm>
#include <vector>

namespace zel::imaging {

bool image_to_pixels(const Magick::Image& image, _pixel** arr, int capCols, int capRows, int* cols,
                     int* rows) {
    const auto width = image.columns();
    const auto height = image.rows();
    if (arr == nullptr || width < 2 || height < 2)
        return false;
    if (width > static_cast<std::size_t>(capCols) || height > static_cast<std::size_t>(capRows))
        return false;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    std::vector<unsigned char> rgb(3 * width * height);
    try {
        // Export works on the caller's picture as it stands; nothing of it is changed.
        Magick::Image copy(image);
        copy.write(0, 0, width, height, "RGB", Magick::CharPixel, rgb.data());
    } catch (...) {
        return false;
    }
    const unsigned char* in = rgb.data();
    for (int j = 0; j < h; ++j) {
        _pixel* out = arr[h - 1 - j];
        for (int k = 0; k < w; ++k, in += 3) {
            out[k].r = in[0];
            out[k].g = in[1];
            out[k].b = in[2];
        }
    }
    *cols = w;
    *rows = h;
    return true;
}

Magick::Image pixels_to_image(_pixel** arr, int cols, int rows) {
    std::vector<unsigned char> rgb(3 * static_cast<std::size_t>(cols) * rows);
    unsigned char* out = rgb.data();
    for (int j = 0; j < rows; ++j) {
        const _pixel* in = arr[rows - 1 - j];
        for (int k = 0; k < cols; ++k, out += 3) {
            out[0] = in[k].r;
            out[1] = in[k].g;
            out[2] = in[k].b;
        }
    }
    return Magick::Image(cols, rows, "RGB", Magick::CharPixel, rgb.data());
}

} // namespace zel::imaging

namespace zel::imaging {

void shrink_to_fit(Magick::Image& image, int maxCols, int maxRows) {
    int cols = static_cast<int>(image.columns());
    int rows = static_cast<int>(image.rows());
    if (cols <= maxCols && rows <= maxRows)
        return;
    const double aspect = static_cast<double>(cols) / rows;
    if (cols > maxCols) {
        cols = maxCols;
        rows = static_cast<int>(maxCols / aspect);
    }
    if (rows > maxRows) {
        rows = maxRows;
        cols = static_cast<int>(maxRows * aspect);
    }
    // A picture far thinner than the box still gets one line; it is refused later as too small.
    image.zoom(Magick::Geometry(static_cast<std::size_t>(std::max(cols, 1)),
                                static_cast<std::size_t>(std::max(rows, 1))));
}

} // namespace zel::imaging
