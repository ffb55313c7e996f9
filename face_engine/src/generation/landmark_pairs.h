#pragma once
// Left and right points of a face chosen together. The correlation alone picks each point on
// its own, and a look-alike (the jaw's edge beside a mouth corner, a shadow beside an eye) can
// outscore the true point in one window while its partner is right. Faces are near mirror
// images about their centre line with their features in steady proportion to the eyes'
// distance, so each point keeps a few of its best local maxima and the pair is the best
// scoring one whose shape a face can have.

#include <vector>

namespace zel::engine {

// A position of a search window and its correlation with the point template.
struct PointCandidate {
    int x = 0;
    int y = 0;
    double score = 0.0;
};

// The correlation at every position of a (clipped) window: columns x0..x0 + cols - 1, rows
// y0..y0 + rows - 1, row by row. Positions that did not score hold NaN.
struct ScoreMap {
    int x0 = 0;
    int y0 = 0;
    int cols = 0;
    int rows = 0;
    std::vector<double> scores;

    double at(int x, int y) const {
        return scores[static_cast<std::size_t>(y - y0) * cols + (x - x0)];
    }
};

// The best position in scan order (columns ascending, then rows; ties keep the first), then
// the other local maxima best first, each at least spacing pixels from those before it; at
// most count in all. Positions at -1 or NaN are never taken; empty when no position scored.
std::vector<PointCandidate> score_peaks(const ScoreMap& map, int count, int spacing);

// The face's own axes, from the two eyes: across runs from the left eye to the right one; the
// centre line passes through (centreX, centreY) square to it. scale is the length that turns a
// distance in pixels into a fraction of the face.
struct FaceAxes {
    double acrossX = 1.0;
    double acrossY = 0.0;
    double centreX = 0.0;
    double centreY = 0.0;
    double scale = 1.0;
};
// Axes across from (lx, ly) to (rx, ry), centre line through (cx, cy), the eyes' distance as
// scale (a pixel when the eyes coincide).
FaceAxes face_axes(double lx, double ly, double rx, double ry, double cx, double cy);

// Where a pair (left, right) lies against the axes, as fractions of scale: its span across the
// face, the distance of its midpoint from the centre line, and its rise square to the eye line.
struct PairGeometry {
    double span = 0.0;
    double offCentre = 0.0;
    double tilt = 0.0;
};
PairGeometry pair_geometry(const PointCandidate& left, const PointCandidate& right,
                           const FaceAxes& axes);

// What the pair's geometry may be on a face, as the calibration measured it on portraits.
struct PairShape {
    double spanLo = 0.0;
    double spanHi = 0.0;
    double offCentreMax = 0.0;
    double tiltMax = 0.0;
};
// How far the geometry lies outside shape, summed over its three measures (0 inside).
double shape_violation(const PairGeometry& geometry, const PairShape& shape);

// The pair of candidates that breaks shape least and, among those, has the greatest summed
// score; ties keep the earlier candidates. When the best of each list already fits, they are
// the pair. Both lists must hold at least one candidate.
struct CandidatePair {
    PointCandidate left;
    PointCandidate right;
};
CandidatePair choose_pair(const std::vector<PointCandidate>& left,
                          const std::vector<PointCandidate>& right, const FaceAxes& axes,
                          const PairShape& shape);

// The nose centre against the eyes: how far it lies beside the line square to the eyes through
// their middle, and how far below the eye line, as fractions of scale.
struct PointGeometry {
    double beside = 0.0;
    double below = 0.0;
};
PointGeometry point_geometry(const PointCandidate& point, const FaceAxes& axes);

// Where the point may lie on a face, as the calibration measured it.
struct PointShape {
    double besideMax = 0.0;
    double belowLo = 0.0;
    double belowHi = 0.0;
};
double shape_violation(const PointGeometry& geometry, const PointShape& shape);

// The candidate that breaks shape least and, among those, scores best; ties keep the earlier
// one. The list must hold at least one candidate.
PointCandidate choose_point(const std::vector<PointCandidate>& candidates, const FaceAxes& axes,
                            const PointShape& shape);

} // namespace zel::engine
