// The editing exports: each changes one part of the current part model.

#include "face_state.h"

#include <cstring>

using zel::engine::kNotLoaded;
using zel::engine::kOk;
using zel::engine::loaded_part_by_id;

int face_change(int id, const char* name) {
    _zel_object* part = loaded_part_by_id(id);
    if (part == nullptr) {
        return kNotLoaded;
    }
    // A name that does not fit the field with its NUL is refused, not cut; so is one with a
    // ':' or a line end, which no face file can hold, so the face could never be saved.
    if (name == nullptr || strnlen(name, sizeof part->name) == sizeof part->name ||
        std::strpbrk(name, ":\n") != nullptr) {
        return zel::engine::kFail;
    }
    std::strcpy(part->name, name);
    return kOk;
}

int face_move(int id, int step) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    return zel::engine::part_edit_by_id(id, 1, step);
}

int face_scale(int id, int step) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    return zel::engine::part_edit_by_id(id, 3, step);
}

int face_color(int id, _pixel colour) {
    _zel_object* part = loaded_part_by_id(id);
    if (part == nullptr) {
        return kNotLoaded;
    }
    part->color.r = static_cast<unsigned char>(255 - colour.r);
    part->color.g = static_cast<unsigned char>(255 - colour.g);
    part->color.b = static_cast<unsigned char>(255 - colour.b);
    part->color.spare = colour.spare;
    return kOk;
}

int face_display(int id, int mode) {
    _zel_object* part = loaded_part_by_id(id);
    if (part == nullptr) {
        return kNotLoaded;
    }
    if (mode == 31) {
        part->Display = 1;
    } else if (mode == 32) {
        part->Display = 0;
    }
    return kOk;
}

int face_gender(int id, int set) {
    _zel_object* part = loaded_part_by_id(id);
    if (part == nullptr) {
        return kNotLoaded;
    }
    part->Gender = set;
    return kOk;
}

int face_glasses(int style) {
    _zel_object& glasses = zel::engine::current_face().parts[kSlotGlasses];
    const char* name = style == 41 ? "GLASSES_RND" : style == 42 ? "GLASSES_REC" : "GLASSES_STD";
    std::strcpy(glasses.name, name);
    glasses.IsLoaded = 1;
    return kOk;
}

int face_editing(_zel_object* part, int action, int step) {
    return zel::engine::part_edit_geometry(part, action, step);
}
