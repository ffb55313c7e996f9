// The face object: construction, image size and the drawing's copies.

#include "model/face_object.h"

#include "engine_codes.h"

#include <cstring>

namespace zel::engine {

FaceObject::FaceObject() {
    box.box_record_init();
    landmarks.face_landmarks_init();
    measures.measures_record_init();
    drawing.bwimage_clear();
}

FaceObject::~FaceObject() {
    drawing.bwimage_free();
    box.box_record_free();
    landmarks.face_landmarks_free();
    measures.measures_record_free();
}

void FaceObject::face_set_image(int s, int cols, int rows) {
    sex = s;
    colSize = cols;
    rowSize = rows;
    drawing.bwimage_set_size(cols, rows);
}

int FaceObject::face_set_bwimage(unsigned char** source) {
    if (colSize <= 0 || rowSize <= 0 || source == nullptr) {
        return kMissing;
    }
    if (drawing.pixels == nullptr) {
        drawing.bwimage_set_size(colSize, rowSize);
        if (drawing.bwimage_alloc() != kOk) {
            return kNoMemory;
        }
    }
    // The drawing's rows were allocated once; an extent past them is refused, not copied.
    if (colSize > drawing.alloc_cols || rowSize > drawing.alloc_rows) {
        return kMissing;
    }
    for (int r = 0; r < rowSize; ++r) {
        std::memcpy(drawing.pixels[r], source[r], static_cast<size_t>(colSize));
    }
    return kOk;
}

int FaceObject::face_get_bwimage(unsigned char** target) const {
    if (target == nullptr || drawing.pixels == nullptr || drawing.cols <= 0 || drawing.rows <= 0) {
        return kMissing;
    }
    // The only target is the 720 x 960 face-edge bitmap: nothing is copied past it.
    if (drawing.cols > kCanvasCols || drawing.rows > kCanvasRows || !drawing.covers_extent()) {
        return kMissing;
    }
    return drawing.bwimage_copy_out(target);
}

int FaceObject::face_take_generated(const FaceObject& run) {
    face_set_image(run.sex, run.colSize, run.rowSize);
    face_set_measures(&run.measures);
    face_set_outline(&run.box);
    face_set_landmarks(&run.landmarks);
    return face_set_bwimage(run.drawing.pixels);
}

} // namespace zel::engine
