#include "calibrate_fuzzy.h"

#include "tables_in_use.h"

#include "generation/part_choice.h"

#include <algorithm>
#include <cmath>

namespace zelgen {
namespace {

constexpr int kProportions = 5; // the first five measures are proportions, the others codes

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
}

} // namespace

std::vector<std::array<double, 12>> measure_faces(std::vector<Sample>& samples,
                                                  const vyrgen::GenerationTables& tables) {
    using namespace zel::engine;
    const TablesInUse use(tables);
    std::vector<std::array<double, 12>> all;
    for (Sample& s : samples) {
        FaceBox box;
        FaceLandmarks lm;
        if (!run_line_stages(s, box, lm))
            continue;
        const auto x = shape_measure_inputs(box, lm.eyes[0], lm.eyes[1], lm.nose, lm.mouth,
                                            lm.brows[0], lm.brows[1]);
        if (std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); }))
            all.push_back(x);
    }
    return all;
}

std::array<vyrgen::FuzzySet, 12> measure_fuzzy_sets(const std::vector<std::array<double, 12>>& x,
                                                    double exaggeration) {
    std::array<vyrgen::FuzzySet, 12> sets{};
    for (int k = 0; k < 12; ++k) {
        std::vector<double> v;
        for (const auto& face : x)
            v.push_back(face[static_cast<std::size_t>(k)]);
        const double m = quantile(v, 0.5);
        const double lo = quantile(v, 1.0 / 6);
        const double hi = quantile(v, 5.0 / 6);
        const double least = std::max(1e-6, (hi - lo) / 8); // classes never collapse
        vyrgen::FuzzySet& set = sets[static_cast<std::size_t>(k)];
        if (k < kProportions) {
            // Between the sixth and five sixths of the faces the value follows the measure,
            // exaggerated around the median; beyond, it stays at the ends.
            const double a = std::min(lo, m - least), c = std::max(hi, m + least);
            set.p = {a, m, a, m, c, m, c};
            set.value = {m - exaggeration * (m - a), m, m + exaggeration * (c - m)};
        } else {
            // The classes cross halfway between their full points: at the thirds.
            const double a = std::min(2 * quantile(v, 1.0 / 3) - m, m - least);
            const double c = std::max(2 * quantile(v, 2.0 / 3) - m, m + least);
            set.p = {a, m, a, m, c, m, c};
            set.value = {a, m, c};
        }
    }
    return sets;
}

} // namespace zelgen
