// Writing pixel arrays and converting or copying picture files.

#include "extension.h"
#include "magick_pixels.h"
#include "picture_io.h"
#include "zel/imaging.h"

#include <string>

using namespace zel::imaging;

int save_pixels(_pixel** arr, int cols, int rows, const char* name, const char* ext) {
    if (arr == nullptr || name == nullptr || ext == nullptr || cols <= 0 || rows <= 0)
        return 0;
    const char* magick = format_magick_name(format_index(ext));
    if (magick == nullptr)
        return 0;
    try {
        Magick::Image image = pixels_to_image(arr, cols, rows);
        return write_picture(image, magick, without_extension(name) + "." + ext) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int imageFmtConvert(const char* src, const char* dst, const char* magickName) {
    if (src == nullptr || dst == nullptr || magickName == nullptr)
        return 0;
    try {
        Magick::Image image;
        return read_picture(src, image) && write_picture(image, magickName, dst) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int imagefile_copy(const char* dst, const char* src) {
    int cols = 0;
    int rows = 0;
    if (dst == nullptr || image_available(src, &cols, &rows) == 0)
        return 0;
    try {
        Magick::Image image;
        if (!read_picture(src, image))
            return 0;
        const auto magick = magick_for_path(image, dst);
        return magick && write_picture(image, *magick, dst) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
