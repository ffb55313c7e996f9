// Expressions: they rename the brows and the mouth; the names of before the first expression
// are backed up once and brought back by the neutral expression.

#include "face_state.h"

#include <cstring>

namespace zel::engine {
namespace {

// Slots whose names are backed up, in the order of backupNames.
constexpr int kBackupSlots[kZelBackupNames] = {kSlotLeftEye,   kSlotRightEye, kSlotLeftBrow,
                                               kSlotRightBrow, kSlotNose,     kSlotMouth};

void set_name(_zel_object& part, const char* name) {
    std::strncpy(part.name, name, sizeof part.name);
    part.name[sizeof part.name - 1] = '\0';
}

void rename_brows_and_mouth(_zel_face& face, const char* brow, const char* mouth) {
    set_name(face.parts[kSlotLeftBrow], brow);
    set_name(face.parts[kSlotRightBrow], brow);
    set_name(face.parts[kSlotMouth], mouth);
}

} // namespace

} // namespace zel::engine

int face_expression(int code) {
    using namespace zel::engine;
    _zel_face& face = current_face();
    if (code == face.nExpression) {
        return kOk;
    }
    face.nExpression = code;
    if (code != 50 && face.bBackedUp == 0) {
        for (int i = 0; i < kZelBackupNames; ++i) {
            std::memcpy(face.backupNames[i], face.parts[kBackupSlots[i]].name,
                        sizeof face.backupNames[i]);
            face.backupNames[i][sizeof face.backupNames[i] - 1] = '\0';
        }
        face.bBackedUp = 1;
    }
    switch (code) {
    case 51:
    case 54:
        rename_brows_and_mouth(face, "BROW_HPY", "MOUTH_HPY");
        break;
    case 52:
        rename_brows_and_mouth(face, "BROW_SAD", "MOUTH_SAD");
        break;
    case 53:
        rename_brows_and_mouth(face, "BROW_ANGRY", "MOUTH_ANGRY");
        break;
    case 55:
    case 56:
        break;
    default:
        // Without a backup there is nothing to bring back: a face read with an expression but
        // no backup (a face file may hold one) would otherwise lose all six names to "".
        if (face.bBackedUp != 0) {
            for (int i = 0; i < kZelBackupNames; ++i) {
                set_name(face.parts[kBackupSlots[i]], face.backupNames[i]);
            }
        }
        break;
    }
    return kOk;
}
