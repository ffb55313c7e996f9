#pragma once
// The lines and part codes caricature generation finds on calibration samples with given
// tables, as the accuracy tool reports them for GetCartoon: how tables measured on some
// portraits do on others.

#include "calibration_samples.h"
#include "generation_tables.h"
#include "line_figures.h"

#include <vector>

namespace zelgen {

// The landmark, feature-line and part-choice measures of every sample with tables; samples
// whose stages fail are left out.
LineFigures sample_line_figures(std::vector<Sample>& samples,
                                const vyrgen::GenerationTables& tables);

} // namespace zelgen
