// The darkest place between an eye's corners.

#include "generation/eye_darkness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zel::engine {
namespace {

// Measured at the reference corners of the 185 calibration portraits (370 eyes): the dark
// lies at a median 0.55 of the way from the inner corner to the outer and beyond 0.75 for
// only 1 eye in 10; towards the inner corner it reaches down to 0.1 (the shadow beside the
// nose), so only a dark towards the outer end tells of a misplaced corner.
constexpr double kDarkFarthest = 0.75;
// The cost per share of the way beyond that, against correlation scores of 0.2..0.4.
// Measured on the calibration portraits, tables from one half scored on the other: at 0.5 an
// eye shrunk onto its lashes gives way to its true corners with no point of the calibration
// moved beyond a fifth of the eyes' distance; at 1 a true corner of a lighter iris is lost.
constexpr double kOffMiddleWeight = 0.5;
constexpr double kLeastLength = 4.0;
// The band's half width across the corners' line, as a share of their distance.
constexpr double kBandHalf = 0.125;

} // namespace

double darkest_share(_pixel** hsv, int cols, int rows, const PointCandidate& inner,
                     const PointCandidate& outer) {
    const double dx = outer.x - inner.x, dy = outer.y - inner.y;
    const double length = std::hypot(dx, dy);
    if (hsv == nullptr || length < kLeastLength)
        return std::numeric_limits<double>::quiet_NaN();
    const double ux = dx / length, uy = dy / length;
    const int steps = static_cast<int>(std::lround(length));
    const int half = std::max(1, static_cast<int>(std::lround(length * kBandHalf)));
    double darkest = std::numeric_limits<double>::infinity();
    double at = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        if (t < kDarkSearchFrom || t > 1.0 - kDarkSearchFrom)
            continue;
        double sum = 0;
        int count = 0;
        for (int j = -half; j <= half; ++j) {
            const int x = static_cast<int>(std::lround(inner.x + dx * t - uy * j));
            const int y = static_cast<int>(std::lround(inner.y + dy * t + ux * j));
            if (x < 0 || x >= cols || y < 0 || y >= rows)
                continue;
            sum += hsv[y][x].b;
            ++count;
        }
        if (count > 0 && sum / count < darkest) {
            darkest = sum / count;
            at = t;
        }
    }
    return at;
}

double dark_off_middle_cost(_pixel** hsv, int cols, int rows, const PointCandidate& inner,
                            const PointCandidate& outer) {
    const double at = darkest_share(hsv, cols, rows, inner, outer);
    if (std::isnan(at))
        return 0.0;
    return kOffMiddleWeight * std::max(0.0, at - kDarkFarthest);
}

} // namespace zel::engine
