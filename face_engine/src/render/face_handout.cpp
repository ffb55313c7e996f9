// Handing the current face out: the black-and-white drawing, the colour face and the face
// picture file, each with its rows reversed into the pixel-array order of the other modules
// (row 0 at the bottom).

#include "face_state.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zel::engine {
namespace {

// Copies the cols x rows top of source into target with the row order reversed.
void copy_rows_reversed(_pixel** target, _pixel** source, int cols, int rows) {
    for (int r = 0; r < rows; ++r) {
        std::memcpy(target[rows - 1 - r], source[r], static_cast<size_t>(cols) * sizeof(_pixel));
    }
}

} // namespace

int face_get_clrimage(_pixel** clr, int cols, int rows) {
    if (clr == nullptr || cols <= 0 || rows <= 0) {
        return kFail;
    }
    // Pairwise swaps: the reversal needs no scratch array.
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(clr[top], clr[top] + cols, clr[bottom]);
    }
    return kOk;
}

int get_clrface(_pixel** clr, int* w, int* h) {
    const _zel_face& face = current_face();
    if (face.bDrawn == 0 || clr == nullptr || face.clrImage == nullptr || !face_size_fits(face)) {
        return 0;
    }
    if (w != nullptr) {
        *w = face.colSize;
    }
    if (h != nullptr) {
        *h = face.rowSize;
    }
    if (clr == face.clrImage) {
        // Handing the canvas out into itself only turns it upside down.
        face_get_clrimage(clr, face.colSize, face.rowSize);
    } else {
        copy_rows_reversed(clr, face.clrImage, face.colSize, face.rowSize);
    }
    return 1;
}

int face_save_image(const char* file) {
    const _zel_face& face = current_face();
    // An empty face is refused as its picture's scratch array would be: the image library
    // allocates no array of zero size, and nothing would be written.
    if (face.clrImage == nullptr || !face_size_fits(face) || face.colSize == 0 ||
        face.rowSize == 0) {
        return kFail;
    }
    // A row table is all a picture writer reads: a table of the canvas rows in reverse order
    // hands the face out bottom row first without copying a pixel or allocating a row.
    std::array<_pixel*, kCanvasRows> reversed{};
    for (int r = 0; r < face.rowSize; ++r) {
        reversed[static_cast<size_t>(face.rowSize - 1 - r)] = face.clrImage[r];
    }
    // The write's own result is not reported: the editor reloads the picture in any case.
    save_pixels(reversed.data(), face.colSize, face.rowSize, file, "bmp");
    return kOk;
}

void face_bw_to_clr(unsigned char** bw, _pixel** clr, int cols, int rows) {
    if (bw == nullptr || clr == nullptr || cols <= 0) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const auto grey = static_cast<unsigned char>(192 * bw[r][c]);
            clr[r][c] = _pixel{grey, grey, grey, 0};
        }
    }
}

} // namespace zel::engine

int face_compose_bw(unsigned char** bw, int* w, int* h) {
    using namespace zel::engine;
    if (bw == nullptr || face_redraw() != kOk) {
        return 0;
    }
    const _zel_face& face = current_face();
    if (w != nullptr) {
        *w = face.colSize;
    }
    if (h != nullptr) {
        *h = face.rowSize;
    }
    const _pixel background = face.parts[kSlotBackground].color;
    // Written straight into the reversed row: the same result as drawing and then flipping.
    for (int r = 0; r < face.rowSize; ++r) {
        const _pixel* from = face.clrImage[r];
        unsigned char* to = bw[face.rowSize - 1 - r];
        for (int c = 0; c < face.colSize; ++c) {
            to[c] = color_equal(from[c], background) ? 1 : 0;
        }
    }
    return 1;
}

int face_compose_clr(_pixel** clr, int* w, int* h) {
    using namespace zel::engine;
    face_redraw(); // a missing template still hands out what was painted
    return get_clrface(clr, w, h);
}
