// The stages after the line drawing that are not built yet. Each fails with kMissing, so a run
// stops cleanly after segmentation; a stage's own file replaces its definition here.

#include "engine_codes.h"
#include "generation/stages.h"

namespace zel::engine {

void face_box_lower_top(FaceBox&) {}

int landmark_search(int, const FaceBox&, _pixel**, int, int, FaceLandmarks&) {
    return kMissing;
}

int feature_line_search(int, _pixel**, int, int, const FaceBox&, FaceLandmarks&) {
    return kMissing;
}

int part_choose(FaceObject&, unsigned char**, int, int, const FaceBox&, const FaceLandmarks&, int) {
    return kMissing;
}

} // namespace zel::engine
