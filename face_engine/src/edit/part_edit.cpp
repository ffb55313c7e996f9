// Move and scale steps on a part record. Positions are multiplied, not shifted: a step moves a
// part by 3% of its distance from the canvas's top or left edge, truncated toward zero.

#include "face_state.h"
#include "truncate.h"

#include <limits>

namespace zel::engine {
namespace {

// A step down or right moves the part by a pixel at least: 3% of a distance under 34 pixels
// truncates to nothing, and a part moved up or left that close to the edge would never come
// back.
int away_from_edge(int position) {
    const int moved = trunc_to_int(position * 1.03);
    return moved > position || position == std::numeric_limits<int>::max() ? moved : position + 1;
}

} // namespace

int part_edit_geometry(_zel_object* part, int action, int step) {
    if (part == nullptr) {
        return kFail;
    }
    if (action == 1) {
        switch (step) {
        case 1:
            part->ly = trunc_to_int(part->ly * 0.97);
            return kOk;
        case 2:
            part->ly = away_from_edge(part->ly);
            return kOk;
        case 3:
            part->lx = trunc_to_int(part->lx * 0.97);
            return kOk;
        case 4:
            part->lx = away_from_edge(part->lx);
            return kOk;
        default:
            return kBadStep;
        }
    }
    if (action == 3) {
        switch (step) {
        case 1:
            part->Scale *= 1.05;
            return kOk;
        case 2:
            part->Scale *= 0.95;
            return kOk;
        default:
            return kBadStep;
        }
    }
    return kOk;
}

int part_edit_by_id(int id, int action, int step) {
    _zel_object* part = part_record_by_id(id);
    if (part == nullptr) {
        return kFail;
    }
    return part_edit_geometry(part, action, step);
}

} // namespace zel::engine
