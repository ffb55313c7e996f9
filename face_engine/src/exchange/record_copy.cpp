// Whole-record copies between the editor's part models and the current face. Only scalars and
// names are copied, and array contents only into arrays that already exist, never pointers.
// Contents are copied as they stand (no row reversal), and never past the 720 x 960 working
// size of the canvas and the face-edge bitmap, whatever sizes a record claims.

#include "face_state.h"

#include <cstring>

namespace zel::engine {
namespace {

void copy_name(char (&target)[20], const char (&source)[20]) {
    std::memcpy(target, source, sizeof target);
    target[sizeof target - 1] = '\0';
}

bool extent_fits(int cols, int rows) {
    return cols >= 0 && cols <= kCanvasCols && rows >= 0 && rows <= kCanvasRows;
}

} // namespace

int part_copy(_zel_object* target, const _zel_object* source) {
    if (target == nullptr || source == nullptr) {
        return kFail;
    }
    if (target == source) {
        return kOk;
    }
    target->nOid = source->nOid;
    copy_name(target->name, source->name);
    target->IsLoaded = source->IsLoaded;
    target->lx = source->lx;
    target->ly = source->ly;
    target->aux1 = source->aux1;
    target->aux2 = source->aux2;
    target->aux3 = source->aux3;
    target->Display = source->Display;
    target->Gender = source->Gender;
    target->Scale = source->Scale;
    target->color = source->color;
    target->aux4 = source->aux4;
    target->bmCols = source->bmCols;
    target->bmRows = source->bmRows;
    target->bmReady = source->bmReady;
    if (target->bitmap != nullptr && source->bitmap != nullptr &&
        extent_fits(source->bmCols, source->bmRows) && source->bmCols > 0) {
        for (int r = 0; r < source->bmRows; ++r) {
            std::memcpy(target->bitmap[r], source->bitmap[r], static_cast<size_t>(source->bmCols));
        }
    }
    return kOk;
}

int zel_face_copy(_zel_face* target, const _zel_face* source) {
    if (target == nullptr || source == nullptr) {
        return kFail;
    }
    if (target == source) {
        return kOk;
    }
    target->nSex = source->nSex;
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        part_copy(&target->parts[slot], &source->parts[slot]);
    }
    target->nExpression = source->nExpression;
    target->bBackedUp = source->bBackedUp;
    for (int i = 0; i < kZelBackupNames; ++i) {
        copy_name(target->backupNames[i], source->backupNames[i]);
    }
    target->colSize = source->colSize;
    target->rowSize = source->rowSize;
    target->bDrawn = source->bDrawn;
    if (target->clrImage != nullptr && source->clrImage != nullptr &&
        extent_fits(source->colSize, source->rowSize)) {
        pixel_array_copy(target->clrImage, source->clrImage, source->colSize, source->rowSize);
    }
    return kOk;
}

} // namespace zel::engine

int zel_face_copyToDLL(const _zel_face* source) {
    if (source == nullptr) {
        return zel::engine::kFail;
    }
    return zel::engine::zel_face_copy(&zel::engine::current_face(), source);
}

int zel_face_copyFromDLL(_zel_face* target) {
    if (target == nullptr) {
        return zel::engine::kFail;
    }
    return zel::engine::zel_face_copy(target, &zel::engine::current_face());
}
