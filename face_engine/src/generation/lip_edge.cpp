// A lip's edge in a mouth strip: the row whose brightness around it, sampled in eye distances,
// correlates best with the edge's mean profile, less the cost of lying far from where a mouth
// of its width has the edge. The correlation needs no level: a dark or bright face, a lit or
// shadowed mouth match alike.

#include "generation/feature_line_search.h"

#include <cmath>

namespace zel::engine {
namespace {

// The sums at row y between rows, linearly.
double sum_at(const RowProfile& sums, double y) {
    const int y0 = static_cast<int>(std::floor(y));
    const double f = y - y0;
    return (1.0 - f) * sums[y0] + f * sums[y0 + 1];
}

} // namespace

int lip_edge_row(const RowProfile& sums, int from, int to, const LipEdge& lip) {
    if (lip.profile == nullptr || !(lip.eyeDistance > 0.0))
        return 0;
    double known = 0.0;
    for (const double t : *lip.profile)
        known += t * t;
    if (!(known > 0.0))
        return 0;
    double bestScore = -HUGE_VAL;
    int best = 0;
    for (int y = from; y <= to; ++y) {
        double v[kLipSamples];
        double mean = 0.0;
        for (int k = 0; k < kLipSamples; ++k) {
            v[k] = sum_at(sums, y + lip.eyeDistance * (kLipFirstOffset + k * kLipStep));
            mean += v[k];
        }
        mean /= kLipSamples;
        double norm = 0.0;
        double dot = 0.0;
        for (int k = 0; k < kLipSamples; ++k) {
            norm += (v[k] - mean) * (v[k] - mean);
            dot += (v[k] - mean) * (*lip.profile)[static_cast<std::size_t>(k)];
        }
        if (!(norm > 0.0))
            continue;
        const double d = (y - lip.expectedRow) / lip.eyeDistance;
        const double score = dot / std::sqrt(norm) - lip.weight * d * d;
        if (score > bestScore) {
            bestScore = score;
            best = y;
        }
    }
    return best;
}

} // namespace zel::engine
