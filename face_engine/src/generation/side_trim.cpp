// The side trim: where hair or an ear widens the face mask at its sides, the top outline of
// the mask shows a notch between the head and the widening. The box side moves in to the
// deepest notch near it when the notch is large enough to be more than noise.

#include "generation/face_region.h"

#include <algorithm>
#include <vector>

namespace zel::engine {
namespace {

// A column holding face over more than this share of the box height is inside the face.
constexpr double kFaceColumnShare = 0.3;
// The smallest notch area that moves a side.
constexpr int kMinNotchArea = 3;

struct Notch {
    int at = -1; // profile index of the notch
    long area = -1;
};

// The largest notch of a smoothed top profile p that runs from the box side inwards: a local
// maximum (the outline dipping down and back up) measured by the area below its lower rim.
Notch largest_notch(const std::vector<int>& p) {
    const int n = static_cast<int>(p.size());
    Notch best;
    for (int k = 2; k < n; ++k) {
        if (!(p[k - 1] > p[k - 2] && p[k] <= p[k - 1]))
            continue;
        const int m = p[k - 1];
        int minLeft = m;
        for (int j = k - 2; j >= 0 && p[j] <= m; --j)
            minLeft = std::min(minLeft, p[j]);
        int minRight = m;
        for (int j = k; j < n && p[j] <= m; ++j)
            minRight = std::min(minRight, p[j]);
        const int rim = std::max(minLeft, minRight);
        long area = 0;
        for (int j = k - 1; j >= 0 && rim <= p[j] && p[j] <= m; --j)
            area += p[j] - rim;
        for (int j = k; j < n && rim <= p[j] && p[j] <= m; ++j)
            area += p[j] - rim;
        if (area > best.area) {
            best.at = k;
            best.area = area;
        }
    }
    return best;
}

} // namespace

void face_trim_sides(unsigned char** face, int cols, int rows, FaceBox& box) {
    const int y0 = std::max(box.miny, 0);
    const int y1 = std::min(box.maxy, rows - 1);
    const int left = std::max(box.minx, 0);
    const int right = std::min(box.maxx, cols - 1);
    const int centre = std::clamp(box.centerx, left, right);
    const double filled = kFaceColumnShare * box.height;
    auto face_count = [&](int x) {
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            count += face[y][x] == 1 ? 1 : 0;
        return count;
    };
    // First row of face in column x; a column without face counts as reaching the bottom.
    auto top_of = [&](int x) {
        for (int y = y0; y <= y1; ++y)
            if (face[y][x] == 1)
                return y;
        return box.maxy;
    };
    // The top profile from a side (step +1 from the left, -1 from the right) to the first
    // column inside the face, smoothed over three columns within that range; empty when no
    // column is inside the face.
    auto profile = [&](int from, int step, int to) {
        std::vector<int> top;
        for (int x = from;; x += step) {
            top.push_back(top_of(x));
            if (face_count(x) > filled)
                break;
            if (x == to)
                return std::vector<int>{};
        }
        const int n = static_cast<int>(top.size());
        std::vector<int> smooth(top.size());
        for (int k = 0; k < n; ++k) {
            int sum = 0;
            int count = 0;
            for (int j = std::max(k - 1, 0); j <= std::min(k + 1, n - 1); ++j) {
                sum += top[j];
                ++count;
            }
            smooth[k] = sum / count;
        }
        return smooth;
    };

    bool moved = false;
    if (left <= right) {
        const Notch l = largest_notch(profile(left, 1, centre));
        const Notch r = largest_notch(profile(right, -1, centre));
        if (l.area >= kMinNotchArea) {
            box.minx = left + l.at;
            moved = true;
        }
        if (r.area >= kMinNotchArea) {
            box.maxx = right - r.at;
            moved = true;
        }
    }
    if (moved) {
        box.centerx = static_cast<int>((box.minx + box.maxx) / 2.0);
        box.width = box.maxx - box.minx + 1;
    }
}

} // namespace zel::engine
