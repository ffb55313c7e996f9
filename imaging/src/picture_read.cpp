// Reading picture files into pixel arrays: with shrinking, to an exact size with rotation,
// probing, and sampling the background colour.

#include "extension.h"
#include "magick_pixels.h"
#include "picture_io.h"
#include "pixel_buffer.h"
#include "pixel_compare.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace zel::imaging;

namespace {

constexpr int working_cols = 720;
constexpr int working_rows = 960;

// Rotates image by angle degrees and paints the corners that the rotation opened, and every
// light pixel, in the picture's own corner colour, so that a key-colour paste drops them. The
// result goes through the work file "tmp_rtt.bmp" and is read back into image.
bool rotate_with_clean_corners(Magick::Image& image, int angle) {
    int cols = static_cast<int>(image.columns());
    int rows = static_cast<int>(image.rows());
    // The corner colour is sampled at row 2, column 2.
    if (cols < 3 || rows < 3)
        return false;
    _pixel inner{};
    {
        PixelBuffer original(cols, rows);
        if (!image_to_pixels(image, original.rows(), cols, rows, &cols, &rows))
            return false;
        inner = original.rows()[2][2];
    }
    image.rotate(angle);
    cols = static_cast<int>(image.columns());
    rows = static_cast<int>(image.rows());
    PixelBuffer turned(cols, rows);
    _pixel** arr = turned.rows();
    if (!image_to_pixels(image, arr, cols, rows, &cols, &rows))
        return false;
    const _pixel opened = arr[1][1];
    for (int r = 0; r < rows; ++r) {
        _pixel* row = arr[r];
        for (int k = 0; k < cols - 3; ++k) {
            if (pixel_equal(row[k], opened)) {
                copy_rgb(row[k], inner);
                continue;
            }
            for (int m = 0; m < 4; ++m)
                copy_rgb(row[k + m], inner);
            break;
        }
        for (int k = cols - 1; k > 2; --k) {
            if (pixel_equal(row[k], opened)) {
                copy_rgb(row[k], inner);
                continue;
            }
            for (int m = 0; m < 4; ++m)
                copy_rgb(row[k - m], inner);
            break;
        }
        for (int k = 0; k < cols; ++k) {
            if (row[k].r > 155 && row[k].g > 155 && row[k].b > 155)
                copy_rgb(row[k], inner);
        }
    }
    const std::string work_file = zel::work_path("tmp_rtt.bmp");
    if (work_file.empty())
        return false;
    Magick::Image cleaned = pixels_to_image(arr, cols, rows);
    return write_picture(cleaned, bmp_magick_name, work_file) && read_picture(work_file, image);
}

// Fills cols x rows from a picture of delivered x got: the top line is repeated upward, then
// the right edge rightward.
void pad_to_size(_pixel** arr, int cols, int rows, int gotCols, int gotRows) {
    for (int r = gotRows; r < rows; ++r)
        for (int k = 0; k < gotCols; ++k)
            copy_rgb(arr[r][k], arr[gotRows - 1][k]);
    if (gotCols >= cols)
        return;
    for (int r = 0; r < rows; ++r) {
        const _pixel edge = arr[r][gotCols - 1];
        for (int k = gotCols; k < cols; ++k)
            copy_rgb(arr[r][k], edge);
    }
}

} // namespace

int fget_pixels(_pixel** arr, int* cols, int* rows, const char* path, int maxCols, int maxRows) {
    if (path == nullptr)
        return 0;
    try {
        Magick::Image image;
        PictureSize stored;
        const ReadRequest fit{ReadRequest::Use::fit, std::max(maxCols, 1), std::max(maxRows, 1)};
        if (!read_picture_or_report(path, image, fit, stored,
                                    "Error in reading image file: fget_piexels()"))
            return 0;
        if (arr == nullptr || cols == nullptr || rows == nullptr || maxCols < 2 || maxRows < 2)
            return 0;
        if (stored.cols < 2 || stored.rows < 2)
            return 0;
        zoom_to(image, fitted_size(stored, maxCols, maxRows));
        return image_to_pixels(image, arr, maxCols, maxRows, cols, rows) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int fget_set_pixels(_pixel** arr, const char* path, int cols, int rows, int angle) {
    if (arr == nullptr || path == nullptr || cols < 2 || rows < 2)
        return 0;
    try {
        Magick::Image image;
        PictureSize stored;
        // A rotated picture is zoomed from its rotated size, so it is read whole.
        const ReadRequest request{angle == 0 ? ReadRequest::Use::zoom : ReadRequest::Use::whole,
                                  cols, rows};
        if (!read_picture(path, image, request, stored))
            return 0;
        // The stored and the rotated picture are worked on in the library's own buffers, so
        // the caller's array only has to hold the target size.
        if (angle != 0) {
            if (!rotate_with_clean_corners(image, angle))
                return 0;
            stored = {static_cast<int>(image.columns()), static_cast<int>(image.rows())};
        }
        zoom_to(image, zoomed_size(stored, cols, rows));
        int gotCols = 0;
        int gotRows = 0;
        if (!image_to_pixels(image, arr, cols, rows, &gotCols, &gotRows))
            return 0;
        pad_to_size(arr, cols, rows, gotCols, gotRows);
        return 1;
    } catch (...) {
        return 0;
    }
}

int image_available(const char* path, int* cols, int* rows) {
    if (cols != nullptr)
        *cols = 0;
    if (rows != nullptr)
        *rows = 0;
    if (path == nullptr || cols == nullptr || rows == nullptr)
        return 0;
    std::FILE* file = open_for_reading(path);
    if (file == nullptr)
        return 0;
    std::fclose(file);
    if (!extension_of(path))
        return 0;
    try {
        Magick::Image image;
        PictureSize stored;
        if (!read_picture(path, image, ReadRequest{ReadRequest::Use::size_only}, stored)) {
            vyMessage("Failed to read image in image_available()");
            return 0;
        }
        *cols = stored.cols;
        *rows = stored.rows;
        return 1;
    } catch (...) {
        return 0;
    }
}

int image_get_bkgnd_color(const char* path, _pixel* out) {
    if (path == nullptr || out == nullptr)
        return 0;
    try {
        Magick::Image image;
        PictureSize stored;
        // Larger pictures are refused before they are decoded (the probe's array holds the
        // working size only).
        ReadRequest whole;
        whole.maxCols = working_cols;
        whole.maxRows = working_rows;
        if (!read_picture_or_report(path, image, whole, stored,
                                    "Error in reading image file: image_get_bkgnd_color()"))
            return 0;
        const int cols = stored.cols;
        const int rows = stored.rows;
        if (cols < 5 || rows < 5)
            return 0;
        PixelBuffer buffer(cols, rows);
        _pixel** arr = buffer.rows();
        int gotCols = 0;
        int gotRows = 0;
        if (!image_to_pixels(image, arr, cols, rows, &gotCols, &gotRows))
            return 0;
        copy_rgb(*out, arr[1][1]);
        return pixel_equal(arr[rows - 2][cols - 2], *out) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
