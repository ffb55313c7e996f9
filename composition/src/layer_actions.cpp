// Moving, rotating and scaling the layers in fixed steps, stepping the libraries with a
// recomposition, and the one-level undo of the layer records.

#include "composer_state.h"
#include "truncated_size.h"

#include <algorithm>

using namespace zel::composition;

namespace {

constexpr int move_step = 5;
constexpr int max_row_offset = 680;
constexpr int max_col_offset = 450;
constexpr int rotate_step = 5;
constexpr double enlarge_factor = 1.05;
constexpr double reduce_factor = 0.95;

enum Action { move_action = 1, rotate_action = 2, scale_action = 3 };

int move(zeleditObject& record, int dir) {
    switch (dir) {
    case 1:
        record.rowOffset = std::min(record.rowOffset + move_step, max_row_offset);
        return 0;
    case 2:
        record.rowOffset = std::max(record.rowOffset - move_step, 0);
        return 0;
    case 3:
        record.colOffset = std::max(record.colOffset - move_step, 0);
        return 0;
    case 4:
        record.colOffset = std::min(record.colOffset + move_step, max_col_offset);
        return 0;
    default:
        return -43;
    }
}

int rotate(zeleditObject& record, int dir) {
    switch (dir) {
    case 1:
        record.nAngle -= rotate_step;
        return 0;
    case 2:
        record.nAngle += rotate_step;
        return 0;
    default:
        return -43;
    }
}

int scaled(int size, double factor) {
    return truncated_size(size * factor);
}

// Whether an enlargement still makes a side of this size larger: truncation keeps a side under
// 20 pixels as it is.
bool grows(int size) {
    return scaled(size, enlarge_factor) > size;
}

// An enlargement past the canvas and an unknown direction leave the record as it is; so does a
// reduction to a size that no enlargement could bring back (the layer would only shrink on
// until it could no longer be composed at all).
int scale(zeleditObject& record, int dir) {
    double factor = 0.0;
    if (dir == 1 && record.tCol < canvas_cols && record.tRow < canvas_rows)
        factor = enlarge_factor;
    else if (dir == 2 && grows(scaled(record.tCol, reduce_factor)) &&
             grows(scaled(record.tRow, reduce_factor)))
        factor = reduce_factor;
    if (factor != 0.0) {
        record.tCol = scaled(record.tCol, factor);
        record.tRow = scaled(record.tRow, factor);
    }
    return 0;
}

bool is_loaded(int id) {
    const ComposerState& s = state();
    if (id == ZEL2_HEAD_AND_BODY)
        return s.head.IsLoaded && s.body.IsLoaded;
    const zeleditObject* record = layer(id);
    return record != nullptr && record->IsLoaded;
}

struct Flags {
    int bkgd;
    int body;
};

// Acts once or twice, then recomposes with the kind's flags.
int act_and_save(int action, int id, int dir, const char* out, int twice, Flags flags) {
    if (!is_loaded(id))
        return -41;
    int result = zel2_action(id, action, dir);
    if (twice)
        result = zel2_action(id, action, dir);
    if (result != 0)
        return result;
    return zel2_compose_save(flags.bkgd, flags.body, out) == 1 ? 0 : -1;
}

// Rotate and scale: kind 2 composes the background too; any other kind only the body.
Flags dialog_flags(int kind) {
    return kind == 2 ? Flags{1, 1} : Flags{0, 1};
}

// The layer a library selection fills and the library's variant counter, as they were before
// the selection. A failed selection puts them back: the layer keeps the picture the person
// sees in the composition, instead of naming the missing or damaged one, which would make
// every later step fail to compose (a body) or drop the picture from it (a background).
class Selection {
public:
    Selection(zeleditObject& layer, int* variants, int count, int index)
        : m_layer(layer), m_saved(layer),
          m_variant(index >= 0 && index < count ? &variants[index] : nullptr),
          m_savedVariant(m_variant ? *m_variant : no_variant) {}

    void restore() const {
        m_layer = m_saved;
        if (m_variant)
            *m_variant = m_savedVariant;
    }

private:
    zeleditObject& m_layer;
    zeleditObject m_saved;
    int* m_variant;
    int m_savedVariant;
};

} // namespace

int zel2_single_action(int id, int action, int dir) {
    zeleditObject* record = layer(id);
    if (record == nullptr)
        return -1;
    switch (action) {
    case move_action:
        return move(*record, dir);
    case rotate_action:
        return rotate(*record, dir);
    case scale_action:
        return scale(*record, dir);
    default:
        return -43;
    }
}

int zel2_action(int id, int action, int dir) {
    if (id == ZEL2_HEAD_AND_BODY) {
        zel2_single_action(ZEL2_HEAD, action, dir);
        return zel2_single_action(ZEL2_BODY, action, dir);
    }
    return zel2_single_action(id, action, dir);
}

int zel2_move_save(int kind, int id, int dir, const char* out, int twice) {
    // Kind 2 is the background dialog, where a head alone is moved over the background
    // without the body; 11 the body dialog with a background; 10 and any other kind the body
    // dialog without one.
    Flags flags{0, 1};
    if (kind == 2)
        flags = Flags{1, id == ZEL2_HEAD ? 0 : 1};
    else if (kind == 11)
        flags = Flags{1, 1};
    return act_and_save(move_action, id, dir, out, twice, flags);
}

int zel2_rotate_save(int kind, int id, int dir, const char* out, int twice) {
    return act_and_save(rotate_action, id, dir, out, twice, dialog_flags(kind));
}

int zel2_scale_save(int kind, int id, int dir, const char* out, int twice) {
    return act_and_save(scale_action, id, dir, out, twice, dialog_flags(kind));
}

int zel2_set_bg_clr(_pixel c, const char* out) {
    state().bkgd.setBgColor(c);
    return zel2_compose_save(0, 1, out) == 1 ? 0 : -1;
}

int zel2_select_body_save(int flagBkgd, int index, const char* out, int forward) {
    const Selection before(state().body, state().bodyVariant, body_libraries, index);
    const int stepped = forward ? zel2_get_next_body(index) : zel2_get_previous_body(index);
    if (stepped != 0) {
        before.restore();
        return 0;
    }
    state().body.IsLoaded = 1;
    return zel2_compose_save(flagBkgd, 1, out);
}

int zel2_select_bkgd_save(int flagBody, int index, const char* out, int forward) {
    const Selection before(state().bkgd, state().bkgdVariant, bkgd_libraries, index);
    const int stepped = forward ? zel2_get_next_bkgd(index) : zel2_get_previous_bkgd(index);
    if (stepped != 0) {
        before.restore();
        return 0;
    }
    state().bkgd.IsLoaded = 1;
    return zel2_compose_save(1, flagBody, out);
}

void zel2_save4undone() {
    ComposerState& s = state();
    s.headUndo = s.head;
    s.bodyUndo = s.body;
    s.bkgdUndo = s.bkgd;
    s.resultUndo = s.result;
}

void zel2_call4undone() {
    ComposerState& s = state();
    s.head = s.headUndo;
    s.body = s.bodyUndo;
    s.bkgd = s.bkgdUndo;
    s.result = s.resultUndo;
}
