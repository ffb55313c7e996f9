#pragma once
// The mean shape of the nine landmarks and how far faces stray from it, measured on the
// reference points of portraits, as the landmark search fits it to the points it found.

#include "calibration_samples.h"

#include "generation/face_shape_model.h"

#include <string>
#include <vector>

namespace zelgen {

// The misfit beyond which the search chooses a point again, and the worth of a candidate's
// misfit against its score; floor is the least spread of a point (in eyes' distances), since
// the points found are whole pixels and the search's own error adds to the faces' spread.
// modes is how many ways faces vary together the model holds: on the calibration portraits
// the three largest stand clear of the rest (spreads 0.09, 0.08 and 0.07 of the eyes'
// distance, then 0.04 and less) and hold 84% of how the shapes vary.
struct ShapeModelSettings {
    double misfitLimit = 2.0;
    double misfitWeight = 0.02;
    double floor = 0.03;
    int modes = 3;
};

// The mean of the nine points in the face's own frame (aligned to each other by moving,
// turning and scaling), and per point and axis the robust spread of the portraits about it;
// the modes: the directions in which the aligned shapes vary most, with their spreads, and per
// point and axis the robust spread of what is left once each shape's share of them is taken
// out. lines gets what was measured.
zel::engine::ShapeModel measure_shape_model(const std::vector<Sample>& samples,
                                            const ShapeModelSettings& settings,
                                            std::vector<std::string>& lines);

} // namespace zelgen
