// Local maxima of a correlation map and the choice of a left-right pair among them.

#include "generation/landmark_pairs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zel::engine {
namespace {

// Not below any of its eight neighbours inside the map.
bool local_maximum(const ScoreMap& map, int x, int y, double s) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if ((dx == 0 && dy == 0) || nx < map.x0 || nx >= map.x0 + map.cols || ny < map.y0 ||
                ny >= map.y0 + map.rows)
                continue;
            if (map.at(nx, ny) > s)
                return false;
        }
    }
    return true;
}

bool near_any(const std::vector<PointCandidate>& taken, int x, int y, int spacing) {
    return std::any_of(taken.begin(), taken.end(), [&](const PointCandidate& c) {
        return std::abs(c.x - x) < spacing && std::abs(c.y - y) < spacing;
    });
}

} // namespace

std::vector<PointCandidate> score_peaks(const ScoreMap& map, int count, int spacing) {
    std::vector<PointCandidate> peaks;
    if (count < 1 || map.cols < 1 || map.rows < 1)
        return peaks;
    // The scan order of a single search, from a best of -1 (the lowest correlation never
    // wins); a NaN never compares greater.
    PointCandidate best{0, 0, -1.0};
    bool found = false;
    for (int x = map.x0; x < map.x0 + map.cols; ++x)
        for (int y = map.y0; y < map.y0 + map.rows; ++y)
            if (const double s = map.at(x, y); s > best.score) {
                best = {x, y, s};
                found = true;
            }
    if (!found)
        return peaks;
    peaks.push_back(best);
    std::vector<PointCandidate> others;
    for (int y = map.y0; y < map.y0 + map.rows; ++y)
        for (int x = map.x0; x < map.x0 + map.cols; ++x)
            if (const double s = map.at(x, y);
                std::isfinite(s) && s > -1.0 && local_maximum(map, x, y, s))
                others.push_back({x, y, s});
    std::stable_sort(
        others.begin(), others.end(),
        [](const PointCandidate& a, const PointCandidate& b) { return a.score > b.score; });
    for (const PointCandidate& c : others) {
        if (static_cast<int>(peaks.size()) >= count)
            break;
        if (!near_any(peaks, c.x, c.y, spacing))
            peaks.push_back(c);
    }
    return peaks;
}

FaceAxes face_axes(double lx, double ly, double rx, double ry, double cx, double cy) {
    FaceAxes axes;
    const double length = std::hypot(rx - lx, ry - ly);
    if (length >= 1.0) {
        axes.acrossX = (rx - lx) / length;
        axes.acrossY = (ry - ly) / length;
        axes.scale = length;
    }
    axes.centreX = cx;
    axes.centreY = cy;
    return axes;
}

PairGeometry pair_geometry(const PointCandidate& left, const PointCandidate& right,
                           const FaceAxes& axes) {
    const double midX = (left.x + right.x) / 2.0 - axes.centreX;
    const double midY = (left.y + right.y) / 2.0 - axes.centreY;
    const double dx = right.x - left.x;
    const double dy = right.y - left.y;
    PairGeometry g;
    g.span = (dx * axes.acrossX + dy * axes.acrossY) / axes.scale;
    g.offCentre = std::abs(midX * axes.acrossX + midY * axes.acrossY) / axes.scale;
    g.tilt = std::abs(dy * axes.acrossX - dx * axes.acrossY) / axes.scale;
    return g;
}

double shape_violation(const PairGeometry& g, const PairShape& shape) {
    return std::max(shape.spanLo - g.span, 0.0) + std::max(g.span - shape.spanHi, 0.0) +
           std::max(g.offCentre - shape.offCentreMax, 0.0) + std::max(g.tilt - shape.tiltMax, 0.0);
}

CandidatePair choose_pair(const std::vector<PointCandidate>& left,
                          const std::vector<PointCandidate>& right, const FaceAxes& axes,
                          const PairShape& shape) {
    CandidatePair best{left.front(), right.front()};
    double bestViolation = std::numeric_limits<double>::infinity();
    double bestScore = -std::numeric_limits<double>::infinity();
    for (const PointCandidate& l : left) {
        for (const PointCandidate& r : right) {
            const double violation = shape_violation(pair_geometry(l, r, axes), shape);
            const double score = l.score + r.score;
            if (violation < bestViolation || (violation == bestViolation && score > bestScore)) {
                bestViolation = violation;
                bestScore = score;
                best = {l, r};
            }
        }
    }
    return best;
}

PointGeometry point_geometry(const PointCandidate& point, const FaceAxes& axes) {
    const double dx = point.x - axes.centreX;
    const double dy = point.y - axes.centreY;
    return {std::abs(dx * axes.acrossX + dy * axes.acrossY) / axes.scale,
            (dy * axes.acrossX - dx * axes.acrossY) / axes.scale};
}

double shape_violation(const PointGeometry& g, const PointShape& shape) {
    return std::max(g.beside - shape.besideMax, 0.0) + std::max(shape.belowLo - g.below, 0.0) +
           std::max(g.below - shape.belowHi, 0.0);
}

PointCandidate choose_point(const std::vector<PointCandidate>& candidates, const FaceAxes& axes,
                            const PointShape& shape) {
    PointCandidate best = candidates.front();
    double bestViolation = std::numeric_limits<double>::infinity();
    for (const PointCandidate& c : candidates) {
        const double violation = shape_violation(point_geometry(c, axes), shape);
        if (violation < bestViolation || (violation == bestViolation && c.score > best.score)) {
            bestViolation = violation;
            best = c;
        }
    }
    return best;
}

} // namespace zel::engine
