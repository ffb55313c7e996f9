// Taking a retouched drawing back as the face edge. The drawing the editor hands back holds the
// face edge and the parts; the engine keeps the face edge alone and draws the parts from
// templates, so every loaded part is erased from it with the renderer's own placement rule.

#include "engine_codes.h"
#include "face_state.h"

#include <cstring>

namespace zel::engine {
namespace {

struct ErasedPart {
    int slot;
    bool mirrored;
};

// The order the parts are erased in; the face edge and the background are not touched.
constexpr ErasedPart kErasedParts[] = {
    {kSlotLeftEye, false}, {kSlotRightEye, true}, {kSlotLeftBrow, false}, {kSlotRightBrow, true},
    {kSlotNose, false},    {kSlotMouth, false},   {kSlotGlasses, false},
};

// Copies a whole 720 x 960 face-edge bitmap.
void copy_rows(unsigned char** target, unsigned char* const* source) {
    for (int r = 0; r < kCanvasRows; ++r)
        std::memcpy(target[r], source[r], static_cast<std::size_t>(kCanvasCols));
}

} // namespace

} // namespace zel::engine

int part_edge_erase(_zel_object part, unsigned char** bitmap, int cols, int rows, int mirror,
                    int erase) {
    using namespace zel::engine;
    if (part.IsLoaded == 0)
        return kOk;
    // The record is a copy: make sure its name ends inside its field whatever the caller held.
    part.name[sizeof part.name - 1] = '\0';
    PartLocation loc;
    if (read_part_location(part.Gender, part.name, &loc) != kOk)
        return kMissing;
    return part_place_template(bitmap, cols, rows, part.Gender, part.name, part.lx, part.ly, loc,
                               part.Scale, mirror, erase);
}

int face_edge_setup(_zel_face face, unsigned char** bitmap) {
    using namespace zel::engine;
    if (bitmap == nullptr || !face_size_fits(face))
        return kFail;
    for (const ErasedPart& erased : kErasedParts) {
        const int result = part_edge_erase(face.parts[erased.slot], bitmap, face.colSize,
                                           face.rowSize, erased.mirrored ? 1 : 0, 1);
        if (result != kOk)
            return result;
    }
    return kOk;
}

int set_face_edge_inDLL(unsigned char** drawing, int width, int height) {
    using namespace zel::engine;
    _zel_face& face = current_face();
    unsigned char** bitmap = face.parts[kSlotFaceEdge].bitmap;
    if (drawing == nullptr || bitmap == nullptr)
        return 0;
    // The face-edge bitmap is the 720 x 960 holder; a larger drawing does not fit it.
    if (width <= 0 || height <= 0 || width > kCanvasCols || height > kCanvasRows)
        return 0;
    // The parts are erased in a copy: a failure half-way would otherwise leave the face edge
    // holding the parts not yet erased, drawn twice by every later redraw, while the caller is
    // told the drawing was not taken.
    unsigned char** edge = pbm_allocarray(kCanvasCols, kCanvasRows);
    if (edge == nullptr)
        return 0;
    copy_rows(edge, bitmap);
    for (int i = 0; i < height; ++i)
        std::memcpy(edge[i], drawing[height - 1 - i], static_cast<std::size_t>(width));
    const bool taken = face_edge_setup(face, edge) == kOk;
    if (taken)
        copy_rows(bitmap, edge);
    pbm_freearray(edge, kCanvasRows);
    return taken ? 1 : 0;
}
