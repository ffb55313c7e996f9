// The colour image holder.

#include "model/image_holders.h"

#include "engine_codes.h"

namespace zel::engine {

void ClrImage::clrimage_clear() {
    *this = ClrImage{};
}

void ClrImage::clrimage_init(int c, int r, int maxv) {
    cols = c;
    rows = r;
    maxval = static_cast<std::uint8_t>(maxv);
    kind = 0;
    loaded = 0;
    alloc_cols = 0;
    alloc_rows = 0;
    pixels = nullptr;
}

void ClrImage::clrimage_set_size(int c, int r, int maxv) {
    cols = c;
    rows = r;
    maxval = static_cast<std::uint8_t>(maxv);
    kind = 0;
}

_pixel** ClrImage::clrimage_alloc(int c, int r) {
    clrimage_free();
    alloc_cols = c;
    alloc_rows = r;
    pixels = ppm_allocarray(c, r);
    return pixels;
}

void ClrImage::clrimage_free() {
    if (pixels == nullptr) {
        return;
    }
    ppm_freearray(pixels, alloc_rows != 0 ? alloc_rows : rows);
    pixels = nullptr;
    alloc_cols = 0;
    alloc_rows = 0;
}

int ClrImage::copy_in(int k, _pixel** source, bool flipped) {
    kind = k;
    if (cols <= 0 || rows <= 0 || source == nullptr) {
        return kMissing;
    }
    // Rows held at a smaller extent than the present one are not written past.
    if (pixels != nullptr && (cols > alloc_cols || rows > alloc_rows)) {
        return kMissing;
    }
    if (pixels == nullptr) {
        pixels = ppm_allocarray(cols, rows);
        if (pixels == nullptr) {
            return kNoMemory;
        }
        alloc_cols = cols;
        alloc_rows = rows;
    }
    for (int r = 0; r < rows; ++r) {
        const _pixel* from = source[flipped ? rows - 1 - r : r];
        _pixel* to = pixels[r];
        for (int c = 0; c < cols; ++c) {
            to[c].r = from[c].r;
            to[c].g = from[c].g;
            to[c].b = from[c].b;
        }
    }
    loaded = 1;
    return kOk;
}

int ClrImage::clrimage_copy_in(int k, _pixel** source) {
    return copy_in(k, source, false);
}

int ClrImage::clrimage_copy_in_flipped(int k, _pixel** source) {
    return copy_in(k, source, true);
}

int ClrImage::clrimage_read(int k, const char* name) {
    kind = k;
    loaded = 0;
    if (name == nullptr) {
        return kFileError;
    }
    clrimage_free();
    unsigned char mv = 0;
    int c = 0;
    int r = 0;
    pixels = face_ppmin(name, &c, &r, &mv);
    cols = c;
    rows = r;
    maxval = mv;
    if (pixels == nullptr || cols == 0 || rows == 0) {
        return kMissing;
    }
    alloc_cols = c;
    alloc_rows = r;
    loaded = 1;
    return kOk;
}

int ClrImage::clrimage_write(const char* name) {
    if (pixels == nullptr) {
        return kMissing;
    }
    if (name == nullptr) {
        return kFileError;
    }
    face_ppmout(name, pixels, cols, rows, maxval);
    return kOk;
}

} // namespace zel::engine
