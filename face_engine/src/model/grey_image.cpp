// The grey image holder.

#include "model/image_holders.h"

#include "engine_codes.h"

#include <cstring>

namespace zel::engine {

void GreyImage::greyimage_clear() {
    *this = GreyImage{};
}

void GreyImage::greyimage_init(int c, int r, int maxv) {
    cols = c;
    rows = r;
    maxval = static_cast<std::uint8_t>(maxv);
    pixels = nullptr;
    loaded = 0;
}

void GreyImage::greyimage_free() {
    if (pixels != nullptr) {
        pgm_freearray(pixels, rows);
        pixels = nullptr;
    }
}

int GreyImage::greyimage_copy_in(unsigned char** source) {
    if (cols <= 0 || rows <= 0 || source == nullptr) {
        return kMissing;
    }
    if (pixels == nullptr) {
        pixels = pgm_allocarray(cols, rows);
        if (pixels == nullptr) {
            return kNoMemory;
        }
    }
    for (int r = 0; r < rows; ++r) {
        std::memcpy(pixels[r], source[r], static_cast<size_t>(cols));
    }
    loaded = 1;
    return kOk;
}

int GreyImage::greyimage_read(const char* name) {
    loaded = 0;
    if (name == nullptr) {
        return kFileError;
    }
    greyimage_free();
    unsigned char mv = 0;
    int c = 0;
    int r = 0;
    pixels = face_pgmin(name, &c, &r, &mv);
    cols = c;
    rows = r;
    maxval = mv;
    if (pixels == nullptr || cols == 0 || rows == 0) {
        return kMissing;
    }
    loaded = 1;
    return kOk;
}

int GreyImage::greyimage_write(const char* name) {
    if (pixels == nullptr) {
        return kMissing;
    }
    if (name == nullptr) {
        return kFileError;
    }
    face_pgmout(name, pixels, cols, rows);
    return kOk;
}

} // namespace zel::engine
