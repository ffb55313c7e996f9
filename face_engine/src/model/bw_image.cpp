// The bilevel image holder and the face-edge holder.

#include "model/image_holders.h"

#include "engine_codes.h"

#include <cstring>

namespace zel::engine {

void BwImage::bwimage_clear() {
    pixels = nullptr;
    cols = 0;
    rows = 0;
    loaded = 0;
    alloc_cols = 0;
    alloc_rows = 0;
}

void BwImage::bwimage_init(int c, int r) {
    bwimage_clear();
    cols = c;
    rows = r;
}

void BwImage::bwimage_init_alloc(int c, int r, int allocate) {
    bwimage_init(c, r);
    if (allocate != 0) {
        pixels = pbm_allocarray(c, r);
        if (pixels != nullptr) {
            alloc_cols = c;
            alloc_rows = r;
        }
    }
}

int BwImage::bwimage_set_size(int c, int r) {
    cols = c;
    rows = r;
    return kOk;
}

int BwImage::bwimage_set_rows(unsigned char** rowsPointer) {
    if (rowsPointer == nullptr) {
        return kBadBlock;
    }
    // Rows handed in are taken to hold the present extent.
    pixels = rowsPointer;
    alloc_cols = cols;
    alloc_rows = rows;
    return kOk;
}

int BwImage::bwimage_alloc() {
    if (cols <= 0 || rows <= 0) {
        return kBadBlock;
    }
    if (pixels == nullptr) {
        pixels = pbm_allocarray(cols, rows);
        if (pixels == nullptr) {
            return kNoMemory;
        }
        alloc_cols = cols;
        alloc_rows = rows;
    }
    return kOk;
}

void BwImage::bwimage_free() {
    if (pixels != nullptr) {
        pbm_freearray(pixels, alloc_rows != 0 ? alloc_rows : rows);
        pixels = nullptr;
        alloc_cols = 0;
        alloc_rows = 0;
    }
}

int BwImage::bwimage_copy_in(unsigned char** source) {
    if (cols <= 0 || rows <= 0 || source == nullptr) {
        return kMissing;
    }
    if (pixels == nullptr) {
        if (bwimage_alloc() != kOk) {
            return kNoMemory;
        }
    } else if (!covers_extent()) {
        return kMissing;
    }
    for (int r = 0; r < rows; ++r) {
        std::memcpy(pixels[r], source[r], static_cast<size_t>(cols));
    }
    loaded = 1;
    return kOk;
}

int BwImage::copy_out(unsigned char** target, bool flipped) const {
    if (cols <= 0 || rows <= 0 || pixels == nullptr || !covers_extent()) {
        return kMissing;
    }
    if (target == nullptr) {
        // Nothing can reach the caller; only whether the memory could be had is told.
        unsigned char** scratch = pbm_allocarray(cols, rows);
        if (scratch == nullptr) {
            return kNoMemory;
        }
        pbm_freearray(scratch, rows);
        return kOk;
    }
    for (int r = 0; r < rows; ++r) {
        std::memcpy(target[r], pixels[flipped ? rows - 1 - r : r], static_cast<size_t>(cols));
    }
    return kOk;
}

int BwImage::bwimage_copy_out(unsigned char** target) const {
    return copy_out(target, false);
}

int BwImage::bwimage_copy_flipped(unsigned char** target) const {
    return copy_out(target, true);
}

int BwImage::bwimage_read(const char* name) {
    loaded = 0;
    if (name == nullptr) {
        return kFileError;
    }
    bwimage_free();
    int c = 0;
    int r = 0;
    pixels = face_pbmin(name, &c, &r);
    cols = c;
    rows = r;
    if (pixels == nullptr || cols == 0 || rows == 0) {
        return kMissing;
    }
    alloc_cols = c;
    alloc_rows = r;
    loaded = 1;
    return kOk;
}

void bwimage_alloc_rows(_zel_object& holder, int cols, int rows) {
    holder.bmCols = cols;
    holder.bmRows = rows;
    holder.bitmap = pbm_allocarray(cols, rows);
}

void bwimage_free_rows(_zel_object& holder) {
    if (holder.bitmap != nullptr) {
        pbm_freearray(holder.bitmap, holder.bmRows);
        holder.bitmap = nullptr;
    }
}

} // namespace zel::engine
