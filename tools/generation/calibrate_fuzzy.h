#pragma once
// Fuzzy sets measured on portraits: the twelve measures of every face as the generation finds
// it, split into three classes of about a third of the faces each.

#include "calibration_samples.h"
#include "generation_tables.h"

#include <array>
#include <vector>

namespace zelgen {

// The measures of each sample with the generation's landmark and feature-line stages and
// tables (the box fitted to the eyes as generation fits it); samples whose stages fail are
// left out.
std::vector<std::array<double, 12>> measure_faces(std::vector<Sample>& samples,
                                                  const vyrgen::GenerationTables& tables);

// Per measure three classes that share every value between them, the middle one peaking at
// the median. The seven codes: the low and high classes hold the lowest and highest thirds of
// the faces. The five proportions: between a sixth and five sixths of the faces the value
// follows the measure, exaggerated around the median by exaggeration, as a caricature draws
// them.
std::array<vyrgen::FuzzySet, 12> measure_fuzzy_sets(const std::vector<std::array<double, 12>>& x,
                                                    double exaggeration);

} // namespace zelgen
