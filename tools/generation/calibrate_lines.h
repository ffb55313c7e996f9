#pragma once
// The feature-line search's tables measured on portraits: where the lids, the lips and the brows
// lie around the eye and mouth lines the landmark search finds (the thickness values, as
// fractions of the face box height), how far the lids and brows lie from the brightness edges
// the strips find, and the lower lip's profile with where a mouth of its width has it (the line
// rules).

#include "calibration_samples.h"
#include "generation_tables.h"

#include "generation/feature_line_rules.h"

#include <array>
#include <string>
#include <vector>

namespace zelgen {

struct LineTables {
    std::array<double, 30> thickness{};
    zel::engine::LineRules rules;
};

// The line tables from the samples, with the landmarks the search finds with tables: per
// boundary the median place as its default and the quantiles outside and 1 - outside of the
// reference places, widened by margin, as its limits. Lines of report tell what was measured.
LineTables measure_lines(std::vector<Sample>& samples, const vyrgen::GenerationTables& tables,
                         double outside, double margin, std::vector<std::string>& report);

} // namespace zelgen
