#include "magick_pixels.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
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

namespace {

// Magick's 16-bit pixel as one little-endian word: blue, green, red, opacity from the low end.
static_assert(std::endian::native == std::endian::little && sizeof(Magick::Quantum) == 2 &&
                  sizeof(Magick::PixelPacket) == 8 && offsetof(Magick::PixelPacket, blue) == 0 &&
                  offsetof(Magick::PixelPacket, green) == 2 &&
                  offsetof(Magick::PixelPacket, red) == 4 &&
                  offsetof(Magick::PixelPacket, opacity) == 6,
              "pixels are packed for Magick's 16-bit little-endian pixel layout");

// Overwrites every pixel of image, which is cols x rows, from arr, with opacity 0 (opaque, as
// a black picture is made). The pixels are packed as whole words, which the compiler vectorises:
// 8-bit samples scale to 16 bits by * 257, and as each sample has its own 16-bit lane the
// multiplication is done on all three at once.
void fill_image(Magick::Image& image, _pixel** arr, int cols, int rows) {
    Magick::PixelPacket* out =
        image.getPixels(0, 0, static_cast<std::size_t>(cols), static_cast<std::size_t>(rows));
    if (out == nullptr)
        throw std::bad_alloc();
    for (int j = 0; j < rows; ++j, out += cols) {
        const _pixel* in = arr[rows - 1 - j];
        for (int k = 0; k < cols; ++k) {
            std::uint32_t rgb = 0;
            std::memcpy(&rgb, in + k, sizeof rgb);
            const std::uint64_t r = rgb & 0xff;
            const std::uint64_t g = (rgb >> 8) & 0xff;
            const std::uint64_t b = (rgb >> 16) & 0xff;
            const std::uint64_t word = (b | g << 16 | r << 32) * 257;
            std::memcpy(out + k, &word, sizeof word);
        }
    }
    image.syncPixels();
}

// A black picture of cols x rows, made as Magick makes one from 8-bit samples, so that every
// encoder writes it as it writes such pictures.
Magick::Image black_picture(int cols, int rows) {
    const std::vector<unsigned char> black(3 * static_cast<std::size_t>(cols) * rows);
    return Magick::Image(cols, rows, "RGB", Magick::CharPixel, black.data());
}

// Pictures up to the working size keep their pixel memory between calls; a larger one-off
// (a rotated library picture) is not held for the library's whole life.
constexpr std::size_t max_kept_pixels = 720 * 960;

} // namespace

Magick::Image pixels_to_image(_pixel** arr, int cols, int rows) {
    if (static_cast<std::size_t>(cols) * rows > max_kept_pixels) {
        Magick::Image picture = black_picture(cols, rows);
        fill_image(picture, arr, cols, rows);
        return picture;
    }
    // The face engine saves its head picture, always of one size, after every edit: keeping
    // the pixel memory (5.5 MB at 720 x 960) spares allocating, clearing and faulting it in
    // again each time. The caller's copy shares it until either side writes to it, when
    // Magick copies: a picture handed out earlier never changes under its holder, and what an
    // encoder changes on its picture (a TGA or PSD encoder marks a grey one as grey) stays in
    // that copy instead of shaping the next save.
    static Magick::Image kept;
    if (kept.columns() != static_cast<std::size_t>(cols) ||
        kept.rows() != static_cast<std::size_t>(rows))
        kept = black_picture(cols, rows);
    fill_image(kept, arr, cols, rows);
    return kept;
}

void zoom_to(Magick::Image& image, PictureSize size) {
    if (image.columns() == static_cast<std::size_t>(size.cols) &&
        image.rows() == static_cast<std::size_t>(size.rows))
        return;
    Magick::Geometry exact(static_cast<std::size_t>(size.cols),
                           static_cast<std::size_t>(size.rows));
    exact.aspect(true);
    image.zoom(exact);
}

} // namespace zel::imaging
