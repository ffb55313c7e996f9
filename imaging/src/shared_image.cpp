// The two exports that work on the library's one shared picture.

#include "extension.h"
#include "magick_setup.h"
#include "picture_io.h"
#include "zel/imaging.h"

#include <string>

using namespace zel::imaging;

int Mimage_read(const char* path) {
    if (path == nullptr || !extension_of(path))
        return 0;
    try {
        return read_picture(path, shared_image()) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int Mimage_save(const char* dst, const char* src) {
    if (dst == nullptr || src == nullptr || !extension_of(src))
        return 0;
    try {
        Magick::Image& image = shared_image();
        if (!read_picture(src, image))
            return 0;
        std::string target = dst;
        if (!extension_of(target))
            target += ".bmp";
        const auto magick = magick_for_path(image, target);
        return magick && write_picture(image, *magick, target) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
