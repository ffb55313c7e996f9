#pragma once
// Thickness values measured on portraits: where the lids, the lips and the brows lie around the
// eye and mouth lines, as fractions of the face box height.

#include "calibration_samples.h"
#include "generation_tables.h"

#include <array>
#include <string>
#include <vector>

namespace zelgen {

// The thickness values from the samples: per boundary the median as its default and the
// quantiles outside and 1 - outside, widened by margin, as its limits. Lines of report tell what
// was measured.
std::array<double, 30> measure_thickness(std::vector<Sample>& samples, double outside,
                                         double margin, std::vector<std::string>& report);

// How often a mouth strip finds no bright peak below the lips, and where the lower-lip walk
// would then put the lip's lower edge (the window's fourth-last row) against the reference.
std::string lower_lip_report(std::vector<Sample>& samples, const vyrgen::GenerationTables& tables);

} // namespace zelgen
