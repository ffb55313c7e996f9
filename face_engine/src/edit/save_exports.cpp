// The _save forms of the editing exports: edit, redraw the whole face and write it as the
// editor's head picture. The redraw's result is not looked at, so the picture is written even
// when a template is missing; the write step's result is returned.

#include "face_state.h"

namespace zel::engine {
namespace {

int redraw_and_save(const char* file) {
    face_redraw();
    return face_save_image(file);
}

int face_move_scale_save(int id, int action, int step, const char* file) {
    part_edit_by_id(id, action, step);
    return redraw_and_save(file);
}

} // namespace
} // namespace zel::engine

using zel::engine::kNotLoaded;
using zel::engine::loaded_part_by_id;
using zel::engine::redraw_and_save;

int face_change_save(int id, const char* name, const char* file) {
    face_change(id, name);
    return redraw_and_save(file);
}

int face_move_save(int id, int step, const char* file) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    return zel::engine::face_move_scale_save(id, 1, step, file);
}

int face_scale_save(int id, int step, const char* file) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    return zel::engine::face_move_scale_save(id, 3, step, file);
}

int face_color_save(int id, _pixel colour, const char* file) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    face_color(id, colour);
    return redraw_and_save(file);
}

int face_display_save(int id, int mode, const char* file) {
    if (loaded_part_by_id(id) == nullptr) {
        return kNotLoaded;
    }
    face_display(id, mode);
    return redraw_and_save(file);
}

int face_gender_save(int id, int set, const char* file) {
    face_gender(id, set);
    return redraw_and_save(file);
}

int face_glasses_save(int style, const char* file) {
    face_glasses(style);
    return redraw_and_save(file);
}

int face_expression_save(int code, const char* file) {
    face_expression(code);
    return redraw_and_save(file);
}
