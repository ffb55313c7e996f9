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
    // Each eye's pairs of corners are costed once, not once for every set they stand in.
    const auto costs = [&](const std::vector<PointCandidate>& in,
                           const std::vector<PointCandidate>& out) {
        std::vector<double> c(in.size() * out.size(), 0.0);
        if (eyeCost)
            for (std::size_t i = 0; i < in.size(); ++i)
                for (std::size_t o = 0; o < out.size(); ++o)
                    c[i * out.size() + o] = eyeCost(in[i], out[o]);
        return c;
    };
    const std::vector<double> leftCosts = costs(leftIn, leftOut);
    const std::vector<double> rightCosts = costs(rightIn, rightOut);
    EyeCorners best{leftOut.front(), leftIn.front(), rightIn.front(), rightOut.front()};
    double bestMerit = -std::numeric_limits<double>::infinity();
    for (std::size_t l = 0; l < leftIn.size(); ++l) {
        const PointCandidate& li = leftIn[l];
        for (std::size_t r = 0; r < rightIn.size(); ++r) {
            const PointCandidate& ri = rightIn[r];
            const FaceAxes axes = inner_axes(li, ri);
            const double inner = inner_violation(li, ri, shape);
            if (!std::isfinite(inner))
                continue;
            for (std::size_t lo = 0; lo < leftOut.size(); ++lo) {
                const double leftCost = leftCosts[l * leftOut.size() + lo];
                for (std::size_t ro = 0; ro < rightOut.size(); ++ro) {
                    const EyeCorners e{leftOut[lo], li, ri, rightOut[ro]};
                    const double merit = e.leftOut.score + li.score + ri.score + e.rightOut.score -
                                         inner - outer_violation(e, axes, shape) - leftCost -
                                         rightCosts[r * rightOut.size() + ro];
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
