// The choice of the four eye corners as one set.

#include "generation/eye_corners.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zel::engine {
namespace {

double outside(double v, double lo, double hi) {
    return std::max(lo - v, 0.0) + std::max(v - hi, 0.0);
}

// How far an outer corner lies outside its place about the inner one, in pixels; outwards is
// to the left for the left eye (step -1) and to the right for the right eye (step +1).
double reach_violation(const PointCandidate& in, const PointCandidate& out, int step,
                       const EyeShape& shape) {
    return outside(step * (out.x - in.x), shape.reachLo, shape.reachHi) +
           outside(out.y - in.y, shape.dropLo, shape.dropHi);
}

// The parts of the violation that do not depend on the outer corners' partner.
double inner_violation(const PointCandidate& li, const PointCandidate& ri, const EyeShape& shape) {
    if (ri.x <= li.x)
        return std::numeric_limits<double>::infinity();
    const double span = std::hypot(ri.x - li.x, ri.y - li.y);
    return std::max(inner_tilt(li, ri) - shape.innerTiltMax, 0.0) +
           outside(span, shape.innerSpanLo, shape.innerSpanHi) / span;
}

FaceAxes inner_axes(const PointCandidate& li, const PointCandidate& ri) {
    return face_axes(li.x, li.y, ri.x, ri.y, (li.x + ri.x) / 2.0, (li.y + ri.y) / 2.0);
}

double outer_violation(const EyeCorners& e, const FaceAxes& axes, const EyeShape& shape) {
    const double width = std::hypot(e.leftIn.x - e.leftOut.x, e.leftIn.y - e.leftOut.y) -
                         std::hypot(e.rightOut.x - e.rightIn.x, e.rightOut.y - e.rightIn.y);
    return shape_violation(pair_geometry(e.leftOut, e.rightOut, axes), shape.outer) +
           std::max(std::abs(width) / axes.scale - shape.widthDifferenceMax, 0.0) +
           (reach_violation(e.leftIn, e.leftOut, -1, shape) +
            reach_violation(e.rightIn, e.rightOut, 1, shape)) /
               axes.scale;
}

} // namespace

double inner_tilt(const PointCandidate& leftIn, const PointCandidate& rightIn) {
    const double length = std::hypot(rightIn.x - leftIn.x, rightIn.y - leftIn.y);
    return length > 0 ? std::abs(rightIn.y - leftIn.y) / length : 0.0;
}

double shape_violation(const EyeCorners& eyes, const EyeShape& shape) {
    const FaceAxes axes = inner_axes(eyes.leftIn, eyes.rightIn);
    return inner_violation(eyes.leftIn, eyes.rightIn, shape) + outer_violation(eyes, axes, shape);
}

EyeCorners choose_eye_corners(const std::vector<PointCandidate>& leftOut,
                              const std::vector<PointCandidate>& leftIn,
                              const std::vector<PointCandidate>& rightIn,
                              const std::vector<PointCandidate>& rightOut, const EyeShape& shape,
                              const EyeCost& eyeCost) {
    const auto cost = [&](const PointCandidate& in, const PointCandidate& out) {
        return eyeCost ? eyeCost(in, out) : 0.0;
    };
    EyeCorners best{leftOut.front(), leftIn.front(), rightIn.front(), rightOut.front()};
    double bestMerit = -std::numeric_limits<double>::infinity();
    for (const PointCandidate& li : leftIn) {
        for (const PointCandidate& ri : rightIn) {
            const FaceAxes axes = inner_axes(li, ri);
            const double inner = inner_violation(li, ri, shape);
            if (!std::isfinite(inner))
                continue;
            for (const PointCandidate& lo : leftOut) {
                const double leftCost = cost(li, lo);
                for (const PointCandidate& ro : rightOut) {
                    const EyeCorners e{lo, li, ri, ro};
                    const double merit = lo.score + li.score + ri.score + ro.score - inner -
                                         outer_violation(e, axes, shape) - leftCost - cost(ri, ro);
                    if (merit > bestMerit) {
                        bestMerit = merit;
                        best = e;
                    }
                }
            }
        }
    }
    return best;
}

} // namespace zel::engine
