// Eye and mouth corner candidates judged by the skin beyond them.

#include "generation/temple_skin.h"

#include "truncate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zel::engine {
namespace {

// The square the skin's hue is taken from, as a fraction of the box width either side of the
// box's middle.
constexpr double kSkinPatchHalf = 0.05;
// The strip beyond a corner, as fractions of the box width (the eyes' distance is
// about 0.44 of it: a twentieth to a fifth of that).
constexpr double kStripNear = 0.022;
constexpr double kStripFar = 0.088;
// How far the face is looked for beyond an outer eye corner (about two thirds of the eyes'
// distance), and the temple an outer corner is expected to have beyond the strip's near end:
// on the calibration portraits all but 2 of 370 true outer corners have more than a twentieth
// of the box width (a ninth of the eyes' distance) of face beyond them; a candidate at the
// face's edge or on the ear, under a fiftieth.
constexpr double kFaceReach = 0.3;
constexpr double kTempleLength = 0.05;
// What a temple missing wholly costs a candidate, against its correlation score. Measured on
// the calibration portraits, tables from one half scored on the other: at a quarter and at a
// half the corners put on the ear or at the face's edge move to the eye; at a whole the far
// eye of some turned heads loses its true corner to the inner one's look-alikes.
constexpr double kShortTempleCost = 0.25;
// A pixel is skin when its hue lies within this of the skin's (25 degrees of 360) and its
// saturation above this (grey hair, grey backgrounds and dark frames carry no reliable hue).
constexpr double kHueTolerance = 25.0 * 255.0 / 360.0;
constexpr int kLeastSaturation = 20;
constexpr double kHueTurn = 255.0;

double hue_distance(double a, double b) {
    const double d = std::fmod(std::abs(a - b), kHueTurn);
    return std::min(d, kHueTurn - d);
}

bool is_skin(const _pixel& p, double skinHue) {
    return p.g >= kLeastSaturation && hue_distance(p.r, skinHue) <= kHueTolerance;
}

} // namespace

double skin_hue(_pixel** hsv, int cols, int rows, const FaceBox& box) {
    if (hsv == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
    const int half = std::max(1, trunc_to_int(box.width * kSkinPatchHalf));
    const int x0 = std::max(box.centerx - half, 0), x1 = std::min(box.centerx + half, cols - 1);
    const int y0 = std::max(box.centery - half, 0), y1 = std::min(box.centery + half, rows - 1);
    double sx = 0, sy = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (hsv[y][x].g < kLeastSaturation)
                continue;
            const double angle = 2.0 * std::numbers::pi * hsv[y][x].r / kHueTurn;
            sx += std::cos(angle);
            sy += std::sin(angle);
        }
    }
    if (sx == 0 && sy == 0)
        return std::numeric_limits<double>::quiet_NaN();
    const double hue = std::atan2(sy, sx) / (2.0 * std::numbers::pi) * kHueTurn;
    return hue < 0 ? hue + kHueTurn : hue;
}

double skin_beyond(_pixel** hsv, int cols, int rows, int x, int y, int step, int near, int far,
                   double skinHue) {
    if (hsv == nullptr || std::isnan(skinHue) || far < near)
        return 1.0;
    int total = 0, skin = 0;
    for (int row = y - 1; row <= y + 1; ++row) {
        for (int t = near; t <= far; ++t) {
            ++total;
            const int col = x + step * t;
            if (row < 0 || row >= rows || col < 0 || col >= cols)
                continue;
            const _pixel p = hsv[row][col];
            if (is_skin(p, skinHue))
                ++skin;
        }
    }
    return static_cast<double>(skin) / total;
}

int face_beyond(_pixel** hsv, int cols, int rows, int x, int y, int step, int near, int far,
                double skinHue) {
    if (hsv == nullptr || std::isnan(skinHue))
        return far - near;
    // Lashes, shadow and the arms of glasses interrupt the temple's skin: the face ends at the
    // farthest skin, not the first gap.
    int end = near;
    for (int t = near; t <= far; ++t) {
        const int col = x + step * t;
        if (col < 0 || col >= cols)
            break;
        int skin = 0;
        for (int row = std::max(y - 1, 0); row <= std::min(y + 1, rows - 1); ++row)
            if (is_skin(hsv[row][col], skinHue))
                ++skin;
        if (skin >= 2)
            end = t;
    }
    return end - near;
}

std::vector<PointCandidate> outer_corners_weighed_by_face(const std::vector<PointCandidate>& list,
                                                          _pixel** hsv, int cols, int rows,
                                                          const FaceBox& box, int step,
                                                          double skinHue) {
    const int near = std::max(1, trunc_to_int(box.width * kStripNear));
    const int far = std::max(near, trunc_to_int(box.width * kFaceReach));
    const double enough = box.width * kTempleLength;
    std::vector<PointCandidate> weighed = list;
    if (enough <= 0.0)
        return weighed;
    for (PointCandidate& c : weighed) {
        const int run = face_beyond(hsv, cols, rows, c.x, c.y, step, near, far, skinHue);
        c.score -= kShortTempleCost * std::max(0.0, 1.0 - run / enough);
    }
    return weighed;
}

std::vector<PointCandidate> corners_with_skin_beyond(const std::vector<PointCandidate>& list,
                                                     _pixel** hsv, int cols, int rows,
                                                     const FaceBox& box, int step, double skinHue,
                                                     double leastShare) {
    const int near = std::max(1, trunc_to_int(box.width * kStripNear));
    const int far = std::max(near, trunc_to_int(box.width * kStripFar));
    std::vector<PointCandidate> kept;
    for (const PointCandidate& c : list)
        if (skin_beyond(hsv, cols, rows, c.x, c.y, step, near, far, skinHue) >= leastShare)
            kept.push_back(c);
    return kept;
}

} // namespace zel::engine
