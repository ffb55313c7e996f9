#pragma once
// The proportions of a face, measured on the reference points of portraits: how wide, how far
// off the centre line and how tilted the outer eye corners, the nose wings and the mouth
// corners are, and where the nose centre lies below the eyes, as the landmark search judges
// its candidates.

#include "calibration_samples.h"

#include <array>
#include <string>
#include <vector>

namespace zelgen {

// Limits that hold all but the outermost portraits, widened by share of their extent and by
// slack (a fraction of the eyes' distance) for the search's whole pixels.
struct ShapeMargin {
    double outside = 0.01;
    double share = 0.25;
    double slack = 0.05;
};

// "FACE_SHAPE": per pair (eyes, nose, mouth) the least and greatest span, the greatest
// distance off the centre line and the greatest tilt; then the nose centre's greatest
// distance beside the eyes' middle and its least and greatest drop below them; then the
// greatest tilt of the inner eye corners and the greatest difference of the eyes' widths.
// lines gets what was measured.
std::array<double, 21> measure_face_shape(const std::vector<Sample>& samples,
                                          const ShapeMargin& margin,
                                          std::vector<std::string>& lines);

} // namespace zelgen
