// Drawing all parts of a face onto its canvas, and the redraw of the current face.

#include "face_state.h"

namespace zel::engine {
namespace {

// Glasses are always drawn from this template set, whatever the face's sex code.
constexpr int kGlassesSet = 6;

// Eyes, brows, nose and mouth in drawing order; the face edge comes first and the glasses last.
constexpr int kPartSlots[] = {kSlotLeftEye,   kSlotRightEye, kSlotLeftBrow,
                              kSlotRightBrow, kSlotNose,     kSlotMouth};

bool shown(const _zel_object& part) {
    return part.Display != 0 && part.IsLoaded != 0;
}

void draw_face_edge(const _zel_face& face, _pixel** canvas) {
    const _zel_object& edge = face.parts[kSlotFaceEdge];
    if (edge.bitmap == nullptr) {
        return;
    }
    const _pixel ink{edge.color.r, edge.color.g, edge.color.b, 0};
    for (int y = 0; y < face.rowSize; ++y) {
        const unsigned char* from = edge.bitmap[y];
        _pixel* to = canvas[y];
        for (int x = 0; x < face.colSize; ++x) {
            if (from[x] == 0) {
                to[x] = ink;
            }
        }
    }
}

} // namespace

bool face_size_fits(const _zel_face& face) {
    return face.colSize >= 0 && face.colSize <= kCanvasCols && face.rowSize >= 0 &&
           face.rowSize <= kCanvasRows;
}

int face_draw_parts(_zel_face* face, _pixel** canvas) {
    if (face == nullptr || canvas == nullptr || !face_size_fits(*face)) {
        return kFail;
    }
    if (shown(face->parts[kSlotFaceEdge])) {
        draw_face_edge(*face, canvas);
    }
    for (const int slot : kPartSlots) {
        const _zel_object& part = face->parts[slot];
        const int mirror = part_slot_mirrored(slot) ? 1 : 0;
        if (shown(part) && part_render(part, canvas, face->colSize, face->rowSize, mirror) != kOk) {
            return kFail;
        }
    }
    _zel_object& glasses = face->parts[kSlotGlasses];
    if (shown(glasses)) {
        glasses.Gender = kGlassesSet;
        if (part_render(glasses, canvas, face->colSize, face->rowSize, 0) != kOk) {
            return kFail;
        }
    }
    return kOk;
}

int face_redraw() {
    _zel_face& face = current_face();
    if (face.clrImage == nullptr || !face_size_fits(face)) {
        return kFail;
    }
    pixel_array_fill_color(face.clrImage, face.colSize, face.rowSize,
                           face.parts[kSlotBackground].color);
    if (face_draw_parts(&face, face.clrImage) != kOk) {
        return kFail;
    }
    face.bDrawn = 1;
    return kOk;
}

} // namespace zel::engine
