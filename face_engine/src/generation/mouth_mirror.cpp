// The likeness of two mouth corners, one mirrored.

#include "generation/mouth_mirror.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zel::engine {
namespace {

// Neighbourhoods are never compared on fewer than this many pixels a side from the corner.
constexpr int kLeastReach = 3;
// Nor are corners this close together: no mouth is so narrow.
constexpr double kLeastDistance = 4.0;
constexpr double kNeutral = 0.5;

bool inside(int x, int y, int cols, int rows) {
    return x >= 0 && x < cols && y >= 0 && y < rows;
}

} // namespace

double mirror_unlikeness(_pixel** hsv, int cols, int rows, const PointCandidate& left,
                         const PointCandidate& right) {
    const double distance = std::hypot(right.x - left.x, right.y - left.y);
    if (hsv == nullptr || !(distance >= kLeastDistance))
        return kNeutral;
    const int reach = std::max(kLeastReach, static_cast<int>(std::lround(kMirrorReach * distance)));
    // Sums in 64 bits: a large face's neighbourhoods hold tens of thousands of pixels.
    std::int64_t n = 0, sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int v = -reach; v <= reach; ++v) {
        for (int u = -reach; u <= reach; ++u) {
            const int ax = left.x + u, ay = left.y + v;
            // Mirrored: a step outwards from the left corner is one outwards from the right.
            const int bx = right.x - u, by = right.y + v;
            if (!inside(ax, ay, cols, rows) || !inside(bx, by, cols, rows))
                continue;
            const std::int64_t a = hsv[ay][ax].b;
            const std::int64_t b = hsv[by][bx].b;
            ++n;
            sa += a;
            sb += b;
            saa += a * a;
            sbb += b * b;
            sab += a * b;
        }
    }
    const double va = static_cast<double>(n * saa - sa * sa);
    const double vb = static_cast<double>(n * sbb - sb * sb);
    if (!(va > 0) || !(vb > 0))
        return kNeutral;
    const double correlation = static_cast<double>(n * sab - sa * sb) / std::sqrt(va * vb);
    return (1.0 - std::clamp(correlation, -1.0, 1.0)) / 2.0;
}

} // namespace zel::engine
