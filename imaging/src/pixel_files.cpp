// Colour, grey and bilevel arrays kept in BMP files named "<name>.bmp", and a text dump.

#include "magick_pixels.h"
#include "picture_io.h"
#include "pixel_buffer.h"
#include "zel/imaging.h"

#include <cstdio>
#include <string>

using namespace zel::imaging;

namespace {

std::string bmp_name(const char* name) {
    return std::string(name) + ".bmp";
}

// Writes a byte array as a grey colour picture, each byte mapped through level.
template <typename Level>
int write_bytes(const char* name, unsigned char** bytes, int cols, int rows, Level level) {
    if (name == nullptr || bytes == nullptr || cols <= 0 || rows <= 0)
        return -11;
    try {
        PixelBuffer buffer(cols, rows);
        _pixel** arr = buffer.rows();
        for (int r = 0; r < rows; ++r) {
            for (int k = 0; k < cols; ++k) {
                const unsigned char v = level(bytes[r][k]);
                arr[r][k] = _pixel{v, v, v, 0};
            }
        }
        return face_ppmout(name, arr, cols, rows, 255);
    } catch (...) {
        return -11;
    }
}

// Reads "<name>.bmp" as colour, then keeps one byte a pixel derived from the red channel.
template <typename Level>
unsigned char** read_bytes(const char* name, int* cols, int* rows, Level level) {
    unsigned char maxval = 0;
    int c = 0;
    int r = 0;
    _pixel** colour = face_ppmin(name, &c, &r, &maxval);
    if (colour == nullptr)
        return nullptr;
    unsigned char** bytes = pgm_allocarray(c, r);
    if (bytes != nullptr) {
        for (int i = 0; i < r; ++i)
            for (int k = 0; k < c; ++k)
                bytes[i][k] = level(colour[i][k].r);
        *cols = c;
        *rows = r;
    }
    ppm_freearray(colour, r);
    return bytes;
}

} // namespace

// The array is allocated at the delivered (shrunk) size, not the stored one, so a caller that
// frees it with the row count it was given releases all of it.
_pixel** face_ppmin(const char* name, int* cols, int* rows, unsigned char* maxval) {
    if (name == nullptr || cols == nullptr || rows == nullptr || maxval == nullptr)
        return nullptr;
    try {
        const std::string file = bmp_name(name);
        Magick::Image image;
        PictureSize stored;
        const ReadRequest fit{ReadRequest::Use::fit, 720, 960};
        if (!read_picture_or_report(file, image, fit, stored, "Error in reading a BMP file()"))
            return nullptr;
        const PictureSize delivered = fitted_size(stored, 720, 960);
        zoom_to(image, delivered);
        const int c = delivered.cols;
        const int r = delivered.rows;
        _pixel** arr = ppm_allocarray(c, r);
        if (arr == nullptr)
            return nullptr;
        if (!image_to_pixels(image, arr, c, r, cols, rows)) {
            ppm_freearray(arr, r);
            return nullptr;
        }
        *maxval = 255;
        return arr;
    } catch (...) {
        return nullptr;
    }
}

unsigned char** face_pgmin(const char* name, int* cols, int* rows, unsigned char* maxval) {
    if (name == nullptr || cols == nullptr || rows == nullptr || maxval == nullptr)
        return nullptr;
    *maxval = 255;
    return read_bytes(name, cols, rows, [](unsigned char red) { return red; });
}

unsigned char** face_pbmin(const char* name, int* cols, int* rows) {
    if (name == nullptr || cols == nullptr || rows == nullptr)
        return nullptr;
    return read_bytes(name, cols, rows, [](unsigned char red) {
        return static_cast<unsigned char>((red + 1) / 255);
    });
}

int face_ppmout(const char* name, _pixel** arr, int cols, int rows, unsigned char /*maxval*/) {
    if (name == nullptr)
        return -11;
    return save_pixels(arr, cols, rows, bmp_name(name).c_str(), "bmp") != 0 ? 0 : -11;
}

int face_pgmout(const char* name, unsigned char** grey, int cols, int rows) {
    return write_bytes(name, grey, cols, rows, [](unsigned char v) { return v; });
}

int face_pbmout(const char* name, unsigned char** bits, int cols, int rows) {
    return write_bytes(name, bits, cols, rows, [](unsigned char bit) {
        return static_cast<unsigned char>(bit != 0 ? 255 : 0);
    });
}

void ppm_save_ascii(_pixel** arr, int cols, int rows, const char* path) {
    if (arr == nullptr || path == nullptr)
        return;
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr)
        return;
    std::fprintf(file, "Column: %d, Row: %d\n", cols, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            std::fprintf(file, "[%2d][%2d]: %4d%4d%4d\n", r, c, arr[r][c].r, arr[r][c].g,
                         arr[r][c].b);
    std::fclose(file);
}
