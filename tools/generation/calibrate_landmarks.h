#pragma once
// The landmark search's tables measured on portraits, and the search's errors with them.

#include "calibrate_templates.h"
#include "calibrate_windows.h"

#include <string>
#include <vector>

namespace zelgen {

struct LandmarkSettings {
    WindowMargin margin;
    TemplateShape shape;
};

// Search ranges and the nine point templates from the samples.
void calibrate_landmarks(const std::vector<Sample>& samples, const LandmarkSettings& settings,
                         vyrgen::GenerationTables& tables);

// The errors of the landmark search with tables on each sample: per sample the nine points'
// distances from the reference (in the order of landmark_keys), as fractions of the
// inter-ocular distance.
std::vector<std::vector<double>> landmark_errors(std::vector<Sample>& samples,
                                                 const vyrgen::GenerationTables& tables);

// How often the rows searched for the mouth corners hold both reference corners, with the
// mouth band of the ranges alone and with the band starting below the nose centre found.
std::string mouth_rows_report(std::vector<Sample>& samples, const vyrgen::GenerationTables& tables);

// Median, 90th percentile, maximum and the share over 0.2 of all errors, on one line.
std::string error_summary(const std::vector<std::vector<double>>& errors);

} // namespace zelgen
