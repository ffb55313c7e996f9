#pragma once
// The four eye corners chosen as one set. Searched one at a time, an inner corner that matched
// a look-alike (a frame of glasses, the edge of the hair) moves the windows of every corner
// searched around it. Chosen together, the set must look like a pair of eyes: outer, inner,
// inner, outer from left to right, the two eyes level and of like width, the outer corners as
// far outside the inner ones as the calibration portraits show; a look-alike then is outvoted
// by the other three corners.

#include "generation/landmark_pairs.h"

#include <functional>
#include <vector>

namespace zel::engine {

// Where the corners of a pair of eyes may lie against each other, as fractions of the inner
// corners' distance (outer pair as for the other pairs), and where an outer corner may lie
// against its inner corner and how far apart the inner corners lie, in pixels (the search
// windows of the outer corners about theirs, the face's width).
struct EyeShape {
    PairShape outer;
    double innerTiltMax = 0.0;
    double widthDifferenceMax = 0.0;
    // An outer corner lies outwards of its inner corner by reachLo..reachHi pixels, and
    // below it by dropLo..dropHi pixels (negative: above).
    double reachLo = 0.0;
    double reachHi = 0.0;
    double dropLo = 0.0;
    double dropHi = 0.0;
    // The inner corners lie innerSpanLo..innerSpanHi pixels apart.
    double innerSpanLo = 0.0;
    double innerSpanHi = 0.0;
};

struct EyeCorners {
    PointCandidate leftOut;
    PointCandidate leftIn;
    PointCandidate rightIn;
    PointCandidate rightOut;
};

// How far the inner corners' line rises or falls across the picture, as a fraction of their
// distance (0 when they coincide).
double inner_tilt(const PointCandidate& leftIn, const PointCandidate& rightIn);

// How far the set lies outside shape, summed over its measures (0 when a pair of eyes may
// look so).
double shape_violation(const EyeCorners& eyes, const EyeShape& shape);

// What an eye's pair of corners costs beyond the set's shape, against their scores.
using EyeCost = std::function<double(const PointCandidate& in, const PointCandidate& out)>;

// The set of the greatest merit: its summed score less its violation of shape, so that a
// shape a hair's breadth outside the limits does not lose to a look-alike that fits them, and
// one far outside never wins. Ties keep the earlier candidates; sets whose inner corners are
// not left of each other are never taken unless nothing else is there. Every list must hold at
// least one candidate.
EyeCorners choose_eye_corners(const std::vector<PointCandidate>& leftOut,
                              const std::vector<PointCandidate>& leftIn,
                              const std::vector<PointCandidate>& rightIn,
                              const std::vector<PointCandidate>& rightOut, const EyeShape& shape,
                              const EyeCost& eyeCost = {});

} // namespace zel::engine
