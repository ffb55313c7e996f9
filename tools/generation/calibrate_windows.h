#pragma once
// Search ranges measured on portraits: each window of the landmark search, as a fraction of the
// face box, made to hold the reference point of every portrait with a margin to spare.

#include "calibration_samples.h"

#include <array>
#include <vector>

namespace zelgen {

// A window holds the reference points from the quantile outside to 1 - outside of the
// portraits (a box that segmentation got badly wrong is not worth a window that confuses every
// other face), widened on both sides by a share of that extent, at least minimum (a fraction of
// the box).
struct WindowMargin {
    double outside = 0.02;
    double share = 0.15;
    double minimum = 0.01;
};

std::array<double, 21> measure_search_ranges(const std::vector<Sample>& samples,
                                             const WindowMargin& margin);

// The reference points of a sample as a landmark record, for windows placed around them.
FaceLandmarks reference_landmarks(const Sample& s);

// The row of the lips' line between the mouth corners of a sample's reference.
int reference_mouth_line(const Sample& s);

} // namespace zelgen
