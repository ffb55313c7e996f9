// Part identifiers, the defaults of a part record and of a whole part model.

#include "face_state.h"

#include <cstring>

namespace zel::engine {
namespace {

struct PartDefault {
    int id;
    const char* name;
    bool mirrored;
};

// In slot order (ZelFaceSlot).
constexpr PartDefault kParts[kZelFaceParts] = {
    {4, "EYE222", false},    {5, "EYE222", true},      {2, "BROW2", false},
    {3, "BROW2", true},      {6, "NOSE2", false},      {7, "MOUTH22", false},
    {0, "FACE_EDGE", false}, {1, "FACE_BKGND", false}, {20, "GLASSES_STD", false},
};

constexpr int kFaceEdgeId = 0;
constexpr int kBackgroundId = 1;
constexpr unsigned char kCanvasGrey = 192;

} // namespace

int part_slot_by_id(int id) {
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        if (kParts[slot].id == id) {
            return slot;
        }
    }
    return -1;
}

bool part_slot_mirrored(int slot) {
    return slot >= 0 && slot < kZelFaceParts && kParts[slot].mirrored;
}

_zel_object* part_record_by_id(int id) {
    const int slot = part_slot_by_id(id);
    return slot < 0 ? nullptr : &current_face().parts[slot];
}

_zel_object* loaded_part_by_id(int id) {
    _zel_object* part = part_record_by_id(id);
    return part != nullptr && part->IsLoaded != 0 ? part : nullptr;
}

void part_object_init(_zel_object* object) {
    if (object == nullptr) {
        return;
    }
    const int slot = part_slot_by_id(object->nOid);
    if (slot >= 0) {
        std::strncpy(object->name, kParts[slot].name, sizeof object->name);
        object->name[sizeof object->name - 1] = '\0';
    }
    object->IsLoaded = 0;
    object->lx = 0;
    object->ly = 0;
    object->Display = 1;
    object->Gender = 6;
    object->Scale = 1.0;
    object->color = object->nOid == kBackgroundId ? _pixel{kCanvasGrey, kCanvasGrey, kCanvasGrey, 0}
                                                  : _pixel{0, 0, 0, 0};
    object->aux4 = 0;
    object->bmCols = 0;
    object->bmRows = 0;
    object->bmReady = 0;
    if (object->nOid != kFaceEdgeId) {
        object->bitmap = nullptr;
    } else if (object->bitmap != nullptr) {
        // The face edge's bitmap is always the 720 x 960 face-edge holder.
        bw_array_fill(object->bitmap, kCanvasCols, kCanvasRows, 1);
    }
}

void face_record_init(_zel_face* face) {
    if (face == nullptr) {
        return;
    }
    face->nSex = 6;
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        face->parts[slot].nOid = kParts[slot].id;
        part_object_init(&face->parts[slot]);
    }
    face->nExpression = 50;
    face->bBackedUp = 0;
    for (auto& name : face->backupNames) {
        name[0] = '\0';
    }
    face->colSize = 0;
    face->rowSize = 0;
    if (face->clrImage != nullptr) {
        pixel_array_fill_grey(face->clrImage, kCanvasCols, kCanvasRows, kCanvasGrey);
    }
    face->bDrawn = 0;
}

} // namespace zel::engine

int zel_object_loaded(int id) {
    const _zel_object* part = zel::engine::part_record_by_id(id);
    return part == nullptr ? 0 : part->IsLoaded;
}
